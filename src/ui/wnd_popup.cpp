#include "ui/wnd_popup.h"

#include <algorithm>
#include <utility>

#include "ui/host.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr ColorRef kSeparatorColor = Rgb(53, 160, 222);
constexpr ColorRef kItemText = Rgb(180, 180, 180);
constexpr ColorRef kHoveredItemText = Rgb(255, 255, 255);
constexpr unsigned kItemTextFlags = kDtCenter | kDtVCenter | kDtSingleLine | kDtWordEllipsis;
// The item text keeps this far from the item's sides.
constexpr int kTextInset = 2;
// Design pixels of the layout: the margin around the items and a separator's rows.
constexpr double kMargin = 1;
constexpr double kSeparatorTop = 2;
constexpr double kSeparatorBottom = 3;
constexpr double kSeparatorAdvance = 4;
constexpr int kIconColumn = 25;

}  // namespace

std::optional<PopupKindInfo> PopupKindOf(int kind) {
    for (const PopupKindInfo& info : kPopupKinds) {
        if (info.kind == kind) {
            return info;
        }
    }
    return std::nullopt;
}

CWndPopup::LifeGuard::LifeGuard(CWndPopup& popup) : popup(popup), outer(popup.m_guard) {
    popup.m_guard = this;
}

CWndPopup::LifeGuard::~LifeGuard() {
    if (!gone) {
        popup.m_guard = outer;
    }
}

CWndPopup::CWndPopup(int kind, unsigned deactivationMessage, int designWidth, int rowHeight)
    : m_kind(kind),
      m_deactivationMessage(deactivationMessage),
      m_designWidth(designWidth),
      m_rowHeight(rowHeight) {
    const UiFont& uiFont = UiFontSetting();
    m_font.Create(uiFont.height, kFontWeightDontCare, uiFont.charset, uiFont.face);
}

CWndPopup::~CWndPopup() {
    if (m_window != kNoWindow && HasCurrentHost()) {
        // Not through OnWindowDestroyed: the object is going already.
        m_ownsItself = false;
        CurrentHost().DestroyWindow(m_window);
    }
}

WindowHandle CWndPopup::Open(std::unique_ptr<CWndPopup> popup, WindowHandle owner,
                             const Rect& screenRect, unsigned selectionMessage, int ownerValue) {
    if (!popup || !popup->Create(owner, screenRect, selectionMessage, ownerValue)) {
        return kNoWindow;
    }
    CWndPopup* open = popup.release();
    open->m_ownsItself = true;
    return open->m_window;
}

bool CWndPopup::Create(WindowHandle owner, const Rect& screenRect, unsigned selectionMessage,
                       int ownerValue) {
    Host& host = CurrentHost();
    WindowOptions options;
    options.kind = WindowKind::Popup;
    options.owner = owner;
    m_window = host.CreateWindow(*this, options);
    if (m_window == kNoWindow) {
        return false;
    }
    m_owner = owner;
    m_selectionMessage = selectionMessage;
    m_ownerValue = ownerValue;
    m_position = {screenRect.left, screenRect.top};
    host.ResizeWindow(m_window, {screenRect.Width(), screenRect.Height()});
    BuildItems();
    Layout();
    Render();
    host.MoveWindow(m_window, m_position);
    host.ShowWindow(m_window, ShowMode::Show);
    return true;
}

void CWndPopup::LoadMenuSkin(const std::filesystem::path& item,
                             const std::filesystem::path& itemHover,
                             const std::filesystem::path& subMenu,
                             const std::filesystem::path& subMenuHover) {
    m_itemImage.LoadFile(item);
    m_itemHoverImage.LoadFile(itemHover);
    m_subMenuImage.LoadFile(subMenu);
    m_subMenuHoverImage.LoadFile(subMenuHover);
}

