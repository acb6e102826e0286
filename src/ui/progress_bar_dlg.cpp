#include "ui/progress_bar_dlg.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "ui/host.h"
#include "ui/skin_painter.h"
#include "ui/static_text.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr char16_t kBackgroundPicture[] = u"skins\\Frame_progress_nr.bmp";
constexpr char16_t kFillPicture[] = u"skins\\Frame_progress_ov.bmp";
constexpr ColorRef kTitleColor = Rgb(190, 190, 190);
constexpr int kTitleFontHeight = 18;
// The bar: design rows 66 to 78 of both pictures, as wide as the dialog at 100 percent.
constexpr int kBarTop = 66;
constexpr int kBarHeight = 12;

}  // namespace

CProgressBarDlg::CProgressBarDlg(std::u16string title, std::u16string secondText,
                                 WindowHandle parent)
    : CDlgBase(kIdTemplateShared, parent),
      m_title(std::move(title)),
      m_secondText(std::move(secondText)) {
    m_designWidth = Scaled(kDesignWidth);
    m_designHeight = Scaled(kDesignHeight);
}

bool CProgressBarDlg::OnInitDialog() {
    if (!m_background.IsLoaded()) {
        m_background.LoadFile(ProgramFile(kBackgroundPicture));
    }
    if (!m_fill.IsLoaded()) {
        m_fill.LoadFile(ProgramFile(kFillPicture));
    }
    // The base sizes the window first and builds nothing more: the controls exist by then.
    CreateControls(CurrentHost().GetClientRect(Handle()));
    CDlgBase::OnInitDialog();
    m_percent = 0;
    m_fillWidth = -1;
    Step();
    CurrentHost().SetTimer(Handle(), kTimerProgressStep, kStepMs);
    return true;
}

void CProgressBarDlg::CreateControls(Rect client) {
    if (m_controlsCreated) {
        return;
    }
    m_controlsCreated = 1;
    auto title = std::make_unique<CStaticText>(Handle(), kIdProgressTitle, client.left + Scaled(10),
                                               client.top + Scaled(3), client.left + Scaled(164),
                                               client.top + Scaled(23), kTitleColor, 0, m_title);
    title->SetFont(static_cast<int>(kTitleFontHeight * UiScale()), UiFontSetting().face);
    AddControl(0, std::move(title));
}

void CProgressBarDlg::Step() {
    m_fillWidth = static_cast<int>(m_percent * kDesignWidth / kFullPercent);
    const double scale = UiScale();
    InvalidateRect({0, static_cast<int>(kBarTop * scale), static_cast<int>(kDesignWidth * scale),
                    static_cast<int>((kBarTop + kBarHeight) * scale)});
    m_percent = std::min(m_percent + kPercentStep, kFullPercent);
}

void CProgressBarDlg::OnTimer(unsigned id) {
    Host& host = CurrentHost();
    if (id == kTimerProgressStep) {
        if (m_percent < kFullPercent) {
            Step();
        } else {
            host.KillTimer(Handle(), kTimerProgressStep);
            host.SetTimer(Handle(), kTimerProgressClose, kCloseDelayMs);
        }
    } else if (id == kTimerProgressClose) {
        host.KillTimer(Handle(), kTimerProgressClose);
        m_background.Release();
        m_fill.Release();
        ReleaseControlImages();
        OnOK();
    }
}

void CProgressBarDlg::OnKeyDown(const KeyEvent& /*key*/) {
    // The dialog ends only by itself.
}

void CProgressBarDlg::DrawContent(SkinPainter& painter, const Rect& /*client*/) {
    const double scale = UiScale();
    painter.DrawImage(
        m_background,
        {0, 0, static_cast<int>(kDesignWidth * scale), static_cast<int>(kDesignHeight * scale)},
        {0, 0, kDesignWidth, kDesignHeight});
    if (m_fillWidth > 0) {
        const int top = static_cast<int>(kBarTop * scale);
        painter.DrawImage(m_fill,
                          {0, top, static_cast<int>(m_fillWidth * scale),
                           top + static_cast<int>(kBarHeight * scale)},
                          {0, kBarTop, m_fillWidth, kBarTop + kBarHeight});
    }
    DrawControls(painter, {0, 0, static_cast<int>(kDesignWidth * scale),
                           static_cast<int>(kDesignHeight * scale)});
}

}  // namespace ostrel::ui
