#pragma once

#include <string>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

inline constexpr int kIdProgressTitle = 2012;
// The bar grows one step per tick of this timer; the close timer ends the dialog.
inline constexpr unsigned kTimerProgressStep = 1;
inline constexpr unsigned kTimerProgressClose = 2;

// A short animated progress bar shown while the main window does a longer device operation: 50
// steps of 2 percent, one every 10 ms, and 20 ms after the last the dialog ends itself with kIdOk.
// It has no buttons and ignores the keyboard. The bar is drawn by the UI thread's own paint.
class CProgressBarDlg : public CDlgBase {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr unsigned kStepMs = 10;
    static constexpr unsigned kCloseDelayMs = 20;
    static constexpr unsigned kPercentStep = 2;
    static constexpr unsigned kFullPercent = 100;

    // The second text is kept but not shown.
    CProgressBarDlg(std::u16string title, std::u16string secondText, WindowHandle parent);

    // The percent the next step draws (0 to 100), and the width in design pixels of the fill the
    // picture shows now.
    unsigned Percent() const { return m_percent; }
    int FillWidth() const { return m_fillWidth; }

    bool OnInitDialog() override;
    void CreateControls(Rect client) override;
    void DrawContent(SkinPainter& painter, const Rect& client) override;
    void OnTimer(unsigned id) override;
    void OnKeyDown(const KeyEvent& key) override;

private:
    // Shows the fill for the current percent and moves on by one step.
    void Step();

    std::u16string m_title;
    std::u16string m_secondText;
    SkinImage m_background;
    SkinImage m_fill;
    unsigned m_percent = 0;
    int m_fillWidth = -1;  // no fill shown yet
};

}  // namespace ostrel::ui
