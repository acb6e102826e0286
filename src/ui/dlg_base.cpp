#include "ui/dlg_base.h"

#include <algorithm>
#include <utility>

#include "ui/control_base.h"
#include "ui/host.h"
#include "ui/open_dialog_list.h"
#include "ui/skin_painter.h"
#include "ui/skin_resources.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr std::array<int, 13> kWholeWindowControls = {2040, 2049, 2050, 2051, 2052, 2053, 3001,
                                                      3002, 3003, 3004, 3007, 3008, 3009};

// A minimised window paints one pixel and nothing else.
constexpr Point kMinimizedPixel{10, 10};
constexpr ColorRef kWhite = Rgb(255, 255, 255);

// Ten points of the dialog font, from the screen's pixels per logical inch.
constexpr int kDialogFontPoints = 10;
constexpr int kPointsPerInch = 72;

const CDlgBase::Collection kEmptyCollection;

}  // namespace

bool IsWholeWindowControl(int id) {
    return std::find(kWholeWindowControls.begin(), kWholeWindowControls.end(), id) !=
           kWholeWindowControls.end();
}

CDlgBase::CDlgBase(int templateId, WindowHandle parent)
    : m_templateId(templateId), m_parent(parent) {
    m_icon.LoadIconResource(kResourceAppIcon);
}

CDlgBase::~CDlgBase() {
    // Controls go first, in collection and element order, while the dialog is still whole.
    m_hot = nullptr;
    m_pressed = nullptr;
    for (Collection& collection : m_collections) {
        for (auto& control : collection) {
            control.reset();
        }
        collection.clear();
    }
    if (m_registeredWindow != kNoWindow) {
        OpenDialogs().Remove(m_registeredWindow);
    }
    if (m_window != kNoWindow && HasCurrentHost()) {
        CurrentHost().DestroyWindow(m_window);
    }
}

bool CDlgBase::MakeWindow(bool modal) {
    if (m_window != kNoWindow) {
        return false;
    }
    // Both templates make a frameless top-level window. The main window's is the application's
    // own window in the task switcher; the shared one belongs to its parent.
    WindowOptions options;
    options.kind = WindowKind::Dialog;
    options.owner = m_templateId == kIdTemplateMain ? kNoWindow : m_parent;
    options.modal = modal;
    m_modal = modal;
    m_window = CurrentHost().CreateWindow(*this, options);
    return m_window != kNoWindow;
}

int CDlgBase::DoModal() {
    if (!MakeWindow(true)) {
        return kModalAbandoned;
    }
    OnInitDialog();
    const int code = CurrentHost().RunModal(m_window);
    DestroyWindow();
    return code;
}

bool CDlgBase::Create() {
    if (!MakeWindow(false)) {
        return false;
    }
    OnInitDialog();
    return true;
}

void CDlgBase::DestroyWindow() {
    if (m_window == kNoWindow) {
        return;
    }
    // OnWindowDestroyed clears the handle.
    CurrentHost().DestroyWindow(m_window);
    m_window = kNoWindow;
}

void CDlgBase::OnWindowDestroyed() {
    m_window = kNoWindow;
    m_captured = false;
    m_tracking = false;
    m_buttonDown = false;
}

bool CDlgBase::OnInitDialog() {
    Host& host = CurrentHost();
    if (m_icon.IsLoaded()) {
        host.SetIcon(m_window, m_icon);
    }
    host.SetWindowText(m_window, std::u16string(kProductTitle));
    m_dialogFont.Create(-(host.LogicalDpi() * kDialogFontPoints / kPointsPerInch),
                        kFontWeightSemiBold, kDefaultCharset, UiFontSetting().face);
    host.SetTopmost(m_window, false);
    host.ResizeWindow(m_window, {m_designWidth, m_designHeight});
    host.ShowWindow(m_window, ShowMode::Show);
    CreateControls(host.GetClientRect(m_window));
    CenterWindow();
    return true;
}

void CDlgBase::CenterWindow() {
    Host& host = CurrentHost();
    const Rect window = host.GetWindowRect(m_window);
    const Rect area = host.WorkArea();
    Rect around = area;
    if (m_parent != kNoWindow && host.IsWindow(m_parent) && host.IsVisible(m_parent) &&
        !host.IsMinimized(m_parent)) {
        around = host.GetWindowRect(m_parent);
    }
    int x = around.left + (around.Width() - window.Width()) / 2;
    int y = around.top + (around.Height() - window.Height()) / 2;
    // Inside the work area where the window fits; its top-left corner stays reachable otherwise.
    x = std::max(std::min(x, area.right - window.Width()), area.left);
    y = std::max(std::min(y, area.bottom - window.Height()), area.top);
    host.MoveWindow(m_window, {x, y});
}

