// The popup frame on the headless host: layout with separators, hover that draws again only when
// the hovered item changes, press and release on items, the selection record, deactivation by a
// press outside (a sub-menu stacked on its menu included), closing and self-deletion, and the
// placement of the function menu and its sub-menus.
#include "ui/wnd_popup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "recording_dialog.h"
#include "test_pictures.h"
#include "ui/popup_placement.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

constexpr ui::ColorRef kItemSkin = ui::Rgb(60, 60, 60);
constexpr ui::ColorRef kHoverSkin = ui::Rgb(20, 90, 160);
constexpr ui::ColorRef kSeparator = ui::Rgb(53, 160, 222);
constexpr int kOwnerValue = 2087;

const ui::PopupKindInfo kMenu = *ui::PopupKindOf(ui::kPopupKindFunctionMenu);
const ui::PopupKindInfo kSubMenu = *ui::PopupKindOf(ui::kPopupKindDpi);

int g_popupsAlive = 0;

// Two items, a separator and an item with a sub-menu.
class TestPopup : public ui::CWndPopup {
public:
    explicit TestPopup(const ui::PopupKindInfo& kind)
        : CWndPopup(kind.kind, kind.deactivationMessage, kind.width, kind.rowHeight) {
        ++g_popupsAlive;
    }
    ~TestPopup() override { --g_popupsAlive; }

    void BuildItems() override {
        AddItem(1, u"One", 0, {0x10, 0x01, 0x00});
        AddItem(2, u"Two", 0, {0x10, 0x02, 0x00});
        AddSeparator();
        AddItem(3, u"Three", 1);
    }
};

class Popups : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        g_popupsAlive = 0;
        const auto item = WriteSolidPicture(u"skins\\menu_nr.png", 190, 22, kItemSkin);
        const auto hover = WriteSolidPicture(u"skins\\menu_ov.png", 190, 22, kHoverSkin);
        m_owner = std::make_unique<RecordingDialog>(ui::Size{600, 400});
        ASSERT_TRUE(m_owner->Create());
        // The owner as the main window is: a choice or a deactivation closes its popups.
        for (const unsigned message : {kMenu.selectionMessage, kSubMenu.selectionMessage}) {
            m_owner->MapMessage(message, [this](std::uintptr_t, std::intptr_t lParam) {
                const auto* record = reinterpret_cast<const ui::PopupSelection*>(lParam);
                m_chosen.push_back(*record);
                CloseAll();
                return std::intptr_t{0};
            });
        }
        for (const unsigned message : {kMenu.deactivationMessage, kSubMenu.deactivationMessage}) {
            m_owner->MapMessage(message, [this](std::uintptr_t, std::intptr_t) {
                CloseAll();
                return std::intptr_t{0};
            });
        }
        m_item = item;
        m_hover = hover;
    }

    void TearDown() override {
        m_owner.reset();
        EXPECT_EQ(g_popupsAlive, 0) << "a popup outlived its window";
        UiTest::TearDown();
    }

    void CloseAll() {
        m_owner->ClosePopup(0);
        m_owner->ClosePopup(3);
    }

    // Opens a popup at a screen position and keeps it in an owner slot.
    ui::WindowHandle Open(const ui::PopupKindInfo& kind, int slot, ui::Point at) {
        auto popup = std::make_unique<TestPopup>(kind);
        popup->LoadMenuSkin(m_item, m_hover, m_item, m_hover);
        const ui::WindowHandle window = ui::CWndPopup::Open(std::move(popup), m_owner->Handle(),
                                                            {at.x, at.y, at.x + 300, at.y + 300},
                                                            kind.selectionMessage, kOwnerValue);
        m_owner->SetPopup(slot, window);
        return window;
    }

    ui::CWndPopup& PopupOf(ui::WindowHandle window) {
        return *static_cast<ui::CWndPopup*>(m_host.Client(window));
    }

    std::vector<Note> NotesOf(unsigned message) const {
        std::vector<Note> found;
        for (const Note& note : m_owner->notes) {
            if (note.message == message) {
                found.push_back(note);
            }
        }
        return found;
    }

    std::unique_ptr<RecordingDialog> m_owner;
    std::vector<ui::PopupSelection> m_chosen;
    std::filesystem::path m_item;
    std::filesystem::path m_hover;
};

