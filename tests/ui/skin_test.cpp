// The skin module: where pictures are found, how they load and scale, fills, texts and fonts.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ui/skin_font.h"
#include "ui/skin_image.h"
#include "ui/skin_painter.h"
#include "ui/skin_resources.h"
#include "ui/skin_surface.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

constexpr ui::ColorRef kGround = ui::Rgb(10, 20, 30);
constexpr ui::ColorRef kInk = ui::Rgb(250, 240, 100);

class Skin : public UiTest {
protected:
    std::filesystem::path Write(const QImage& image, std::u16string_view name, const char* format) {
        const std::filesystem::path file = ui::ProgramFile(name);
        std::filesystem::create_directories(file.parent_path());
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), format));
        return file;
    }

    // The bounding box of every pixel that is not the ground colour.
    static ui::Rect Ink(const ui::Surface& surface) {
        ui::Rect box{surface.Width(), surface.Height(), 0, 0};
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (surface.PixelAt(x, y) != kGround) {
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }

    ui::Surface Text(const std::u16string& text, const ui::Rect& rect, unsigned flags,
                     const ui::SkinFont& font, ui::Size size = {200, 120}) {
        ui::Surface surface(size.width, size.height);
        ui::SkinPainter painter(surface);
        painter.FillRect(surface.Bounds(), kGround);
        painter.DrawText(text, rect, flags, kInk, font);
        return surface;
    }

    static ui::SkinFont Font(int height) {
        ui::SkinFont font;
        font.Create(height, ui::kFontWeightDontCare, ui::kDefaultCharset, u"Tahoma");
        return font;
    }
};

// Nine distinct colours in a 3 × 3 picture.
QImage Nine() {
    QImage image(3, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            image.setPixelColor(x, y, QColor(40 + 80 * x, 40 + 80 * y, 200 - 60 * x));
        }
    }
    return image;
}

TEST_F(Skin, SkinPathsFollowTheProgramFolder) {
    EXPECT_EQ(ui::ProgramFile(u"skins\\exit_nr.png"), m_folder.Path() / "skins" / "exit_nr.png");
    EXPECT_EQ(ui::ProgramFile(u"skins\\mouse\\number1.png"),
              m_folder.Path() / "skins" / "mouse" / "number1.png");
}

TEST_F(Skin, LoadsRecordTheSizeAndMissingPicturesDrawNothing) {
    ui::SkinImage png;
    EXPECT_TRUE(png.LoadFile(Write(Nine(), u"skins\\nine.png", "PNG")));
    EXPECT_EQ(png.Width(), 3);
    EXPECT_EQ(png.Height(), 3);
    ui::SkinImage bmp;
    EXPECT_TRUE(bmp.LoadBitmapFile(Write(Nine().scaled(5, 4), u"skins\\Frame_x.bmp", "BMP")));
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.Height(), 4);

    ui::SkinImage missing;
    EXPECT_FALSE(missing.LoadFile(ui::ProgramFile(u"skins\\missing.png")));
    EXPECT_FALSE(missing.LoadFile(m_folder.Path()));
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.Width(), 0);
    EXPECT_EQ(missing.AverageColor(), std::nullopt);

    ui::Surface surface(8, 8);
    ui::SkinPainter painter(surface);
    painter.FillRect(surface.Bounds(), kGround);
    painter.DrawImage(missing, surface.Bounds());
    painter.DrawBitmapStretched(missing, 2.0);
    EXPECT_EQ(surface.PixelAt(4, 4), kGround);
}

