// The pictures the build draws: every skin file and resource the program loads is there, loads
// through the skin module, and has the size its control or dialog needs.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "ui/power_dial_geometry.h"
#include "app/main_window_layout.h"
#include "ui/skin_image.h"
#include "ui/skin_resources.h"
#include "ui/toolkit_globals.h"

namespace ostrel::testing {
namespace {

// The files the system loads from its skins folder, as it names them.
std::vector<std::u16string> SkinFileNames() {
    std::vector<std::u16string> names = {u"1000hz_dn.png",
                                         u"1000hz_nr.png",
                                         u"125hz_dn.png",
                                         u"125hz_nr.png",
                                         u"250hz_dn.png",
                                         u"250hz_nr.png",
                                         u"500hz_dn.png",
                                         u"500hz_nr.png",
                                         u"add_nr.png",
                                         u"add_ov.png",
                                         u"battery_charging.png",
                                         u"battery_empty.png",
                                         u"battery_full.png",
                                         u"battery_green.png",
                                         u"battery_lighting.png",
                                         u"battery_orange.png",
                                         u"battery_red.png",
                                         u"button1_nr.png",
                                         u"button1_ov.png",
                                         u"button2_nr.png",
                                         u"button2_ov.png",
                                         u"button4_nr.png",
                                         u"check_button_dpi_dn.png",
                                         u"check_button_dpi_nr.png",
                                         u"check_button_dpi_ov.png",
                                         u"check_dn.png",
                                         u"check_nr.png",
                                         u"check_ov.png",
                                         u"color_select_check.png",
                                         u"color_select_nr.png",
                                         u"combo2_nr.png",
                                         u"combo2_ov.png",
                                         u"combo3_nr.png",
                                         u"combo3_ov.png",
                                         u"down_check.png",
                                         u"down_nr.png",
                                         u"down_ov.png",
                                         u"dpi_value.png",
                                         u"exit_nr.png",
                                         u"exit_ov.png",
                                         u"foldr_close.png",
                                         u"foldr_open.png",
                                         u"Frame_common.bmp",
                                         u"Frame_DPI.bmp",
                                         u"Frame_Lighting_Setting.bmp",
                                         u"Frame_Macro_Manager.bmp",
                                         u"Frame_progress_nr.bmp",
                                         u"Frame_progress_ov.bmp",
                                         u"Frame_warning.bmp",
                                         u"header2_nr.png",
                                         u"header2_ov.png",
                                         u"header_nr.png",
                                         u"header_ov.png",
                                         u"macro_down.png",
                                         u"macro_record_dn.png",
                                         u"macro_record_nr.png",
                                         u"macro_time.png",
                                         u"macro_up.png",
                                         u"menu_nr.png",
                                         u"menu_ov.png",
                                         u"menusub_nr.png",
                                         u"menusub_ov.png",
                                         u"min_nr.png",
                                         u"min_ov.png",
                                         u"mouse\\dpi_bar_1.png",
                                         u"mouse\\dpi_bar_2.png",
                                         u"mouse\\mouse_nr.png",
                                         u"profile_slot_nr.png",
                                         u"profile_slot_nr2.png",
                                         u"profile_slot_ov.png",
                                         u"profile_slot_ov2.png",
                                         u"radio_dn.png",
                                         u"radio_nr.png",
                                         u"radio_ov.png",
                                         u"Slider_bar.png",
                                         u"Slider_bar2.png",
                                         u"Slider_Circle.png",
                                         u"up_check.png",
                                         u"up_nr.png",
                                         u"up_ov.png"};
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        names.push_back(u"mouse\\number" + std::u16string(1, digit) + u".png");
        names.push_back(u"mouse\\serial_number" + std::u16string(1, digit) + u".png");
    }
    for (int minutes = 3; minutes <= 10; ++minutes) {
        const std::u16string number =
            minutes == 10 ? u"10" : std::u16string(1, static_cast<char16_t>(u'0' + minutes));
        names.push_back(u"power_manage_" + number + u"min.png");
    }
    return names;
}

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

class SkinFiles : public ::testing::Test {
protected:
    void SetUp() override { ui::SetProgramFolder(OSTREL_TEST_PROGRAM_DIR); }
    void TearDown() override { ui::ResetToolkitGlobals(); }

