#pragma once

#include <string>

#include "ui/dlg_base.h"

namespace ostrel::ui {

inline constexpr int kIdAttentionTitle = 2012;
inline constexpr int kIdAttentionMessage = 2013;
// The language string of the OK button's caption.
inline constexpr size_t kTextOk = 4;

// The skinned message box: one message, an OK button and a close button. OK (or Enter) ends it
// with kIdOk, the close button (or Escape) with kIdCancel. Usually run modally; the device-missing
// notice shows it modeless and topmost (ShowNotice).
class CAttentionDlg : public CDlgBase {
public:
    static constexpr int kDesignWidth = 319;
    static constexpr int kDesignHeight = 102;

    // The title is not shown (the box's title text stays empty), as callers pass the same title
    // everywhere.
    CAttentionDlg(const std::u16string& title, std::u16string message, WindowHandle parent);
    ~CAttentionDlg() override;

    // A modeless, topmost box that nobody waits for: it deletes itself when it ends or when its
    // owner goes. Returns its window, or kNoWindow when it could not be made.
    static WindowHandle ShowNotice(const std::u16string& title, std::u16string message,
                                   WindowHandle parent);

    const std::u16string& Message() const { return m_message; }

    bool OnInitDialog() override;
    void CreateControls(Rect client) override;
    void DrawContent(SkinPainter& painter, const Rect& client) override;
    void OnOK() override;
    void OnCancel() override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnWindowDestroyed() override;

private:
    // A notice ends by hiding and is then destroyed from the message queue, after the handler
    // that ended it has returned.
    void EndNotice();

    std::u16string m_title;
    std::u16string m_message;
    bool m_notice = false;
};

}  // namespace ostrel::ui
