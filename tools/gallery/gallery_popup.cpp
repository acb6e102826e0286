#include "gallery_popup.h"

#include <utility>

namespace ostrel::gallery {

CGalleryPopup::CGalleryPopup(const ui::PopupKindInfo& kind, std::vector<std::u16string> items)
    : CWndPopup(kind.kind, kind.deactivationMessage, kind.width, kind.rowHeight),
      m_texts(std::move(items)) {}

void CGalleryPopup::BuildItems() {
    int value = 1;
    for (const std::u16string& text : m_texts) {
        if (text == u"-") {
            AddSeparator();
            continue;
        }
        const bool subMenu = !text.empty() && text.back() == u'>';
        AddItem(value, subMenu ? text.substr(0, text.size() - 1) : text, subMenu ? 1 : 0,
                {0x10, static_cast<std::uint8_t>(value), 0x00});
        ++value;
    }
}

bool CGalleryPopup::OnItemHover(int x, int y) {
    const int before = HoverIndex();
    const bool changed = CWndPopup::OnItemHover(x, y);
    const int hovered = HoverIndex();
    // Only the function menu opens and closes sub-menus.
    if (Kind() == ui::kPopupKindFunctionMenu && hovered >= 0 && hovered != before) {
        const Item& item = Items()[static_cast<size_t>(hovered)];
        SendToOwner(item.subMenu ? kMsgOpenSubMenu : kMsgCloseSubMenu,
                    static_cast<std::uintptr_t>(OwnerValue()), item.value);
    }
    return changed;
}

}  // namespace ostrel::gallery
