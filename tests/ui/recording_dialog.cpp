#include "recording_dialog.h"

#include <memory>

#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::testing {

namespace {
constexpr unsigned kTextFlags = ui::kDtCenter | ui::kDtVCenter | ui::kDtSingleLine;
constexpr ui::ColorRef kTextColor = ui::Rgb(255, 255, 255);
}  // namespace

RecordingControl::RecordingControl(ui::WindowHandle parent, int id, ui::Rect rect, int disabled,
                                   int visible, int shown)
    : CControlBase(parent, id, rect.left, rect.top, rect.right, rect.bottom, u"", visible, shown,
                   disabled, 1) {}

void RecordingControl::Draw(ui::SkinPainter& painter, ui::Rect /*clip*/) {
    const ui::ColorRef fill = m_state == ui::kStatePressed ? kPressedFill
                              : m_state == ui::kStateHover ? kHoverFill
                                                           : kNormalFill;
    painter.FillRect(GetBounds(), fill);
    painter.DrawText(GetText(), GetBounds(), kTextFlags, kTextColor, Font());
}

int RecordingControl::OnReset(int reason) {
    ++resets;
    return CControlBase::OnReset(reason);
}

bool RecordingControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    ++moves;
    lastMove = {x, y};
    return StandardMouseMove(x, y);
}

bool RecordingControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool RecordingControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

bool RecordingControl::OnLButtonDblClk(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDblClk(x, y);
}

bool RecordingControl::OnRButtonUp(unsigned /*flags*/, int x, int y) {
    ++rightUps;
    if (!Disabled() && Contains(x, y)) {
        Notify(ui::kEventRightClick);
    }
    return false;
}

void RecordingControl::ReleaseImages() {
    ++releases;
}

RecordingDialog::RecordingDialog(ui::Size designSize, ui::WindowHandle parent)
    : CDlgBase(ui::kIdTemplateShared, parent) {
    m_designWidth = ui::Scaled(designSize.width);
    m_designHeight = ui::Scaled(designSize.height);
}

RecordingControl* RecordingDialog::AddRecording(int collection, int id, ui::Rect rect, int disabled,
                                                int visible, int shown) {
    return static_cast<RecordingControl*>(AddControl(
        collection,
        std::make_unique<RecordingControl>(Handle(), id, rect, disabled, visible, shown)));
}

RecordingControl* RecordingDialog::Recording(int id) const {
    return dynamic_cast<RecordingControl*>(FindControl(id));
}

void RecordingDialog::CreateControls(ui::Rect client) {
    createdWith = client;
    if (build) {
        build(*this, client);
    }
}

void RecordingDialog::DrawContent(ui::SkinPainter& painter, const ui::Rect& client) {
    if (paint) {
        paint(*this, painter, client);
        return;
    }
    painter.FillRect(client, m_backgroundColor);
    DrawFrameSurface(painter, client);
    DrawControls(painter, client);
}

std::intptr_t RecordingDialog::OnMessage(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    if (message >= ui::kMsgUser) {
        notes.push_back({message, wParam, lParam});
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

void RecordingDialog::OnClose() {
    if (onClose) {
        onClose();
    }
    CDlgBase::OnClose();
}

}  // namespace ostrel::testing