void CDlgBase::OnOK() {
    EndDialog(kIdOk);
}

void CDlgBase::OnCancel() {
    EndDialog(kIdCancel);
}

void CDlgBase::OnClose() {
    OnCancel();
}

void CDlgBase::EndDialog(int code) {
    if (m_window == kNoWindow) {
        return;
    }
    if (m_modal) {
        CurrentHost().EndModal(m_window, code);
    } else {
        CurrentHost().ShowWindow(m_window, ShowMode::Hide);
    }
}

void CDlgBase::OnKeyDown(const KeyEvent& key) {
    // The keyboard default of a dialog: Enter confirms, Escape cancels.
    if (key.virtualKey == kVkReturn) {
        OnOK();
    } else if (key.virtualKey == kVkEscape) {
        OnCancel();
    }
}

void CDlgBase::DrawControls(SkinPainter& painter, const Rect& clip) {
    for (Collection& collection : m_collections) {
        for (size_t i = 0; i < collection.size(); ++i) {
            CControlBase* control = collection[i].get();
            if (control == nullptr || !control->IsDisplayed()) {
                continue;
            }
            if (control->GetBounds().Intersected(clip).IsEmpty()) {
                continue;
            }
            control->Draw(painter, clip);
        }
    }
}

void CDlgBase::SetFrameBitmap(int resourceId) {
    SkinImage bitmap;
    const bool loaded = bitmap.LoadBitmapResource(resourceId);
    PrepareFrameSurface(bitmap, loaded);
}

void CDlgBase::SetFrameBitmapFile(const std::filesystem::path& file) {
    SkinImage bitmap;
    const bool loaded = bitmap.LoadBitmapFile(file);
    PrepareFrameSurface(bitmap, loaded);
}

void CDlgBase::TakeFrameMeasures(const SkinImage& bitmap, bool loaded) {
    if (loaded) {
        m_frameBitmapWidth = bitmap.Width();
        m_frameBitmapHeight = bitmap.Height();
    }
    // A picture smaller than the dialog is shrunk by the inset; this runs with the size kept
    // from before when the load failed.
    if (m_designWidth <= m_frameBitmapWidth && m_designHeight <= m_frameBitmapHeight) {
        m_frameInset = 0;
    } else {
        m_frameInset = std::min({m_frameBitmapWidth, kMaxFrameInset, m_frameBitmapHeight});
    }
    if (!loaded) {
        return;
    }
    if (const auto average = bitmap.AverageColor()) {
        m_backgroundColor = *average;
    }
}

void CDlgBase::PrepareFrameSurface(const SkinImage& bitmap, bool loaded) {
    TakeFrameMeasures(bitmap, loaded);
    if (!loaded) {
        return;
    }
    // The surface has the picture's own size; what the scaled picture puts beyond it is cut off.
    m_frameSurface.Reset(m_frameBitmapWidth, m_frameBitmapHeight);
    SkinPainter painter(m_frameSurface);
    const double scale = UiScale();
    const Rect destination{0, 0, static_cast<int>((m_frameBitmapWidth - m_frameInset) * scale),
                           static_cast<int>((m_frameBitmapHeight - m_frameInset) * scale)};
    painter.StretchCopy(bitmap, destination, {0, 0, bitmap.Width(), bitmap.Height()});
}

void CDlgBase::DrawFrameSurface(SkinPainter& painter, const Rect& client) const {
    painter.CopySurface(m_frameSurface, {0, 0},
                        {std::min(m_frameBitmapWidth, client.Width()),
                         std::min(m_frameBitmapHeight, client.Height())});
}

bool CDlgBase::DrawFrameBitmapFile(SkinPainter& painter, const std::filesystem::path& file) const {
    SkinImage bitmap;
    if (!bitmap.LoadBitmapFile(file)) {
        return false;
    }
    painter.DrawBitmapStretched(bitmap, UiScale());
    return true;
}

CControlBase* CDlgBase::FindControl(int id) const {
    for (const Collection& collection : m_collections) {
        for (const auto& control : collection) {
            if (control && control->Id() == id) {
                return control.get();
            }
        }
    }
    return nullptr;
}

void CDlgBase::ReleaseControlImages() {
    for (Collection& collection : m_collections) {
        for (size_t i = 0; i < collection.size(); ++i) {
            if (collection[i]) {
                collection[i]->ReleaseImages();
            }
        }
    }
}

CControlBase* CDlgBase::AddControl(int collection, std::unique_ptr<CControlBase> control) {
    if (collection < 0 || collection >= kCollectionCount) {
        return nullptr;
    }
    CControlBase* added = control.get();
    m_collections[static_cast<size_t>(collection)].push_back(std::move(control));
    return added;
}