    // Loaded as the program loads it: bitmaps as opaque dialog pictures, the rest with alpha.
    static ui::SkinImage Load(std::u16string_view systemName) {
        const std::u16string name = systemName.starts_with(u"skins\\")
                                        ? std::u16string(systemName)
                                        : u"skins\\" + std::u16string(systemName);
        ui::SkinImage image;
        if (name.ends_with(u".bmp")) {
            image.LoadBitmapFile(ui::ProgramFile(name));
        } else {
            image.LoadFile(ui::ProgramFile(name));
        }
        return image;
    }
};

TEST_F(SkinFiles, EverySkinFileLoads) {
    const std::vector<std::u16string> names = SkinFileNames();
    ASSERT_EQ(names.size(), 106u);
    for (const std::u16string& name : names) {
        SCOPED_TRACE(Narrow(name));
        const ui::SkinImage image = Load(name);
        EXPECT_TRUE(image.IsLoaded());
        EXPECT_GT(image.Width(), 0);
        EXPECT_GT(image.Height(), 0);
    }
}

TEST_F(SkinFiles, DialogPicturesHaveTheSizesTheDialogsDrawThemAt) {
    const struct {
        const char16_t* name;
        int width, height;
    } cases[] = {
        {u"Frame_warning.bmp", 319, 102},
        {u"Frame_progress_nr.bmp", 429, 140},
        {u"Frame_progress_ov.bmp", 429, 140},
        {u"Frame_common.bmp", 429, 140},
        {u"Frame_DPI.bmp", 429, 140},
        // The message box's close and OK buttons, (300, 4)–(315, 19) and (240, 70)–(309, 90).
        {u"exit_nr.png", 15, 15},
        {u"exit_ov.png", 15, 15},
        {u"button2_nr.png", 69, 20},
        {u"button2_ov.png", 69, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        const ui::SkinImage image = Load(c.name);
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
    }
}

TEST_F(SkinFiles, MenuSkinsHoldTheItemPartPopupsTake) {
    for (const char16_t* name :
         {u"menu_nr.png", u"menu_ov.png", u"menusub_nr.png", u"menusub_ov.png"}) {
        SCOPED_TRACE(Narrow(name));
        const ui::SkinImage image = Load(name);
        EXPECT_GE(image.Width(), 190);
        EXPECT_GE(image.Height(), 22);
    }
}

// Every picture the main window loads is as large as the controls that load it, so stretching
// it over the control at scale 1 changes nothing and at 1.5 and 2 repeats whole pixels.
TEST_F(SkinFiles, MainWindowPicturesHaveTheSizeOfTheirControls) {
    for (const app::ControlPlace& control : app::MainWindowControls()) {
        for (const std::u16string_view skin : control.skins) {
            SCOPED_TRACE(std::to_string(control.id) + " " + Narrow(skin));
            const ui::SkinImage image = Load(skin);
            ASSERT_TRUE(image.IsLoaded());
            if (control.cls == app::ControlClass::CSliderControl) {
                // The thumb, drawn at its own size and centred on each step by the pads.
                EXPECT_EQ(image.Width(), 2 * control.sliderPad);
                EXPECT_EQ(image.Height(), control.rect.Height());
            } else {
                EXPECT_EQ(image.Width(), control.rect.Width());
                EXPECT_EQ(image.Height(), control.rect.Height());
            }
        }
    }
}

// The tree list draws folders one pixel below the top of rows 20 high; the action list draws
// its icons 3 below the row top in a 15-pixel column.
TEST_F(SkinFiles, ListIconsFitTheirRows) {
    for (const char16_t* name : {u"foldr_open.png", u"foldr_close.png"}) {
        SCOPED_TRACE(Narrow(name));
        const ui::SkinImage image = Load(name);
        EXPECT_LE(image.Height() + 1, 20);
        EXPECT_LE(image.Width() + 3, 20);
    }
    for (const char16_t* name : {u"macro_up.png", u"macro_down.png", u"macro_time.png"}) {
        SCOPED_TRACE(Narrow(name));
        const ui::SkinImage image = Load(name);
        EXPECT_LE(image.Height() + 3, 20);
        EXPECT_LE(image.Width(), 15);
    }
}

// The battery draws the full picture over the empty one only in the rows of its fill, 7 to 56:
// everywhere else the two must agree, or a half-full battery would show a seam.
TEST_F(SkinFiles, FullAndEmptyBatteryDifferOnlyInTheFillRows) {
    const QImage full = Load(u"battery_full.png").Image().convertToFormat(QImage::Format_ARGB32);
    const QImage empty = Load(u"battery_empty.png").Image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(full.size(), empty.size());
    int fillDifferences = 0;
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x) {
            const bool differ = full.pixel(x, y) != empty.pixel(x, y);
            if (y >= 7 && y < 57) {
                fillDifferences += differ ? 1 : 0;
            } else {
                EXPECT_FALSE(differ) << "at " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(fillDifferences, 0);
}

// The dial's click triangles, as the control has them.
const QPointF kDialCentre(ui::kPowerDialCentre.x, ui::kPowerDialCentre.y);
QPointF DialCorner(int minutes, int corner) {
    const ui::Point p = ui::kPowerDialCorners[static_cast<std::size_t>(minutes - ui::kPowerDialFirstMinutes)]
                                            [static_cast<std::size_t>(corner)];
    return QPointF(p.x, p.y);
}

bool InsideDialTriangle(int minutes, QPointF p) {
    const QPointF a = kDialCentre;
    const QPointF b = DialCorner(minutes, 0);
    const QPointF c = DialCorner(minutes, 1);
    const auto cross = [](QPointF o, QPointF u, QPointF v) {
        return (u.x() - o.x()) * (v.y() - o.y()) - (u.y() - o.y()) * (v.x() - o.x());
    };
    const double d1 = cross(a, b, p);
    const double d2 = cross(b, c, p);
    const double d3 = cross(c, a, p);
    return (d1 > 0 && d2 > 0 && d3 > 0) || (d1 < 0 && d2 < 0 && d3 < 0);
}

int Brightness(QRgb pixel) {
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
}

// Each dial picture lights the segment of its own value: at every pixel at least seven of the
// eight pictures agree, and where one differs, the pixel lies inside that picture's click
// triangle and is brighter there.
TEST_F(SkinFiles, EachPowerDialPictureIsLitInsideItsOwnTriangleOnly) {
    std::vector<QImage> dials;
    for (int minutes = 3; minutes <= 10; ++minutes) {
        const std::u16string number =
            minutes == 10 ? u"10" : std::u16string(1, static_cast<char16_t>(u'0' + minutes));
        const ui::SkinImage image = Load(u"power_manage_" + number + u"min.png");
        ASSERT_TRUE(image.IsLoaded());
        dials.push_back(image.Image().convertToFormat(QImage::Format_ARGB32));
        ASSERT_EQ(dials.back().size(), dials.front().size());
    }
    std::array<int, 8> lit{};
    std::array<long, 8> litBrightness{};
    std::array<long, 8> unlitBrightness{};
    const QSize size = dials.front().size();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            // The look the unlit pictures share: the value that at least seven of them hold.
            QRgb base = dials[0].pixel(x, y);
            if (std::count_if(dials.begin(), dials.end(),
                              [&](const QImage& d) { return d.pixel(x, y) == base; }) < 7) {
                base = dials[1].pixel(x, y);
            }
            const auto same = std::count_if(dials.begin(), dials.end(),
                                            [&](const QImage& d) { return d.pixel(x, y) == base; });
            ASSERT_GE(same, 7) << "two pictures lit at " << x << ", " << y;
            for (int k = 0; k < 8; ++k) {
                const QRgb own = dials[static_cast<std::size_t>(k)].pixel(x, y);
                if (own == base) {
                    continue;
                }
                EXPECT_TRUE(InsideDialTriangle(k + 3, QPointF(x + 0.5, y + 0.5)))
                    << k + 3 << " minutes lit at " << x << ", " << y;
                ++lit[static_cast<std::size_t>(k)];
                litBrightness[static_cast<std::size_t>(k)] += Brightness(own);
                unlitBrightness[static_cast<std::size_t>(k)] += Brightness(base);
            }
        }
    }
    for (std::size_t k = 0; k < 8; ++k) {
        SCOPED_TRACE(k + 3);
        EXPECT_GT(lit[k], 100);
        EXPECT_GT(litBrightness[k], unlitBrightness[k]);
    }
}

class Resources : public SkinFiles {};

TEST_F(Resources, WindowPicturesAndIconAreCompiledIn) {
    ui::SkinImage main;
    ASSERT_TRUE(main.LoadBitmapResource(ui::kResourceMainWindowPicture));
    EXPECT_EQ(main.Width(), app::kMainWindowWidth);
    EXPECT_EQ(main.Height(), app::kMainWindowHeight);
    ui::SkinImage palette;
    ASSERT_TRUE(palette.LoadBitmapResource(ui::kResourcePalettePicture));
    EXPECT_EQ(palette.Width(), 500);
    EXPECT_EQ(palette.Height(), 291);
    ui::SkinImage icon;
    EXPECT_TRUE(icon.LoadIconResource(ui::kResourceAppIcon));
}

TEST_F(Resources, ScrollArrowStripsHoldThreeFrames) {
    for (const int id : {ui::kResourceScrollDownArrows, ui::kResourceScrollUpArrows}) {
        SCOPED_TRACE(id);
        ui::SkinImage strip;
        ASSERT_TRUE(strip.LoadPngResource(id));
        EXPECT_GT(strip.Width(), 0);
        EXPECT_EQ(strip.Width() % 3, 0);
        EXPECT_EQ(strip.FrameWidth(3), strip.Height());
    }
}

// The palette dialog takes the colour under a click inside (18, 26)–(222, 270) or
// (244, 26)–(473, 190) and ignores the ground colour 0x0F0F0F: inside both fields every pixel
// must be an offered colour, and the colours a light needs most must be there.
TEST_F(Resources, PaletteChartOffersColoursUnderBothPickRectangles) {
    ui::SkinImage chart;
    ASSERT_TRUE(chart.LoadBitmapResource(ui::kResourcePalettePicture));
    const QImage pixels = chart.Image().convertToFormat(QImage::Format_RGB32);
    const QRgb ground = qRgb(0x0F, 0x0F, 0x0F);
    const struct {
        int left, top, right, bottom;
    } fields[] = {{18, 26, 222, 270}, {244, 26, 473, 190}};
    std::vector<QRgb> offered;
    for (const auto& f : fields) {
        for (int y = f.top; y < f.bottom; ++y) {
            for (int x = f.left; x < f.right; ++x) {
                const bool border =
                    x == f.left || y == f.top || x == f.right - 1 || y == f.bottom - 1;
                const QRgb pixel = pixels.pixel(x, y);
                if (!border) {
                    ASSERT_NE(pixel, ground) << "at " << x << ", " << y;
                }
                offered.push_back(pixel);
            }
        }
    }
    for (const QRgb wanted :
         {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
        EXPECT_NE(std::find(offered.begin(), offered.end(), wanted), offered.end())
            << std::hex << wanted;
    }
    // Between and below the fields the chart is its ground, so a click there changes nothing.
    EXPECT_EQ(pixels.pixel(233, 100), ground);
    EXPECT_EQ(pixels.pixel(400, 240), ground);
}

}  // namespace
}  // namespace ostrel::testing