TEST_F(Skin, ResourcesAreFoundByNumberAndAMissingOneLoadsNothing) {
    // The test program carries three-frame strips as resources 187 (red, green, blue frames) and
    // 188 (cyan, magenta, white).
    ui::SkinImage strip;
    ASSERT_TRUE(strip.LoadPngResource(ui::kResourceScrollDownArrows));
    EXPECT_EQ(strip.Width(), 9);
    EXPECT_EQ(strip.FrameWidth(3), 3);

    ui::Surface surface(3, 4);
    ui::SkinPainter painter(surface);
    painter.DrawImage(strip, surface.Bounds(), {3, 0, 6, 4});
    EXPECT_EQ(surface.PixelAt(1, 1), ui::Rgb(0, 255, 0));

    ui::SkinImage missing;
    EXPECT_FALSE(missing.LoadPngResource(ui::kResourcePalettePicture));
    EXPECT_FALSE(missing.LoadBitmapResource(ui::kResourceMainWindowPicture));
    EXPECT_FALSE(missing.LoadBitmapResource(ui::kResourceScrollDownArrows));  // a PNG, not a bitmap
    EXPECT_FALSE(missing.LoadIconResource(ui::kResourceAppIcon));
}

TEST_F(Skin, ScaleTwoDoublesEveryPixelWithoutSmoothing) {
    ui::SkinImage picture = ui::SkinImage::FromImage(Nine());
    for (const bool stretched : {true, false}) {
        ui::Surface surface(6, 6);
        {
            ui::SkinPainter painter(surface);
            if (stretched) {
                painter.DrawBitmapStretched(picture, 2.0);
            } else {
                painter.DrawImage(picture, {0, 0, 6, 6});
            }
        }
        std::set<ui::ColorRef> colours;
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                const QColor source = Nine().pixelColor(x / 2, y / 2);
                EXPECT_EQ(surface.PixelAt(x, y),
                          ui::Rgb(source.red(), source.green(), source.blue()))
                    << x << "," << y << (stretched ? " stretched" : " drawn");
                colours.insert(surface.PixelAt(x, y));
            }
        }
        EXPECT_EQ(colours.size(), 9u);
    }
}

TEST_F(Skin, ScalingSamplesThePixelUnderEachDestinationPixelsCentre) {
    // Two source columns into three: centres at 1/3 and 1 and 5/3 of a source pixel.
    QImage two(2, 1, QImage::Format_ARGB32);
    two.setPixelColor(0, 0, QColor(255, 0, 0));
    two.setPixelColor(1, 0, QColor(0, 0, 255));
    ui::Surface surface(3, 1);
    ui::SkinPainter(surface).DrawImage(ui::SkinImage::FromImage(two), {0, 0, 3, 1});
    EXPECT_EQ(surface.PixelAt(0, 0), ui::Rgb(255, 0, 0));
    EXPECT_EQ(surface.PixelAt(1, 0), ui::Rgb(0, 0, 255));
    EXPECT_EQ(surface.PixelAt(2, 0), ui::Rgb(0, 0, 255));
}

TEST_F(Skin, PicturesKeepTheirAlphaAndFramePicturesLoseIt) {
    QImage half(1, 1, QImage::Format_ARGB32);
    half.setPixelColor(0, 0, QColor(255, 255, 255, 128));
    ui::SkinImage png;
    ASSERT_TRUE(png.LoadFile(Write(half, u"skins\\half.png", "PNG")));
    ui::Surface surface(2, 1);
    {
        ui::SkinPainter painter(surface);
        painter.FillRect(surface.Bounds(), ui::Rgb(0, 0, 0));
        painter.DrawImage(png, {0, 0, 1, 1});
    }
    EXPECT_EQ(surface.PixelAt(0, 0), ui::Rgb(128, 128, 128));

    // As a frame picture the same file is composed over black once, at load.
    ui::SkinImage frame;
    ASSERT_TRUE(frame.LoadBitmapFile(ui::ProgramFile(u"skins\\half.png")));
    EXPECT_EQ(frame.AverageColor(), ui::Rgb(128, 128, 128));
}

// Where a single line lands in a 180 × 60 rectangle at (10, 10) for each alignment.
struct AlignCase {
    std::string name;
    unsigned flags;
    int expectLeft;   // -1: not checked
    int expectRight;  // -1: not checked
    bool centredHorizontally;
    bool centredVertically;
    bool atBottom;
};