TEST_F(Popups, ItemsAndSeparatorsAreLaidOutInRowsAndSizeTheWindow) {
    struct Case {
        double scale;
        std::vector<ui::Rect> rects;
        ui::Size window;
    };
    const std::vector<Case> cases = {
        {1.0, {{1, 1, 161, 23}, {1, 23, 161, 45}, {1, 47, 161, 48}, {1, 49, 161, 71}}, {162, 72}},
        {2.0, {{2, 2, 322, 46}, {2, 46, 322, 90}, {2, 94, 322, 96}, {2, 98, 322, 142}}, {324, 144}},
    };
    for (const Case& c : cases) {
        ui::SetUiScale(c.scale);
        const ui::WindowHandle window = Open(kMenu, 0, {400, 300});
        ASSERT_NE(window, ui::kNoWindow);
        std::vector<ui::Rect> rects;
        for (const ui::CWndPopup::Item& item : PopupOf(window).Items()) {
            rects.push_back(item.rect);
        }
        EXPECT_EQ(rects, c.rects) << "scale " << c.scale;
        const ui::Rect r = m_host.GetWindowRect(window);
        EXPECT_EQ(r, (ui::Rect{400, 300, 400 + c.window.width, 300 + c.window.height}));
        EXPECT_TRUE(m_host.IsVisible(window));
        EXPECT_TRUE(m_host.IsTopmost(window));
        m_owner->ClosePopup(0);
        m_host.DeliverPosted();
        EXPECT_FALSE(m_host.IsWindow(window));
    }
}

TEST_F(Popups, HoverDrawsAgainOnlyWhenTheHoveredItemChanges) {
    const ui::WindowHandle window = Open(kMenu, 0, {400, 300});
    ui::CWndPopup& popup = PopupOf(window);
    const int opened = popup.RenderCount();
    struct Step {
        const char* name;
        ui::Point point;
        int hover;
        int renders;  // since the popup opened
    };
    const std::vector<Step> steps = {
        {"onto the first item", {50, 10}, 0, 1},     {"within the first item", {90, 20}, 0, 1},
        {"onto the second item", {90, 30}, 1, 2},    {"onto the separator", {90, 47}, -1, 3},
        {"still on the separator", {60, 47}, -1, 3}, {"onto the sub-menu item", {60, 60}, 3, 4},
    };
    for (const Step& step : steps) {
        m_host.MouseMove(window, step.point.x, step.point.y);
        EXPECT_EQ(popup.HoverIndex(), step.hover) << step.name;
        EXPECT_EQ(popup.RenderCount() - opened, step.renders) << step.name;
    }
    // The picture: the hovered row in the hover skin, the others in the item skin, the
    // separator in the accent colour.
    const QImage picture = m_host.Render(window);
    EXPECT_EQ(PixelOf(picture, 5, 60), kHoverSkin);
    EXPECT_EQ(PixelOf(picture, 5, 10), kItemSkin);
    EXPECT_EQ(PixelOf(picture, 5, 47), kSeparator);
    EXPECT_EQ(PixelOf(picture, 0, 0), ui::Rgb(0, 0, 0));

    // Leaving the popup drops the hover.
    m_host.MouseMoveScreen({10, 10});
    EXPECT_EQ(popup.HoverIndex(), -1);
}

TEST_F(Popups, AReleaseOnTheHoveredItemChoosesItAndOnAnotherChoosesNothing) {
    const ui::WindowHandle window = Open(kMenu, 0, {400, 300});
    ui::CWndPopup& popup = PopupOf(window);
    m_host.MouseMove(window, 50, 10);
    m_host.LButtonDown(window, 50, 10);
    m_host.MouseMove(window, 50, 30);  // held: the hover stays on the first item
    EXPECT_EQ(popup.HoverIndex(), 0);
    m_host.LButtonUp(window, 50, 30);
    EXPECT_EQ(popup.HoverIndex(), -1);
    EXPECT_TRUE(m_chosen.empty());
    EXPECT_TRUE(NotesOf(kMenu.selectionMessage).empty());

    m_host.Click(window, 50, 30);
    ASSERT_EQ(m_chosen.size(), 1u);
    EXPECT_EQ(m_chosen[0].name, u"Two");
    EXPECT_EQ(m_chosen[0].code, (ui::PopupCode{0x10, 0x02, 0x00}));
    ASSERT_EQ(NotesOf(kMenu.selectionMessage).size(), 1u);
    EXPECT_EQ(NotesOf(kMenu.selectionMessage)[0].wParam, static_cast<std::uintptr_t>(kOwnerValue));
    // The owner closed it: WM_CLOSE is reported with 1025 and the popup goes.
    m_host.DeliverPosted();
    EXPECT_FALSE(m_host.IsWindow(window));
    EXPECT_EQ(NotesOf(ui::kMsgPopupClosed), (std::vector<Note>{{ui::kMsgPopupClosed, 0, 0}}));
    EXPECT_EQ(g_popupsAlive, 0);
}

