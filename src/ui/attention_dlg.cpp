#include "ui/attention_dlg.h"

#include <memory>
#include <utility>

#include "ui/host.h"
#include "ui/image_button.h"
#include "ui/skin_painter.h"
#include "ui/static_text.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr ColorRef kTitleColor = Rgb(82, 146, 254);
constexpr ColorRef kMessageColor = Rgb(180, 180, 180);
constexpr char16_t kFrameWarning[] = u"skins\\Frame_warning.bmp";
constexpr char16_t kExitNormal[] = u"skins\\exit_nr.png";
constexpr char16_t kExitHover[] = u"skins\\exit_ov.png";
constexpr char16_t kButtonNormal[] = u"skins\\button2_nr.png";
constexpr char16_t kButtonHover[] = u"skins\\button2_ov.png";
// Posted to a notice to itself once it has ended.
constexpr unsigned kMsgDestroyNotice = kMsgUser + 1;

// A design rectangle relative to the client's corner, times the UI scale (truncated).
Rect Design(const Rect& client, int left, int top, int right, int bottom) {
    return {client.left + Scaled(left), client.top + Scaled(top), client.left + Scaled(right),
            client.top + Scaled(bottom)};
}

}  // namespace

CAttentionDlg::CAttentionDlg(const std::u16string& /*title*/, std::u16string message,
                             WindowHandle parent)
    : CDlgBase(kIdTemplateShared, parent), m_message(std::move(message)) {
    m_designWidth = Scaled(kDesignWidth);
    m_designHeight = Scaled(kDesignHeight);
    MapMessage(kIdCloseButton, &CDlgBase::OnCloseControl);
    MapMessage(kIdOkButton, &CDlgBase::OnOkControl);
}

CAttentionDlg::~CAttentionDlg() = default;

WindowHandle CAttentionDlg::ShowNotice(const std::u16string& title, std::u16string message,
                                       WindowHandle parent) {
    auto box = std::make_unique<CAttentionDlg>(title, std::move(message), parent);
    if (!box->Create()) {
        return kNoWindow;
    }
    CurrentHost().SetTopmost(box->Handle(), true);
    box->m_notice = true;
    // From here the box deletes itself with its window.
    return box.release()->Handle();
}

bool CAttentionDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    RegisterOpenDialog();
    return true;
}

void CAttentionDlg::CreateControls(Rect client) {
    const WindowHandle window = Handle();
    const UiFont& uiFont = UiFontSetting();

    const Rect closeRect = Design(client, 300, 4, 315, 19);
    auto close =
        std::make_unique<CImageButton>(window, kIdCloseButton, closeRect.left, closeRect.top,
                                       closeRect.right, closeRect.bottom, u"", kDtLeft);
    close->LoadNormalImage(ProgramFile(kExitNormal));
    close->LoadHoverImage(ProgramFile(kExitHover));
    AddControl(0, std::move(close));

    const Rect okRect = Design(client, 240, 70, 309, 90);
    auto ok =
        std::make_unique<CImageButton>(window, kIdOkButton, okRect.left, okRect.top, okRect.right,
                                       okRect.bottom, LanguageText(kTextOk), kDtCenter);
    ok->LoadNormalImage(ProgramFile(kButtonNormal));
    ok->LoadHoverImage(ProgramFile(kButtonHover));
    AddControl(0, std::move(ok));

    const Rect titleRect = Design(client, 21, 11, 175, 31);
    auto title =
        std::make_unique<CStaticText>(window, kIdAttentionTitle, titleRect.left, titleRect.top,
                                      titleRect.right, titleRect.bottom, kTitleColor, 0, m_title);
    title->SetFont(uiFont.height, uiFont.face);
    AddControl(0, std::move(title));

    const Rect messageRect = Design(client, 0, 40, 319, 60);
    auto message = std::make_unique<CStaticText>(
        window, kIdAttentionMessage, messageRect.left, messageRect.top, messageRect.right,
        messageRect.bottom, kMessageColor, kDtCenter | kDtVCenter | kDtWordBreak | kDtEditControl,
        m_message);
    message->SetFont(uiFont.height, uiFont.face);
    AddControl(0, std::move(message));
}

void CAttentionDlg::DrawContent(SkinPainter& painter, const Rect& client) {
    painter.FillRect(client, m_backgroundColor);
    DrawFrameSurface(painter, client);
    DrawFrameBitmapFile(painter, ProgramFile(kFrameWarning));
    DrawControls(painter, client);
}

void CAttentionDlg::OnOK() {
    if (m_notice) {
        EndNotice();
        return;
    }
    CDlgBase::OnOK();
}

void CAttentionDlg::OnCancel() {
    if (m_notice) {
        EndNotice();
        return;
    }
    CDlgBase::OnCancel();
}

void CAttentionDlg::EndNotice() {
    if (Handle() == kNoWindow) {
        return;
    }
    CurrentHost().ShowWindow(Handle(), ShowMode::Hide);
    CurrentHost().PostMessage(Handle(), kMsgDestroyNotice, 0, 0);
}

std::intptr_t CAttentionDlg::OnMessage(unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    if (message == kMsgDestroyNotice && m_notice) {
        // Deletes the box (OnWindowDestroyed): nothing of it may be touched after this.
        CurrentHost().DestroyWindow(Handle());
        return 0;
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

void CAttentionDlg::OnWindowDestroyed() {
    CDlgBase::OnWindowDestroyed();
    if (m_notice) {
        delete this;
    }
}

}  // namespace ostrel::ui