const CDlgBase::Collection& CDlgBase::Controls(int collection) const {
    if (collection < 0 || collection >= kCollectionCount) {
        return kEmptyCollection;
    }
    return m_collections[static_cast<size_t>(collection)];
}

void CDlgBase::SetPopup(int slot, WindowHandle popup) {
    if (slot >= 0 && slot < kPopupSlotCount) {
        m_popups[static_cast<size_t>(slot)] = popup;
    }
}

WindowHandle CDlgBase::Popup(int slot) const {
    if (slot < 0 || slot >= kPopupSlotCount) {
        return kNoWindow;
    }
    return m_popups[static_cast<size_t>(slot)];
}

void CDlgBase::ClosePopup(int slot) {
    if (slot < 0 || slot >= kPopupSlotCount) {
        return;
    }
    WindowHandle& popup = m_popups[static_cast<size_t>(slot)];
    if (popup != kNoWindow) {
        if (m_pressed != nullptr && m_pressed != m_hot) {
            m_pressed->OnReset(0);
            m_pressed = nullptr;
        }
        Host& host = CurrentHost();
        if (host.IsWindow(popup)) {
            host.PostMessage(popup, kMsgClose, 0, 0);
        }
    }
    popup = kNoWindow;
}

bool CDlgBase::RegisterOpenDialog() {
    if (m_window == kNoWindow || m_registeredWindow != kNoWindow) {
        return false;
    }
    if (!OpenDialogs().Register(m_window)) {
        return false;
    }
    m_registeredWindow = m_window;
    return true;
}

void CDlgBase::MapMessage(unsigned message, MessageHandler handler) {
    m_messageMap[message] = std::move(handler);
}

std::intptr_t CDlgBase::OnCloseControl(std::uintptr_t /*wParam*/, std::intptr_t code) {
    if (code == kEventClick) {
        ReleaseControlImages();
        OnCancel();
    }
    return 0;
}

std::intptr_t CDlgBase::OnOkControl(std::uintptr_t /*wParam*/, std::intptr_t code) {
    if (code == kEventClick) {
        ReleaseControlImages();
        OnOK();
    }
    return 0;
}

std::intptr_t CDlgBase::OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    const auto handler = m_messageMap.find(message);
    if (handler != m_messageMap.end()) {
        // A copy: the handler may map messages itself.
        const MessageHandler call = handler->second;
        return call(wParam, lParam);
    }
    if (message == kMsgClose) {
        OnClose();
    }
    return 0;
}

void CDlgBase::InvalidateRect(const Rect& rect) {
    if (m_window != kNoWindow) {
        CurrentHost().InvalidateRect(m_window, rect);
    }
}

void CDlgBase::InvalidateWindow() {
    if (m_window != kNoWindow) {
        CurrentHost().InvalidateWindow(m_window);
    }
}

void CDlgBase::OnPaint(Surface& target, const Rect& /*invalid*/) {
    Host& host = CurrentHost();
    if (host.IsMinimized(m_window)) {
        SkinPainter(target).SetPixel(kMinimizedPixel.x, kMinimizedPixel.y, kWhite);
        return;
    }
    const Rect client = host.GetClientRect(m_window);
    Surface backBuffer(client.Width(), client.Height());
    {
        SkinPainter painter(backBuffer);
        DrawContent(painter, client);
    }
    SkinPainter(target).CopySurface(backBuffer, {0, 0}, {client.Width(), client.Height()});
}

bool CDlgBase::IsEligible(const CControlBase* control) const {
    return control != nullptr && control->IsDisplayed() && control->Interactive() != 0;
}

void CDlgBase::OnMouseMove(unsigned flags, int x, int y) {
    Host& host = CurrentHost();
    const Point point{x, y};
    if (!m_tracking) {
        m_tracking = host.TrackMouse(m_window, kHoverTimeMs);
    }
    if (m_hot != nullptr && m_hot->GetBounds().Contains(point) && m_tracking) {
        m_lastMousePoint = point;
        if (m_hot->OnMouseMove(flags, x, y) && m_hot != nullptr) {
            InvalidateRect(m_hot->GetBounds());
        }
        return;
    }
    // A pressed control keeps the hover while the button is held.
    if (m_buttonDown) {
        return;
    }
    m_lastMousePoint = point;
    CControlBase* previous = m_hot;
    CControlBase* found = nullptr;
    if (m_tracking) {
        // Every eligible control sees the move, so each can drop its own hover look; the last
        // hit in drawing order wins. Indexes, not iterators: a handler may add controls.
        for (Collection& collection : m_collections) {
            for (size_t i = 0; i < collection.size(); ++i) {
                CControlBase* control = collection[i].get();
                if (!IsEligible(control)) {
                    continue;
                }
                control->OnMouseMove(flags, x, y);
                if (control->GetBounds().Contains(point)) {
                    found = control;
                }
            }
        }
    }
    if (previous != nullptr) {
        InvalidateRect(previous->GetBounds());
    }
    if (found != nullptr) {
        m_hot = found;
        InvalidateRect(m_hot->GetBounds());
    } else {
        m_hot = nullptr;
    }
}