void CWndPopup::AddItem(int value, std::u16string text, int subMenu, PopupCode code) {
    Item item;
    item.value = value;
    item.text = std::move(text);
    item.subMenu = subMenu;
    item.code = code;
    m_items.push_back(std::move(item));
    Layout();
}

void CWndPopup::AddSeparator() {
    Item item;
    item.separator = 1;
    m_items.push_back(std::move(item));
    Layout();
}

void CWndPopup::Layout() {
    const double scale = UiScale();
    const int margin = static_cast<int>(kMargin * scale);
    const int width = static_cast<int>(m_designWidth * scale);
    const int itemLeft = m_fullWidth ? 0 : margin;
    const int itemRight = m_fullWidth ? width : static_cast<int>((m_designWidth - kMargin) * scale);
    int y = margin;
    for (Item& item : m_items) {
        if (item.separator) {
            item.rect = {margin, y + static_cast<int>(kSeparatorTop * scale),
                         static_cast<int>((m_designWidth - kMargin) * scale),
                         y + static_cast<int>(kSeparatorBottom * scale)};
            y += static_cast<int>(kSeparatorAdvance * scale);
        } else {
            const int height = static_cast<int>(m_rowHeight * scale);
            item.rect = {itemLeft, y, itemRight, y + height};
            y += height;
        }
    }
    if (m_window != kNoWindow) {
        CurrentHost().ResizeWindow(m_window, {width, y + margin});
    }
}

void CWndPopup::Render() {
    if (m_window == kNoWindow) {
        return;
    }
    const Rect client = CurrentHost().GetClientRect(m_window);
    m_picture.Reset(client.Width(), client.Height());
    {
        SkinPainter painter(m_picture);
        DrawItems(painter, client);
    }
    ++m_renderCount;
    CurrentHost().InvalidateWindow(m_window);
}

void CWndPopup::DrawItems(SkinPainter& painter, const Rect& /*client*/) {
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        if (item.separator) {
            painter.FillRect(item.rect, kSeparatorColor);
            continue;
        }
        const bool hovered = static_cast<int>(i) == m_hover;
        const SkinImage& picture = item.subMenu ? (hovered ? m_subMenuHoverImage : m_subMenuImage)
                                                : (hovered ? m_itemHoverImage : m_itemImage);
        painter.DrawImage(picture, item.rect, m_skinSource);
        const Rect text{item.rect.left + kTextInset, item.rect.top, item.rect.right - kTextInset,
                        item.rect.bottom};
        painter.DrawText(item.text, text, kItemTextFlags, hovered ? kHoveredItemText : kItemText,
                         m_font);
    }
}

void CWndPopup::DrawItemIcons(SkinPainter& painter, const Rect& /*client*/) {
    const double scale = UiScale();
    const int column = static_cast<int>(kIconColumn * scale);
    for (const Item& item : m_items) {
        if (item.separator || !item.icon.IsLoaded()) {
            continue;
        }
        const int width = static_cast<int>(item.icon.Width() * scale);
        const int height = static_cast<int>(item.icon.Height() * scale);
        const int left = item.rect.left + (column - width) / 2;
        const int top = item.rect.top + (item.rect.Height() - height) / 2;
        painter.DrawImage(item.icon, {left, top, left + width, top + height});
    }
}

void CWndPopup::BuildItems() {}

bool CWndPopup::OnItemHover(int x, int y) {
    const Point point{x, y};
    if (m_hover >= 0 && m_items[static_cast<size_t>(m_hover)].rect.Contains(point)) {
        return false;
    }
    const int before = m_hover;
    m_hover = -1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (!m_items[i].separator && m_items[i].rect.Contains(point)) {
            m_hover = static_cast<int>(i);
            break;
        }
    }
    // The picture is drawn again only when the hovered item changed.
    return m_hover != before;
}

bool CWndPopup::OnItemPress(int x, int y) {
    if (m_hover >= 0 && !m_items[static_cast<size_t>(m_hover)].rect.Contains({x, y})) {
        m_hover = -1;
    }
    return false;
}

