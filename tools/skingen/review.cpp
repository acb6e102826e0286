#include "review.h"

#include <algorithm>
#include <map>
#include <string>

#include "app/main_window_layout.h"
#include "canvas.h"
#include "theme.h"

namespace ostrel::skingen {

namespace {

constexpr int kSheetWidth = 2320;
constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kCheckerSquare = 8;

const QColor kSheetGround(18, 19, 22);
const QColor kCheckerDark(34, 35, 39);
const QColor kCheckerLight(46, 47, 52);
const QColor kLabel(200, 202, 208);

struct Cell {
    const Picture* picture;
    QSize size;
    bool stacked;  // the double-size picture below the single one instead of beside it
};

Cell Measure(const Picture& picture) {
    const QSize one = picture.image.size();
    const int labelWidth = TextWidth(picture.name + "  000x000");
    const int across = one.width() * 3 + kGap;
    const bool stacked = across > kSheetWidth - 2 * kMargin;
    const int width = stacked ? one.width() * 2 : across;
    const int height = kLineHeight + 2 + (stacked ? one.height() * 3 + kGap : one.height() * 2);
    return {&picture, QSize(std::max(width, labelWidth), height), stacked};
}

void Checker(Canvas& c, const QRect& r) {
    c.Fill(r, [](int x, int y) {
        return ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0 ? kCheckerDark
                                                                      : kCheckerLight;
    });
}

std::string FileOf(std::u16string_view skin) {
    // "skins\\mouse\\dpi_bar_1.png" → "mouse/dpi_bar_1.png"
    std::string out;
    for (const char16_t ch : skin.substr(std::u16string_view(u"skins\\").size())) {
        out.push_back(ch == u'\\' ? '/' : static_cast<char>(ch));
    }
    return out;
}

}  // namespace

QImage ContactSheet(const std::vector<Picture>& pictures) {
    std::vector<Cell> cells;
    for (const Picture& picture : pictures) {
        cells.push_back(Measure(picture));
    }
    // Shelves, left to right.
    std::vector<QPoint> places;
    int x = kMargin;
    int y = kMargin;
    int shelf = 0;
    for (const Cell& cell : cells) {
        if (x > kMargin && x + cell.size.width() > kSheetWidth - kMargin) {
            x = kMargin;
            y += shelf + 2 * kGap;
            shelf = 0;
        }
        places.emplace_back(x, y);
        x += cell.size.width() + 3 * kGap;
        shelf = std::max(shelf, cell.size.height());
    }
    Canvas sheet(kSheetWidth, y + shelf + kMargin, kSheetGround);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const QPoint at = places[i];
        const QImage& image = cell.picture->image;
        sheet.Text(at.x(), at.y(),
                   cell.picture->name + "  " + std::to_string(image.width()) + "x" +
                       std::to_string(image.height()),
                   kLabel);
        const int top = at.y() + kLineHeight + 2;
        const QRect one(at.x(), top, image.width(), image.height());
        const QRect two =
            cell.stacked
                ? QRect(at.x(), top + image.height() + kGap, image.width() * 2, image.height() * 2)
                : QRect(at.x() + image.width() + kGap, top, image.width() * 2, image.height() * 2);
        Checker(sheet, one);
        Checker(sheet, two);
        sheet.Draw(one.left(), one.top(), image, 1);
        sheet.Draw(two.left(), two.top(), image, 2);
    }
    return sheet.Image();
}

QImage MainWindowPreview(const std::vector<Picture>& pictures) {
    std::map<std::string, const QImage*> byName;
    for (const Picture& picture : pictures) {
        byName[picture.name] = &picture.image;
    }
    const auto find = [&](std::u16string_view skin) -> const QImage* {
        const auto it = byName.find(FileOf(skin));
        return it == byName.end() ? nullptr : it->second;
    };
    const QImage* background = byName.count("364.bmp") ? byName["364.bmp"] : nullptr;
    Canvas c(app::kMainWindowWidth, app::kMainWindowHeight, Qt::black);
    if (background != nullptr) {
        c.Draw(0, 0, *background);
    }
    const QColor dpiColors[] = {QColor(255, 0, 0),   QColor(0, 255, 0),    QColor(0, 0, 255),
                                QColor(255, 255, 0), QColor(0, 255, 255),  QColor(255, 0, 255),
                                QColor(255, 128, 0), QColor(255, 255, 255)};
    int swatch = 0;
    for (const app::ControlPlace& control : app::MainWindowControls()) {
        const ui::Rect& r = control.rect;
        const QRect rect(r.left, r.top, r.Width(), r.Height());
        const auto draw = [&](std::size_t index, QPoint at) {
            if (index < control.skins.size()) {
                if (const QImage* image = find(control.skins[index])) {
                    c.Draw(at.x(), at.y(), *image);
                }
            }
        };
        using enum app::ControlClass;
        switch (control.cls) {
            case CStaticText:
            case CLinkButton:
                c.Frame(rect, QColor(180, 180, 180, 70));
                c.Text(rect.left() + 2, rect.top() + (rect.height() - kGlyphHeight) / 2,
                       std::to_string(control.id), QColor(180, 180, 180, 140));
                break;
            case CColorSelectButton:
                c.Fill(rect, dpiColors[swatch++ % 8]);
                break;
            case CColorSelectCheckButton: {
                const int slot = control.id - app::kIdColorSlotFirst;
                c.Fill(rect.adjusted(3, 3, -3, -3), dpiColors[slot % 8]);
                draw(slot < 2 ? 1 : 0, rect.topLeft());
                break;
            }
            case CTabControl:
                // A fresh installation shows three profiles, the first one current.
                if (control.id < app::kIdProfileTabFirst + 3) {
                    draw(control.id == app::kIdProfileTabFirst ? 2 : 0, rect.topLeft());
                }
                break;
            case CCheckButton:
                draw(control.id == app::kIdTabDpi || control.id == app::kIdTabLighting ||
                             control.id == app::kIdDpiEnableFirst
                         ? 2
                         : 0,
                     rect.topLeft());
                break;
            case CPowerManageButton:
                draw(3, rect.topLeft());  // 6 minutes, the dial's first value
                break;
            case CSliderControl:
                draw(0, QPoint(rect.left() + rect.width() / 2 - control.sliderPad, rect.top()));
                break;
            case CVerticalSliderControl:
            case CDPIValueShowControl: {
                draw(0, rect.topLeft());
                if (control.skins.size() > 1) {
                    if (const QImage* fill = find(control.skins[1])) {
                        const int level = rect.height() * (2 + control.id % 8) / 10;
                        c.Draw(rect.left(), rect.bottom() + 1 - level,
                               fill->copy(0, fill->height() - level, fill->width(), level));
                    }
                }
                break;
            }
            default:
                draw(0, rect.topLeft());
                break;
        }
    }
    return c.Image();
}

}  // namespace ostrel::skingen
