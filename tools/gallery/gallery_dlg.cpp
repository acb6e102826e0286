#include "gallery_dlg.h"

#include <memory>
#include <utility>

#include "gallery_button.h"
#include "gallery_label.h"
#include "gallery_pictures.h"
#include "ui/control_base.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::gallery {

namespace {

constexpr ui::ColorRef kTitleColor = ui::Rgb(82, 146, 254);
constexpr ui::ColorRef kTextColor = ui::Rgb(180, 180, 180);
constexpr ui::ColorRef kStatusColor = ui::Rgb(230, 230, 230);

ui::Rect Design(ui::Rect client, int left, int top, int right, int bottom) {
    return {client.left + ui::Scaled(left), client.top + ui::Scaled(top),
            client.left + ui::Scaled(right), client.top + ui::Scaled(bottom)};
}

}  // namespace

CGalleryDlg::CGalleryDlg(ui::WindowHandle parent) : CDlgBase(ui::kIdTemplateShared, parent) {
    m_designWidth = ui::Scaled(kDesignWidth);
    m_designHeight = ui::Scaled(kDesignHeight);
    MapMessage(ui::kIdCloseButton, &CDlgBase::OnCloseControl);
    MapMessage(ui::kIdOkButton, &CDlgBase::OnOkControl);
    MapMessage(kIdGalleryToggle, &CGalleryDlg::OnToggle);
}

bool CGalleryDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    SetFrameBitmapFile(ui::ProgramFile(kGalleryFrame));
    return true;
}

void CGalleryDlg::CreateControls(ui::Rect client) {
    const ui::WindowHandle window = Handle();
    const unsigned singleLine = ui::kDtVCenter | ui::kDtSingleLine | ui::kDtWordEllipsis;

    auto close = std::make_unique<GalleryButton>(window, ui::kIdCloseButton,
                                                 Design(client, 336, 7, 352, 23), u"", 0);
    close->LoadImages(ui::ProgramFile(kGalleryExitNormal), ui::ProgramFile(kGalleryExitHover),
                      ui::ProgramFile(kGalleryExitHover));
    AddControl(0, std::move(close));

    const UiFont& uiFont = ui::UiFontSetting();
    auto title =
        std::make_unique<GalleryLabel>(window, kIdGalleryTitle, Design(client, 12, 5, 300, 27),
                                       kTitleColor, singleLine, u"Toolkit gallery");
    title->SetFont(uiFont.height, uiFont.face);
    AddControl(0, std::move(title));

    AddControl(
        0, std::make_unique<GalleryLabel>(
               window, kIdGalleryFontLine, Design(client, 22, 46, 338, 68), kTextColor, singleLine,
               uiFont.face + u" shows as " + ui::InstalledFamilyFor(uiFont.face, uiFont.charset)));

    auto chinese = std::make_unique<GalleryLabel>(window, kIdGalleryChineseLine,
                                                  Design(client, 22, 70, 338, 92), kTextColor,
                                                  singleLine, u"宋体：鼠标设置与宏管理");
    chinese->SetFont(ui::Scaled(14), u"宋体");
    AddControl(0, std::move(chinese));

    AddControl(0, std::make_unique<GalleryLabel>(
                      window, kIdGalleryStatus, Design(client, 22, 96, 338, 144), kStatusColor,
                      ui::kDtCenter | ui::kDtWordBreak | ui::kDtEditControl,
                      u"Hover the buttons, press them, drag the window by its background."));

    const struct {
        int id;
        int left;
        const char16_t* text;
        int disabled;
    } buttons[] = {{kIdGalleryToggle, 22, u"Toggle", 0},
                   {kIdGalleryDisabled, 132, u"Disabled", 1},
                   {ui::kIdOkButton, 242, u"OK", 0}};
    for (const auto& b : buttons) {
        auto button = std::make_unique<GalleryButton>(
            window, b.id, Design(client, b.left, 160, b.left + 96, 188), b.text, b.disabled);
        button->LoadImages(ui::ProgramFile(kGalleryButtonNormal),
                           ui::ProgramFile(kGalleryButtonHover),
                           ui::ProgramFile(kGalleryButtonPressed));
        AddControl(0, std::move(button));
    }
}

void CGalleryDlg::DrawContent(ui::SkinPainter& painter, const ui::Rect& client) {
    painter.FillRect(client, m_backgroundColor);
    DrawFrameSurface(painter, client);
    DrawFrameBitmapFile(painter, ui::ProgramFile(kGalleryFrame));
    DrawControls(painter, client);
}

std::intptr_t CGalleryDlg::OnMessage(unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    if (m_observer && message >= ui::kMsgUser) {
        m_observer(static_cast<int>(message), static_cast<int>(lParam));
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

std::intptr_t CGalleryDlg::OnToggle(std::uintptr_t /*wParam*/, std::intptr_t code) {
    if (code != ui::kEventClick) {
        return 0;
    }
    m_toggled = !m_toggled;
    if (ui::CControlBase* status = FindControl(kIdGalleryStatus)) {
        status->SetText(m_toggled ? u"Toggled: the text changed, so only its rectangle was "
                                    u"painted again."
                                  : u"Toggled back.");
    }
    return 0;
}

}  // namespace ostrel::gallery