void CDlgBase::OnMouseLeave() {
    m_tracking = false;
    if (m_buttonDown) {
        return;
    }
    if (m_hot != nullptr) {
        Host& host = CurrentHost();
        const Point cursor = host.ScreenToClient(m_window, host.GetCursorPos());
        if (host.IsMaximized(m_window) && m_hot->GetBounds().Contains(cursor)) {
            m_lastMousePoint = cursor;
        } else {
            m_lastMousePoint = {-1, -1};
        }
        m_hot->OnMouseMove(0, m_lastMousePoint.x, m_lastMousePoint.y);
        if (m_hot != nullptr) {
            InvalidateRect(m_hot->GetBounds());
        }
    }
    m_hot = nullptr;
}

void CDlgBase::OnMouseHover(unsigned /*flags*/, int /*x*/, int /*y*/) {
    if (m_hot == nullptr) {
        return;
    }
    Host& host = CurrentHost();
    const Point cursor = host.ScreenToClient(m_window, host.GetCursorPos());
    if (m_hot->GetBounds().Contains(cursor)) {
        m_lastMousePoint = cursor;
        InvalidateRect(m_hot->GetBounds());
    }
}

void CDlgBase::OnLButtonDown(unsigned flags, int x, int y) {
    Host& host = CurrentHost();
    const Point point{x, y};
    if (m_buttonDown || m_captured) {
        // The release of the last press never came (a modal run opened on that press took it).
        // Finish that press as released outside and find the control under the mouse again;
        // otherwise this press would move the window, and so would every later one.
        OnLButtonUp(flags, kNoRect.left, kNoRect.top);
        OnMouseMove(flags, x, y);
    }
    if (m_pressed != nullptr && m_pressed != m_hot) {
        m_pressed->OnReset(0);
        m_pressed = nullptr;
    }
    if (m_hot != nullptr && m_hot->GetBounds().Contains(point)) {
        m_buttonDown = true;
        m_pressed = m_hot;
        m_pressedRect = m_hot->GetBounds();
        if (m_hot->OnLButtonDown(flags, x, y) && m_hot != nullptr) {
            InvalidateRect(m_hot->GetBounds());
        }
        if (!m_captured) {
            host.SetCapture(m_window);
            m_captured = true;
            return;
        }
    }
    // The bare background moves the window.
    m_pressedRect = kNoRect;
    host.StartSystemMove(m_window, point);
}

void CDlgBase::OnLButtonUp(unsigned flags, int x, int y) {
    const Point point{x, y};
    if (m_captured) {
        m_captured = false;
        CurrentHost().ReleaseCapture();
    }
    m_buttonDown = false;
    if (m_hot != nullptr) {
        const Rect bounds = m_hot->GetBounds();
        const bool changed = m_hot->OnLButtonUp(flags, x, y);
        // A handler may have cleared the hot control.
        if (m_hot != nullptr) {
            if (changed) {
                if (IsWholeWindowControl(m_hot->Id())) {
                    InvalidateWindow();
                } else {
                    InvalidateRect(bounds);
                }
            }
            if (m_pressedRect.Contains(point) || bounds.Contains(point)) {
                m_lastMousePoint = point;
            } else {
                m_lastMousePoint = {-1, -1};
                m_hot = nullptr;
            }
        }
    }
    m_doubleClicked = false;
    m_pressedRect = kNoRect;
}

void CDlgBase::OnLButtonDblClk(unsigned flags, int x, int y) {
    if (m_hot == nullptr) {
        return;
    }
    const Point point{x, y};
    for (const Collection& collection : m_collections) {
        for (const auto& control : collection) {
            if (control && control->GetBounds().Contains(point)) {
                const Rect bounds = control->GetBounds();
                m_hot->OnLButtonDblClk(flags, x, y);
                m_pressedRect = bounds;
                m_doubleClicked = true;
                return;
            }
        }
    }
}

void CDlgBase::OnRButtonUp(unsigned flags, int x, int y) {
    // Right clicks reach only the controls of the first collection.
    const Point point{x, y};
    for (const auto& control : m_collections[0]) {
        if (control && control->GetBounds().Contains(point)) {
            if (m_hot != nullptr) {
                m_hot->OnRButtonUp(flags, x, y);
            }
            return;
        }
    }
}

void CDlgBase::OnCaptureLost() {
    // The host took the capture away (a modal run began); the release will not come here.
    m_captured = false;
}

}  // namespace ostrel::ui
