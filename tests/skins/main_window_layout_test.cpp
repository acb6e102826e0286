// The main window's layout: controls inside the window and their sections, sections apart from
// each other so any two can be open together, nothing overlapping by accident, the profile tabs
// where profile management puts them.
#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace ostrel::testing {
namespace {

using app::Collection;
using app::ControlClass;
using app::ControlPlace;

std::string Name(const ControlPlace& c) {
    return std::to_string(c.id) + (c.tag != 0 ? "/" + std::to_string(c.tag) : std::string());
}

bool Meet(const ui::Rect& a, const ui::Rect& b) {
    return !a.Intersected(b).IsEmpty();
}

bool Within(const ui::Rect& inner, const ui::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

const app::SectionPlace* SectionOf(Collection collection) {
    for (const app::SectionPlace& s : app::MainWindowSections()) {
        if (s.collection == collection) {
            return &s;
        }
    }
    return nullptr;
}

bool IsProfileTab(const ControlPlace& c) {
    return c.cls == ControlClass::CTabControl;
}

// Overlaps that are meant: badges lie on the mouse picture, a slider lies over its bar.
bool MeantToOverlap(const ControlPlace& a, const ControlPlace& b) {
    const auto badgeOnMouse = [](const ControlPlace& badge, const ControlPlace& mouse) {
        return badge.id == app::kIdDecoration && badge.tag != 0 && mouse.id == app::kIdDecoration &&
               mouse.tag == 0 && Within(badge.rect, mouse.rect);
    };
    const auto sliderOverBar = [](const ControlPlace& slider, const ControlPlace& bar) {
        return slider.cls == ControlClass::CSliderControl &&
               bar.cls == ControlClass::CStaticImage && Within(bar.rect, slider.rect);
    };
    return badgeOnMouse(a, b) || badgeOnMouse(b, a) || sliderOverBar(a, b) || sliderOverBar(b, a);
}

TEST(MainWindowLayout, SectionsHaveRegionsOfTheirOwn) {
    const auto sections = app::MainWindowSections();
    ASSERT_EQ(sections.size(), 6u);
    const ui::Rect window{0, 0, app::kMainWindowWidth, app::kMainWindowHeight};
    std::set<Collection> collections;
    for (const app::SectionPlace& s : sections) {
        EXPECT_TRUE(Within(s.region, window)) << s.tabId;
        EXPECT_NE(s.collection, Collection::Header);
        collections.insert(s.collection);
        const ControlPlace* tab = app::FindControlPlace(s.tabId);
        ASSERT_NE(tab, nullptr) << s.tabId;
        EXPECT_EQ(tab->cls, ControlClass::CCheckButton);
        EXPECT_EQ(tab->collection, Collection::Header);
        for (const app::SectionPlace& other : sections) {
            if (&other != &s) {
                EXPECT_FALSE(Meet(s.region, other.region)) << s.tabId << " and " << other.tabId;
            }
        }
    }
    EXPECT_EQ(collections.size(), 6u);
}

TEST(MainWindowLayout, ControlsLieInTheWindowAndInTheirSections) {
    const ui::Rect window{0, 0, app::kMainWindowWidth, app::kMainWindowHeight};
    for (const ControlPlace& c : app::MainWindowControls()) {
        SCOPED_TRACE(Name(c));
        EXPECT_FALSE(c.rect.IsEmpty());
        EXPECT_TRUE(Within(c.rect, window));
        if (c.collection == Collection::Header) {
            // An always-shown control must not lie under (or over) any section.
            for (const app::SectionPlace& s : app::MainWindowSections()) {
                EXPECT_FALSE(Meet(c.rect, s.region)) << "meets section " << s.tabId;
            }
        } else {
            const app::SectionPlace* section = SectionOf(c.collection);
            ASSERT_NE(section, nullptr);
            EXPECT_TRUE(Within(c.rect, section->region));
        }
    }
}

TEST(MainWindowLayout, ControlsOfOneCollectionDoNotOverlapByAccident) {
    const auto controls = app::MainWindowControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const ControlPlace& a = controls[i];
            const ControlPlace& b = controls[j];
            // Profile tabs move with the show list; their own test below.
            if (a.collection != b.collection || IsProfileTab(a) || IsProfileTab(b) ||
                a.id == app::kIdProfileAdd || b.id == app::kIdProfileAdd) {
                continue;
            }
            if (Meet(a.rect, b.rect)) {
                EXPECT_TRUE(MeantToOverlap(a, b)) << Name(a) << " overlaps " << Name(b);
            }
        }
    }
}

