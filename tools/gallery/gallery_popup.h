#pragma once

#include <string>
#include <vector>

#include "ui/wnd_popup.h"

namespace ostrel::gallery {

// The messages a menu sends its owner while the mouse moves over it, as the function menu does:
// open the sub-menu beside the hovered item, or close it.
inline constexpr unsigned kMsgOpenSubMenu = 1040;
inline constexpr unsigned kMsgCloseSubMenu = 1033;

// A popup of the gallery: the given items ("-" for a separator, a trailing ">" for an item with
// a sub-menu). In a function menu, hovering an item with a sub-menu asks the owner to open it,
// any other item to close it.
class CGalleryPopup : public ui::CWndPopup {
public:
    CGalleryPopup(const ui::PopupKindInfo& kind, std::vector<std::u16string> items);

    void BuildItems() override;
    bool OnItemHover(int x, int y) override;

private:
    std::vector<std::u16string> m_texts;
};

}  // namespace ostrel::gallery
