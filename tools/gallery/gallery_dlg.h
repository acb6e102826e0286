#pragma once

#include <cstdint>
#include <functional>

#include "ui/dlg_base.h"

namespace ostrel::gallery {

inline constexpr int kIdGalleryTitle = 2012;
inline constexpr int kIdGalleryFontLine = 2013;
inline constexpr int kIdGalleryChineseLine = 2014;
inline constexpr int kIdGalleryStatus = 2015;
inline constexpr int kIdGalleryToggle = 2100;
inline constexpr int kIdGalleryDisabled = 2101;

// The gallery's test dialog: a frame picture, a close picture, texts in the UI font and the
// Chinese face, a status text that wraps, and three buttons (one disabled). 360 × 220 design
// pixels times the UI scale.
class CGalleryDlg : public ui::CDlgBase {
public:
    static constexpr int kDesignWidth = 360;
    static constexpr int kDesignHeight = 220;

    explicit CGalleryDlg(ui::WindowHandle parent);

    // Told of every notification the dialog receives (id, event code).
    void SetObserver(std::function<void(int, int)> observer) { m_observer = std::move(observer); }

    bool OnInitDialog() override;
    void DrawContent(ui::SkinPainter& painter, const ui::Rect& client) override;
    void CreateControls(ui::Rect client) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    std::intptr_t OnToggle(std::uintptr_t wParam, std::intptr_t code);

    std::function<void(int, int)> m_observer;
    bool m_toggled = false;
};

}  // namespace ostrel::gallery