TEST_F(Popups, APressOutsideDeactivatesThePopupAndReachesTheOwner) {
    const ui::WindowHandle window = Open(kMenu, 0, {400, 300});
    // Escape goes to the popup, which ignores it: the owner stays open.
    m_host.KeyDown(ui::kVkEscape);
    EXPECT_TRUE(m_host.IsWindow(window));
    EXPECT_TRUE(m_owner->notes.empty());

    m_host.Click(m_owner->Handle(), 20, 380);
    EXPECT_EQ(NotesOf(kMenu.deactivationMessage),
              (std::vector<Note>{{kMenu.deactivationMessage, kOwnerValue, kMenu.kind}}));
    // The press that closed the last popup moved the owner by its background.
    EXPECT_EQ(m_host.SystemMoveCount(), 1);
    m_host.DeliverPosted();
    EXPECT_FALSE(m_host.IsWindow(window));
    EXPECT_EQ(NotesOf(ui::kMsgPopupClosed).size(), 1u);
}

TEST_F(Popups, ASubMenuStacksOnItsMenuAndAPressOutsideBothClosesBoth) {
    const ui::WindowHandle menu = Open(kMenu, 0, {400, 300});
    const ui::WindowHandle sub = Open(kSubMenu, 3, {562, 300});
    EXPECT_TRUE(m_owner->notes.empty()) << "opening the sub-menu deactivated the menu";
    EXPECT_EQ(m_host.OpenPopups(), (std::vector<ui::WindowHandle>{menu, sub}));

    // The menu below still takes the mouse where the sub-menu does not cover it.
    m_host.MouseMove(menu, 50, 10);
    EXPECT_EQ(PopupOf(menu).HoverIndex(), 0);
    m_host.MouseMove(sub, 50, 30);
    EXPECT_EQ(PopupOf(sub).HoverIndex(), 1);
    EXPECT_EQ(PopupOf(menu).HoverIndex(), -1);

    m_host.Click(m_owner->Handle(), 20, 380);
    EXPECT_EQ(NotesOf(kSubMenu.deactivationMessage).size(), 1u);
    EXPECT_TRUE(NotesOf(kMenu.deactivationMessage).empty());
    EXPECT_EQ(m_host.SystemMoveCount(), 0);  // the menu was still open: the press stopped there
    m_host.DeliverPosted();
    EXPECT_FALSE(m_host.IsWindow(menu));
    EXPECT_FALSE(m_host.IsWindow(sub));
    EXPECT_EQ(NotesOf(ui::kMsgPopupClosed).size(), 2u);
}

TEST_F(Popups, APopupGoesWithItsOwnerAndTellsNobody) {
    const ui::WindowHandle window = Open(kMenu, 0, {400, 300});
    ASSERT_EQ(g_popupsAlive, 1);
    m_owner->DestroyWindow();
    EXPECT_FALSE(m_host.IsWindow(window));
    EXPECT_EQ(g_popupsAlive, 0);
    EXPECT_TRUE(m_owner->notes.empty());
}

TEST(PopupPlacement, TheFunctionMenuAndItsSubMenusMoveUpNearTheBottomOfTheScreen) {
    struct Case {
        const char* name;
        double scale;
        ui::Rect anchor;
        int windowTop;
        int screenHeight;
        ui::Point menu;
        ui::Point subMenu;
    };
    const std::vector<Case> cases = {
        {"room below", 1.0, {100, 500, 200, 522}, 100, 1080, {261, 502}, {361, 624}},
        {"exactly enough room", 1.0, {100, 500, 200, 522}, 264, 1080, {261, 502}, {361, 624}},
        // 502 + 500 + 314 reaches past 1080: the menu's top goes to 1080 - 294 on the screen.
        {"near the bottom", 1.0, {100, 500, 200, 522}, 500, 1080, {261, 286}, {361, 404}},
        {"near the bottom at scale 2",
         2.0,
         {200, 1000, 400, 1044},
         800,
         2160,
         {522, 772},
         {722, 1008}},
    };
    for (const Case& c : cases) {
        const ui::Rect menu = ui::FunctionMenuRect(c.anchor, c.windowTop, c.screenHeight, c.scale);
        const ui::Rect sub = ui::SubMenuRect(c.anchor, c.windowTop, c.screenHeight, c.scale);
        EXPECT_EQ((ui::Point{menu.left, menu.top}), c.menu) << c.name;
        EXPECT_EQ((ui::Point{sub.left, sub.top}), c.subMenu) << c.name;
        EXPECT_EQ(menu.Width(), static_cast<int>(300 * c.scale)) << c.name;
        EXPECT_EQ(sub.Height(), static_cast<int>(300 * c.scale)) << c.name;
    }
}

}  // namespace
}  // namespace ostrel::testing