// Profile management puts the shown tabs one below the other, 25 apart and 21 high from 480,
// and the add button where position max(count, 3) would be, 3 lower.
TEST(MainWindowLayout, ProfileTabsAndAddButtonFollowTheShowCount) {
    for (int position = 0; position < 5; ++position) {
        SCOPED_TRACE(position);
        const ui::Rect tab = app::ProfileTabRect(position);
        EXPECT_EQ(tab.top, 480 + 25 * position);
        EXPECT_EQ(tab.Height(), 21);
        // The table places slot n at position n, as a fresh installation lists them.
        const ControlPlace* place = app::FindControlPlace(app::kIdProfileTabFirst + position);
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->rect, tab);
    }
    const struct { int count, top; } cases[] = {{1, 558}, {2, 558}, {3, 558}, {4, 583}, {5, 608}};
    const ControlPlace* area = nullptr;
    for (const ControlPlace& c : app::MainWindowControls()) {
        if (c.id == app::kIdProfileCombo) {
            area = &c;
        }
    }
    ASSERT_NE(area, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        const ui::Rect add = app::AddProfileButtonRect(c.count);
        EXPECT_EQ(add.top, c.top);
        for (int shown = 0; shown < c.count; ++shown) {
            EXPECT_FALSE(Meet(add, app::ProfileTabRect(shown))) << "tab " << shown;
        }
        // The profile drop-down stays clear below the lowest place of the add button.
        EXPECT_LE(add.bottom, area->rect.top);
    }
    EXPECT_EQ(app::FindControlPlace(app::kIdProfileAdd)->rect, app::AddProfileButtonRect(3));
}

TEST(MainWindowLayout, SectionsHoldTheirControls) {
    const struct {
        Collection collection;
        std::vector<int> ids;
    } cases[] = {
        {Collection::PollingRate, {1134, 3030, 3031, 3032, 3033, 3142, 3143, 3144, 3145}},
        {Collection::LiftOff, {3510, 3511, 3520, 3521}},
        {Collection::Debounce, {3530, 3531, 3532}},
        {Collection::LightingPage,
         {1144, 3161, 3162, 3163, 3164, 3180, 3187, 3190, 3191, 3200, 3210, 3220, 3230, 3240,
          3250}},
        {Collection::PointerPage,
         {3330, 2041, 2043, 2044, 3139, 3140, 3141, 3130, 3131, 3132, 3133, 3138, 2030, 2009,
          2010}},
        {Collection::DpiPage, {3260, 3267, 3270, 3277, 3280, 3287, 3290, 3297, 3300, 3307}},
    };
    for (const auto& c : cases) {
        for (const int id : c.ids) {
            SCOPED_TRACE(id);
            const ControlPlace* place = app::FindControlPlace(id);
            ASSERT_NE(place, nullptr);
            EXPECT_EQ(place->collection, c.collection);
        }
    }
    // The nine button functions, each under its own identifier, with its number chip and badge.
    for (int n = 0; n < app::kButtonFunctionCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_NE(app::FindControlPlace(app::kIdButtonFunction, app::kButtonFunctionFirst + n),
                  nullptr);
        const ControlPlace* badge = app::FindControlPlace(app::kIdDecoration, n + 1);
        ASSERT_NE(badge, nullptr);
        EXPECT_EQ(badge->skins.front(), u"skins\\mouse\\serial_number" +
                                            std::u16string(1, static_cast<char16_t>(u'1' + n)) +
                                            u".png");
    }
}

}  // namespace
}  // namespace ostrel::testing