class SkinTextAlignment : public Skin, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(SkinTextAlignment, SingleLine) {
    const AlignCase& c = GetParam();
    const ui::Rect rect{10, 10, 190, 70};
    const ui::SkinFont font = Font(20);
    const ui::Rect ink = Ink(Text(u"Hamburg", rect, c.flags | ui::kDtSingleLine, font));
    const int lineHeight = QFontMetrics(font.Font()).height();
    ASSERT_FALSE(ink.IsEmpty());
    // Glyphs start and end within a pixel or two of their advance.
    if (c.expectLeft >= 0) {
        EXPECT_NEAR(ink.left, c.expectLeft, 3);
    }
    if (c.expectRight >= 0) {
        EXPECT_NEAR(ink.right, c.expectRight, 3);
    }
    if (c.centredHorizontally) {
        EXPECT_NEAR(ink.left - rect.left, rect.right - ink.right, 4);
    }
    if (c.centredVertically) {
        EXPECT_GE(ink.top, rect.top + (rect.Height() - lineHeight) / 2);
        EXPECT_LE(ink.bottom, rect.top + (rect.Height() + lineHeight) / 2 + 1);
    } else if (c.atBottom) {
        EXPECT_GE(ink.top, rect.bottom - lineHeight);
        EXPECT_LE(ink.bottom, rect.bottom);
    } else {
        EXPECT_LE(ink.bottom, rect.top + lineHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinTextAlignment,
    ::testing::Values(
        AlignCase{"left_top", ui::kDtLeft, 10, -1, false, false, false},
        AlignCase{"centre", ui::kDtCenter, -1, -1, true, false, false},
        AlignCase{"right", ui::kDtRight, -1, 190, false, false, false},
        AlignCase{"vertical_centre", ui::kDtLeft | ui::kDtVCenter, 10, -1, false, true, false},
        AlignCase{"bottom", ui::kDtRight | ui::kDtBottom, -1, 190, false, false, true}),
    [](const ::testing::TestParamInfo<AlignCase>& info) { return info.param.name; });

TEST_F(Skin, TextIsDrawnInItsColourOnATransparentBackground) {
    ui::SkinFont font;
    font.Create(-60, ui::kFontWeightNormal, ui::kDefaultCharset, u"Tahoma");
    const ui::Surface surface = Text(u"l", {0, 0, 200, 120}, ui::kDtCenter, font);
    const ui::Rect ink = Ink(surface);
    ASSERT_GE(ink.Width(), 3);
    // The middle of the stem is fully covered; around the glyph the ground stays.
    EXPECT_EQ(surface.PixelAt((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2), kInk);
    EXPECT_EQ(surface.PixelAt(ink.left - 2, ink.top), kGround);
}

TEST_F(Skin, WordEllipsisShortensTheTextToAPrefixWithDots) {
    const ui::SkinFont font = Font(16);
    const ui::Rect rect{0, 0, 90, 20};
    const std::u16string text = u"Lighting settings of the mouse";
    const ui::Surface elided =
        Text(text, rect, ui::kDtSingleLine | ui::kDtWordEllipsis, font, {200, 20});
    EXPECT_LE(Ink(elided).right, rect.right);
    int matches = 0;
    for (size_t n = 1; n < text.size(); ++n) {
        const ui::Surface candidate =
            Text(text.substr(0, n) + u"...", {0, 0, 200, 20}, ui::kDtSingleLine, font, {200, 20});
        matches += candidate.Image() == elided.Image();
    }
    EXPECT_EQ(matches, 1);
    // A text that fits is left alone.
    EXPECT_EQ(
        Text(u"Lights", rect, ui::kDtSingleLine | ui::kDtWordEllipsis, font, {200, 20}).Image(),
        Text(u"Lights", rect, ui::kDtSingleLine, font, {200, 20}).Image());
}

// How many lines of text a rectangle shows, by the rows that carry ink.
struct WrapCase {
    std::string name;
    std::u16string text;
    unsigned flags;
    int width;
    double heightInLines;
    int lines;
};

class SkinTextWrapping : public Skin, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(SkinTextWrapping, Lines) {
    const WrapCase& c = GetParam();
    const ui::SkinFont font = Font(16);
    const int lineHeight = QFontMetrics(font.Font()).height();
    // Width 0: just wide enough for the widest of the three words.
    const QFontMetrics metrics(font.Font());
    const int width = c.width > 0 ? c.width
                                  : std::max({metrics.horizontalAdvance(QStringLiteral("one")),
                                              metrics.horizontalAdvance(QStringLiteral("two")),
                                              metrics.horizontalAdvance(QStringLiteral("three"))}) +
                                        2;
    const ui::Rect rect{0, 0, width, static_cast<int>(c.heightInLines * lineHeight)};
    const ui::Surface surface = Text(c.text, rect, c.flags, font, {200, 120});
    int lines = 0;
    for (int line = 0; line * lineHeight < rect.bottom; ++line) {
        bool inked = false;
        for (int y = line * lineHeight; y < std::min((line + 1) * lineHeight, rect.bottom); ++y) {
            for (int x = 0; x < 200 && !inked; ++x) {
                inked = surface.PixelAt(x, y) != kGround;
            }
        }
        lines += inked;
    }
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinTextWrapping,
    ::testing::Values(
        WrapCase{"single_line_never_wraps", u"one two three", ui::kDtSingleLine, 60, 4, 1},
        WrapCase{"word_break_wraps_at_spaces", u"one two three", ui::kDtWordBreak, 0, 4, 3},
        WrapCase{"line_feeds_break_lines", u"one\ntwo", 0, 190, 4, 2},
        WrapCase{"a_long_word_stays_whole", u"Supercalifragilistic", ui::kDtWordBreak, 60, 4, 1},
        WrapCase{"the_edit_control_breaks_a_long_word", u"Supercalifragilistic",
                 ui::kDtWordBreak | ui::kDtEditControl, 60, 4, 3},
        WrapCase{"a_cut_off_last_line_shows_without_the_edit_control", u"one two three",
                 ui::kDtWordBreak, 0, 1.5, 2},
        WrapCase{"the_edit_control_leaves_out_a_cut_off_last_line", u"one two three",
                 ui::kDtWordBreak | ui::kDtEditControl, 0, 1.5, 1}),
    [](const ::testing::TestParamInfo<WrapCase>& info) { return info.param.name; });

TEST_F(Skin, TheFacesOfTheLanguagesMapToInstalledFonts) {
    EXPECT_EQ(ui::InstalledFamilyFor(u"Tahoma", ui::kDefaultCharset), u"DejaVu Sans");
    EXPECT_EQ(ui::InstalledFamilyFor(u"宋体", ui::kGb2312Charset), u"Noto Serif CJK SC");
    EXPECT_EQ(ui::InstalledFamilyFor(u"DejaVu Sans Mono", ui::kDefaultCharset),
              u"DejaVu Sans Mono");

    // The Chinese face draws Chinese text.
    ui::SkinFont chinese;
    chinese.Create(24, ui::kFontWeightDontCare, ui::kGb2312Charset, u"宋体");
    EXPECT_FALSE(Ink(Text(u"鼠标设置", {0, 0, 200, 40}, ui::kDtSingleLine, chinese)).IsEmpty());
}

TEST_F(Skin, AFontHeightIsTheCellAndANegativeOneTheEm) {
    for (const int cell : {12, 16, 24, 32}) {
        ui::SkinFont font = Font(cell);
        const int height = QFontMetrics(font.Font()).height();
        EXPECT_GE(height, cell - 1) << cell;
        EXPECT_LE(height, cell + 1) << cell;
    }
    ui::SkinFont em;
    em.Create(-13, ui::kFontWeightSemiBold, ui::kDefaultCharset, u"Tahoma");
    EXPECT_EQ(em.PixelSize(), 13);
    EXPECT_EQ(em.Font().weight(), QFont::DemiBold);
}

}  // namespace
}  // namespace ostrel::testing