bool CWndPopup::OnItemRelease(int x, int y) {
    if (m_hover < 0) {
        return false;
    }
    const Item& item = m_items[static_cast<size_t>(m_hover)];
    if (!item.rect.Contains({x, y})) {
        m_hover = -1;
        return true;
    }
    ChooseItem(item);
    return false;
}

bool CWndPopup::OnItemRightRelease(int /*x*/, int /*y*/) {
    return false;
}

void CWndPopup::ChooseItem(const Item& item) {
    m_selection.name = item.text;
    m_selection.code = item.code;
    SendToOwner(m_selectionMessage, static_cast<std::uintptr_t>(m_ownerValue),
                reinterpret_cast<std::intptr_t>(&m_selection));
}

std::intptr_t CWndPopup::SendToOwner(unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    Host& host = CurrentHost();
    if (!host.IsWindow(m_owner)) {
        return 0;
    }
    return host.SendMessage(m_owner, message, wParam, lParam);
}

Point CWndPopup::CursorInClient() const {
    const Host& host = CurrentHost();
    return host.ScreenToClient(m_window, host.GetCursorPos());
}

void CWndPopup::OnPaint(Surface& target, const Rect& /*invalid*/) {
    SkinPainter(target).CopySurface(m_picture, {0, 0}, {m_picture.Width(), m_picture.Height()});
}

void CWndPopup::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (!m_tracking) {
        m_tracking = CurrentHost().TrackMouse(m_window, kHoverTimeMs);
    }
    if (m_buttonDown) {
        return;
    }
    LifeGuard guard(*this);
    const bool changed = OnItemHover(x, y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnMouseLeave() {
    m_tracking = false;
    if (m_buttonDown) {
        return;
    }
    const Point cursor = CursorInClient();
    LifeGuard guard(*this);
    const bool changed = OnItemHover(cursor.x, cursor.y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnMouseHover(unsigned /*flags*/, int /*x*/, int /*y*/) {
    const Point cursor = CursorInClient();
    LifeGuard guard(*this);
    const bool changed = OnItemHover(cursor.x, cursor.y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    m_buttonDown = true;
    CurrentHost().SetCapture(m_window);
    m_captured = true;
    LifeGuard guard(*this);
    const bool changed = OnItemPress(x, y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (m_captured) {
        m_captured = false;
        CurrentHost().ReleaseCapture();
    }
    m_buttonDown = false;
    LifeGuard guard(*this);
    const bool changed = OnItemRelease(x, y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnRButtonUp(unsigned /*flags*/, int x, int y) {
    LifeGuard guard(*this);
    const bool changed = OnItemRightRelease(x, y);
    if (!guard.gone && changed) {
        Render();
    }
}

void CWndPopup::OnCaptureLost() {
    m_captured = false;
    m_buttonDown = false;
}

void CWndPopup::OnActivate(bool active) {
    if (!active && !m_closing) {
        SendToOwner(m_deactivationMessage, static_cast<std::uintptr_t>(m_ownerValue), m_kind);
    }
}

std::intptr_t CWndPopup::OnMessage(unsigned message, std::uintptr_t /*wParam*/,
                                   std::intptr_t /*lParam*/) {
    if (message == kMsgClose) {
        m_closing = true;
        LifeGuard guard(*this);
        SendToOwner(kMsgPopupClosed, 0, 0);
        if (!guard.gone) {
            // The popup is deleted with its window; nothing of it may be touched after this.
            CurrentHost().DestroyWindow(m_window);
        }
    }
    return 0;
}

void CWndPopup::OnWindowDestroyed() {
    m_window = kNoWindow;
    for (LifeGuard* guard = m_guard; guard != nullptr; guard = guard->outer) {
        guard->gone = true;
    }
    if (m_ownsItself) {
        delete this;
    }
}

}  // namespace ostrel::ui
