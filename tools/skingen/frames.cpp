// Whole window pictures: the small dialogs' frames, the main window's background, the colour
// palette chart, the scroll bar's arrow strips and the application icon.
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/main_window_layout.h"
#include "canvas.h"
#include "pictures.h"
#include "theme.h"

namespace ostrel::skingen {

namespace {

using namespace theme;

QRect Whole(QSize size) {
    return QRect(QPoint(0, 0), size);
}

QRect ToQRect(const ui::Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// None where the title text starts at the band's left edge.
enum class Mark { None, Tick, Warning, Gauge, Light, Record };

// The mark at the left of a title band.
void TitleMark(Canvas& c, Mark mark, int band) {
    const int cy = band / 2;
    switch (mark) {
        case Mark::None:
            break;
        case Mark::Tick:
            c.Fill(QRect(7, cy - 7, 3, 14), kAccent);
            break;
        case Mark::Warning:
            c.Triangle(QPointF(11.5, cy - 7.5), QPointF(18.5, cy + 6.5), QPointF(4.5, cy + 6.5),
                       Solid(kWarn));
            c.Fill(QRect(11, cy - 3, 1, 5), QColor(30, 24, 10));
            c.Fill(QRect(11, cy + 4, 1, 1), QColor(30, 24, 10));
            break;
        case Mark::Gauge:
            for (int i = 0; i < 3; ++i) {
                const int height = 6 + 4 * i;
                c.Fill(QRect(5 + 5 * i, cy + 7 - height, 3, height),
                       i == 2 ? kAccentLight : kAccent);
            }
            break;
        case Mark::Light:
            c.Disc(11.5, cy + 0.5, 6.5, kAccent);
            c.Disc(11.5, cy + 0.5, 3.5, kAccentLight);
            break;
        case Mark::Record:
            c.Disc(11.5, cy + 0.5, 6.5, kRecord);
            c.Disc(10.5, cy - 0.5, 2.0, WithAlpha(kWhite, 120));
            break;
    }
}

// A small dialog: a title band with its mark and an accent rule, the body, and a footer band
// for the buttons when there is one.
Canvas DialogFrame(QSize size, int band, int footer, Mark mark) {
    const int w = size.width();
    const int h = size.height();
    Canvas c(w, h, kWindowBottom);
    c.Fill(Whole(size), Vertical(kWindowTop, kWindowBottom, 0, h));
    c.Fill(QRect(0, 0, w, band), Vertical(QColor(28, 29, 33), kTitleBand, 0, band));
    c.Fill(QRect(0, band, w, 1), Horizontal(kAccent, Mix(kAccent, kTitleBand, 0.85), 0, w));
    c.Fill(QRect(0, band + 1, w, 1), QColor(16, 17, 19));
    if (footer > 0) {
        c.Fill(QRect(0, h - footer, w, 1), QColor(20, 21, 24));
        c.Fill(QRect(0, h - footer + 1, w, 1), QColor(52, 54, 60));
        c.Fill(QRect(0, h - footer + 2, w, footer - 2),
               Vertical(QColor(32, 33, 37), QColor(26, 27, 30), h - footer + 2, h));
    }
    TitleMark(c, mark, band);
    // Slanted stripes towards the right of the band, short of the close button.
    const int stripesRight = w - 30;
    c.Shape(
        QRect(stripesRight - 64, 6, 64, band - 12),
        [&](double x, double y) { return std::fmod(x + y * 0.6 + 1000.0, 8.0) < 3.0; },
        [&](int x, int) { return WithAlpha(kAccent, 10 + 50 * (x - (stripesRight - 64)) / 64); });
    c.Frame(Whole(size), QColor(74, 77, 84));
    return c;
}

// The progress dialog's picture and its fill: the fill is drawn over the background one strip
// at a time, (0, 66) to (w, 78), so outside the track the two are the same.
constexpr QRect kProgressTrack{14, 66, 401, 12};

Canvas ProgressFrame(QSize size, bool filled) {
    // The title is drawn from x 10, so the band carries no mark.
    Canvas c = DialogFrame(size, 28, 0, Mark::None);
    if (filled) {
        c.Box(kProgressTrack, 3, kAccentLight,
              Vertical(QColor(120, 204, 246), kAccentDark, kProgressTrack.top(),
                       kProgressTrack.bottom() + 1));
        // Slanted stripes, as a bar that moves.
        c.Shape(
            kProgressTrack.adjusted(1, 1, -1, -1),
            [](double x, double y) { return std::fmod(x + y + 1000.0, 10.0) < 4.0; },
            Solid(WithAlpha(kWhite, 36)));
    } else {
        c.Box(kProgressTrack, 3, QColor(74, 77, 84), Solid(kWell));
    }
    return c;
}

// The main window: title bar with the product's name, the areas of the header and the region of
// each section as panels; the controls lie on top.
void Panel(Canvas& c, const QRect& rect) {
    c.Fill(rect.translated(0, 2), QColor(10, 11, 12, 120));
    c.Box(rect, 5, kPanelEdge, Vertical(kPanelTop, kPanelBottom, rect.top(), rect.bottom() + 1));
    c.Fill(QRect(rect.left() + 5, rect.top() + 1, rect.width() - 10, 1), WithAlpha(kWhite, 26));
}

Canvas MainWindow(QSize size) {
    const int w = size.width();
    const int h = size.height();
    Canvas c(w, h);
    c.Fill(Whole(size), Vertical(kWindowTop, kWindowBottom, 0, h));
    for (const app::HeaderAreaPlace& area : app::MainWindowHeaderAreas()) {
        const QRect r = ToQRect(area.rect);
        switch (area.area) {
            case app::HeaderArea::TitleBar: {
                c.Fill(r, Vertical(QColor(27, 28, 32), kTitleBand, r.top(), r.bottom() + 1));
                c.Fill(QRect(0, r.bottom(), w, 1),
                       Horizontal(WithAlpha(kAccent, 30), kAccent, 0, w / 2));
                c.Fill(QRect(w / 2, r.bottom(), w - w / 2, 1),
                       Horizontal(kAccent, WithAlpha(kAccent, 30), w / 2, w));
                c.Fill(QRect(0, r.bottom() + 1, w, 1), QColor(14, 15, 17));
                // The product's mark and name.
                c.Line(18, 16, 28, 28, 4.0, kAccent);
                c.Line(28, 28, 38, 16, 4.0, kAccent);
                c.Line(22, 26, 28, 33, 3.0, kAccentDark);
                c.Line(28, 33, 34, 26, 3.0, kAccentDark);
                c.Text(50, 13, "TESSEL-12", QColor(236, 238, 242), PixelText{2, false});
                c.Text(51, 32, "GAMING MOUSE", kAccent);
                break;
            }
            case app::HeaderArea::CommandBar:
                c.Fill(QRect(r.left(), r.top() - 4, r.width(), 1), QColor(18, 19, 21));
                c.Fill(QRect(r.left(), r.top() - 3, r.width(), 1), QColor(56, 58, 64));
                break;
            default: {
                // Below the heading that names the area.
                const QRect panel = r.adjusted(0, 28, 0, 0);
                Panel(c, panel);
                if (area.area == app::HeaderArea::Mouse) {
                    const double cx = panel.center().x() + 0.5;
                    const double cy = panel.center().y() + 4;
                    c.Shape(
                        panel.adjusted(1, 1, -1, -1),
                        [&](double x, double y) {
                            return std::hypot((x - cx) / 1.0, (y - cy) / 1.5) < 120;
                        },
                        [&](int x, int y) {
                            const double d = std::hypot((x - cx) / 1.0, (y - cy) / 1.5);
                            return WithAlpha(kAccent, static_cast<int>(34 * (1 - d / 120)));
                        });
                }
                break;
            }
        }
    }
    for (const app::SectionPlace& section : app::MainWindowSections()) {
        const QRect r = ToQRect(section.region);
        Panel(c, r);
        c.Fill(QRect(r.left() + 5, r.top(), 26, 2), kAccent);
    }
    c.Frame(Whole(size), QColor(62, 64, 70));
    return c;
}

// The colour palette chart. The dialog takes the pixel under a click in (18, 26)–(222, 270) or
// (244, 26)–(473, 190) and ignores the ground colour, so those two fields hold nothing but
// offered colours: hue across and brightness down in the first, preset colours and a grey ramp
// in the second.
constexpr QRect kHueField{18, 26, 204, 244};
constexpr QRect kPresetField{244, 26, 229, 164};
constexpr QRect kPreview{245, 212, 58, 58};

// Hue in degrees, saturation and value 0–1, to a colour; primaries come out exact.
QColor Hsv(double hue, double saturation, double value) {
    const double c = value * saturation;
    const double hp = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1 - std::abs(std::fmod(hp, 2.0) - 1));
    double r = 0;
    double g = 0;
    double b = 0;
    if (hp < 1) {
        r = c, g = x;
    } else if (hp < 2) {
        r = x, g = c;
    } else if (hp < 3) {
        g = c, b = x;
    } else if (hp < 4) {
        g = x, b = c;
    } else if (hp < 5) {
        r = x, b = c;
    } else {
        r = c, b = x;
    }
    const double m = value - c;
    const auto channel = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return QColor(channel(r + m), channel(g + m), channel(b + m));
}

// Never the ground colour: a grey that would be it is offered one step darker.
QColor NotGround(QColor color) {
    return color == kChartGround ? QColor(14, 14, 14) : color;
}

Canvas PaletteChart(QSize size) {
    const int w = size.width();
    Canvas c(w, size.height(), kChartGround);
    c.Fill(QRect(0, 0, w, 20), Vertical(QColor(30, 31, 35), kTitleBand, 0, 20));
    c.Fill(QRect(0, 20, w, 1), Horizontal(kAccent, WithAlpha(kAccent, 40), 0, w));
    c.Fill(QRect(7, 3, 3, 14), kAccent);

    // Hue across; down, from white through the full colour to black.
    const int fullRow = kHueField.height() / 2;
    for (int row = 0; row < kHueField.height(); ++row) {
        for (int column = 0; column < kHueField.width(); ++column) {
            const double hue = column * 360.0 / kHueField.width();
            const double saturation = row <= fullRow ? static_cast<double>(row) / fullRow : 1.0;
            const double value = row <= fullRow ? 1.0
                                                : 1.0 - static_cast<double>(row - fullRow) /
                                                            (kHueField.height() - 1 - fullRow);
            c.Set(kHueField.left() + column, kHueField.top() + row,
                  NotGround(Hsv(hue, saturation, value)));
        }
    }

    // Presets: eight hues in four rows (full, light, deep, soft), then the grey ramp.
    const double hues[] = {0, 30, 60, 120, 180, 240, 275, 310};
    const struct {
        double saturation, value;
    } tones[] = {{1.0, 1.0}, {0.45, 1.0}, {1.0, 0.55}, {0.7, 0.8}};
    constexpr int kPresetRows = 4;
    constexpr int kRampHeight = 36;
    const int presetHeight = kPresetField.height() - kRampHeight;
    for (int row = 0; row < kPresetRows; ++row) {
        const int top = kPresetField.top() + presetHeight * row / kPresetRows;
        const int bottom = kPresetField.top() + presetHeight * (row + 1) / kPresetRows;
        for (int column = 0; column < 8; ++column) {
            const int left = kPresetField.left() + kPresetField.width() * column / 8;
            const int right = kPresetField.left() + kPresetField.width() * (column + 1) / 8;
            c.Fill(QRect(left, top, right - left, bottom - top),
                   NotGround(Hsv(hues[column], tones[row].saturation, tones[row].value)));
        }
    }
    const int rampTop = kPresetField.top() + presetHeight;
    for (int column = 0; column < kPresetField.width(); ++column) {
        const int grey = 255 - column * 255 / (kPresetField.width() - 1);
        c.Fill(QRect(kPresetField.left() + column, rampTop, 1, kRampHeight),
               NotGround(QColor(grey, grey, grey)));
    }

    // Hairlines round the fields and the preview, outside them.
    for (const QRect& r : {kHueField, kPresetField, kPreview}) {
        c.Frame(r.adjusted(-1, -1, 1, 1), QColor(70, 72, 78));
    }
    c.Frame(Whole(size), QColor(62, 64, 70));
    return c;
}

// The scroll bar's arrows: three frames, normal, hover and pressed.
Canvas ArrowStrip(bool up) {
    const int f = free_size::kArrowFrame;
    Canvas c(3 * f, f);
    for (int frame = 0; frame < 3; ++frame) {
        const QRect box(frame * f, 0, f, f);
        const QColor edge = frame == 0 ? QColor(48, 48, 48) : frame == 1 ? kAccent : kAccentLight;
        const QColor face = frame == 0   ? QColor(31, 31, 31)
                            : frame == 1 ? QColor(40, 48, 56)
                                         : kAccentDark;
        c.Box(box, 2, edge, Solid(face));
        const QColor ink = frame == 0 ? QColor(150, 150, 150) : kWhite;
        const int cx = box.left() + f / 2;
        for (int row = 0; row < 4; ++row) {
            const int half = up ? row : 3 - row;
            c.Fill(QRect(cx - half - 1, 5 + row, 2 * half + 2, 1), ink);
        }
    }
    return c;
}

Canvas AppIcon(QSize size) {
    const int s = size.width();
    Canvas c(s, s);
    c.Box(Whole(size), s * 0.22, kAccentDark,
          Vertical(QColor(50, 53, 60), QColor(20, 21, 24), 0, s), 2);
    // A mouse seen from above, in the accent.
    const QRect body(s * 5 / 16, s * 3 / 16, s * 6 / 16, s * 10 / 16);
    c.Box(body, body.width() / 2.0, kAccent, Solid(QColor(26, 28, 32)), std::max(2, s / 20));
    c.Fill(QRect(s / 2 - 1, body.top() + 2, 2, body.height() * 3 / 8), kAccent);
    c.RoundRect(QRect(s / 2 - s / 32 - 1, body.top() + s / 10, s / 16 + 2, s / 8), 1.5,
                kAccentLight);
    // The mark of the product's name under the wheel.
    const double m = s / 64.0;
    c.Line(26 * m, 38 * m, 32 * m, 44 * m, 2.6 * m, kAccentLight);
    c.Line(32 * m, 44 * m, 38 * m, 38 * m, 2.6 * m, kAccentLight);
    return c;
}

}  // namespace

void DrawFramePictures(std::vector<Picture>& out) {
    const auto add = [&out](std::string name, const Canvas& canvas) {
        out.push_back({std::move(name), Destination::Skins, canvas.Image()});
    };
    add("Frame_warning.bmp", DialogFrame(fixed_size::kWarningFrame, 34, 38, Mark::Warning));
    add("Frame_common.bmp", DialogFrame(fixed_size::kSmallDialogFrame, 34, 38, Mark::Tick));
    add("Frame_DPI.bmp", DialogFrame(fixed_size::kSmallDialogFrame, 34, 38, Mark::Gauge));
    add("Frame_progress_nr.bmp", ProgressFrame(fixed_size::kSmallDialogFrame, false));
    add("Frame_progress_ov.bmp", ProgressFrame(fixed_size::kSmallDialogFrame, true));
    add("Frame_Lighting_Setting.bmp",
        DialogFrame(free_size::kLightingSettingFrame, 34, 40, Mark::Light));
    add("Frame_Macro_Manager.bmp", DialogFrame(free_size::kMacroManagerFrame, 34, 0, Mark::Record));
}

void DrawResourcePictures(std::vector<Picture>& out) {
    const auto add = [&out](std::string name, const Canvas& canvas) {
        out.push_back({std::move(name), Destination::Resources, canvas.Image()});
    };
    add("364.bmp", MainWindow(fixed_size::kMainWindow));
    add("287.bmp", PaletteChart(fixed_size::kPaletteChart));
    add("187.png", ArrowStrip(false));
    add("188.png", ArrowStrip(true));
    add("128.ico.png", AppIcon(free_size::kAppIcon));
}

}  // namespace ostrel::skingen
