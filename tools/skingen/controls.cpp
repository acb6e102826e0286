// Buttons, fields, tabs, boxes, sliders, menus and the macro manager's icons.
#include <QPointF>
#include <string>

#include "canvas.h"
#include "pictures.h"
#include "theme.h"

namespace ostrel::skingen {

namespace {

using namespace theme;

void Add(std::vector<Picture>& out, std::string name, const Canvas& canvas) {
    out.push_back({std::move(name), Destination::Skins, canvas.Image()});
}

QRect Whole(QSize size) {
    return QRect(QPoint(0, 0), size);
}

// A push button: a raised grey face, lit with the accent under the mouse (the control then
// draws its text white, or yellow while pressed).
Canvas PushButton(QSize size, bool hover, double radius = 3) {
    Canvas c(size.width(), size.height());
    const int h = size.height();
    if (hover) {
        c.Box(Whole(size), radius, kAccentLight, Vertical(QColor(48, 142, 200), kAccentDark, 1, h));
        c.Fill(QRect(3, 1, size.width() - 6, 1), WithAlpha(kWhite, 70));
    } else {
        c.Box(Whole(size), radius, kFaceEdge, Vertical(kFaceTop, kFaceBottom, 1, h));
        c.Fill(QRect(3, 1, size.width() - 6, 1), WithAlpha(kWhite, 30));
    }
    return c;
}

// A small downward chevron whose top row is centred on `cx` at `top`.
void Chevron(Canvas& c, int cx, int top, QColor color) {
    for (int row = 0; row < 4; ++row) {
        const int half = 3 - row;
        c.Fill(QRect(cx - half, top + row, 2 * half + 1, 1), color);
    }
}

// A drop-down field: dark well, its arrow behind a divider at the right.
Canvas ComboField(QSize size, bool hover) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    const QColor edge = hover ? kAccent : kFaceEdge;
    const QColor top = hover ? kFieldHover : kField;
    c.Box(Whole(size), 3, edge, Vertical(top, Mix(top, Qt::black, 0.25), 1, h));
    c.Fill(QRect(w - 21, 4, 1, h - 8), hover ? WithAlpha(kAccent, 150) : QColor(64, 67, 74));
    Chevron(c, w - 11, h / 2 - 2, hover ? kWhite : kText);
    return c;
}

Canvas SectionTab(QSize size, bool hover) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    if (hover) {
        c.Box(Whole(size), 3, QColor(84, 90, 100),
              Vertical(QColor(58, 66, 76), QColor(38, 46, 56), 1, h));
        // A glow rising from the accent bar at the foot.
        c.Fill(QRect(1, h - 12, w - 2, 9),
               [&](int, int y) { return WithAlpha(kAccent, 8 + (y - (h - 12)) * 9); });
        c.Fill(QRect(1, h - 3, w - 2, 3), kAccent);
        c.Fill(QRect(1, h - 3, w - 2, 1), kAccentLight);
    } else {
        c.Box(Whole(size), 3, QColor(56, 58, 64),
              Vertical(QColor(44, 46, 51), QColor(35, 37, 41), 1, h));
        c.Fill(QRect(1, h - 2, w - 2, 2), QColor(70, 72, 78));
    }
    return c;
}

// A heading over an area: an accent tick and a rule that fades to the right.
Canvas Heading(QSize size, bool hover) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    if (hover) {
        c.Fill(QRect(0, 0, w, h - 1),
               Horizontal(WithAlpha(kAccent, 46), WithAlpha(kAccent, 0), 0, w));
    }
    c.Fill(QRect(0, 5, 3, h - 10), hover ? kAccentLight : kAccent);
    c.Fill(QRect(0, h - 1, w, 1), Horizontal(hover ? kAccent : kPanelEdge,
                                             WithAlpha(hover ? kAccent : kPanelEdge, 0), 0, w));
    return c;
}

Canvas ProfileSlot(QSize size, bool hover, bool selected) {
    Canvas c(size.width(), size.height());
    const int h = size.height();
    if (selected) {
        const QColor top = hover ? QColor(44, 112, 158) : QColor(34, 92, 132);
        const QColor bottom = hover ? QColor(32, 88, 126) : QColor(26, 72, 104);
        c.Box(Whole(size), 2, hover ? kAccentLight : kAccent, Vertical(top, bottom, 1, h));
        c.Fill(QRect(1, 1, 3, h - 2), hover ? kWhite : kAccentLight);
    } else if (hover) {
        c.Box(Whole(size), 2, QColor(110, 114, 122),
              Vertical(QColor(62, 66, 73), QColor(50, 53, 59), 1, h));
        c.Fill(QRect(1, 1, 3, h - 2), QColor(120, 124, 132));
    } else {
        c.Box(Whole(size), 2, QColor(64, 66, 72),
              Vertical(QColor(47, 49, 54), QColor(40, 42, 46), 1, h));
    }
    return c;
}

// The window's close cross and minimise bar: bare glyphs, on a round lamp under the mouse.
Canvas WindowButton(QSize size, bool hover, bool close) {
    Canvas c(size.width(), size.height());
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    if (hover) {
        c.Disc(cx, cy, cx, close ? QColor(214, 64, 58) : kAccent);
    }
    const QColor ink = hover ? kWhite : QColor(160, 162, 168);
    if (close) {
        c.Line(cx - 3.2, cy - 3.2, cx + 3.2, cy + 3.2, 1.7, ink);
        c.Line(cx + 3.2, cy - 3.2, cx - 3.2, cy + 3.2, 1.7, ink);
    } else {
        c.Fill(QRect(size.width() / 2 - 4, size.height() / 2, 8, 2), ink);
    }
    return c;
}

void Tick(Canvas& c, QRect box, QColor color) {
    const double x = box.left();
    const double y = box.top();
    const double s = box.width() / 16.0;
    c.Line(x + 4.0 * s, y + 8.5 * s, x + 7.0 * s, y + 11.5 * s, 2.0 * s, color);
    c.Line(x + 7.0 * s, y + 11.5 * s, x + 12.5 * s, y + 5.0 * s, 2.0 * s, color);
}

// A tick box: grey edge, white under the mouse, accent with a white tick when checked.
void TickBox(Canvas& c, QRect box, int state) {
    switch (state) {
        case 0:
            c.Box(box, 3, QColor(122, 125, 132), Solid(kField));
            break;
        case 1:
            c.Box(box, 3, QColor(232, 232, 232), Solid(kFieldHover));
            break;
        default:
            c.Box(box, 3, kAccentLight,
                  Vertical(kAccent, kAccentDark, box.top(), box.bottom() + 1));
            Tick(c, box, kWhite);
            break;
    }
}

Canvas Radio(QSize size, int state) {
    Canvas c(size.width(), size.height());
    const double r = size.width() / 2.0;
    const QColor edge = state == 0   ? QColor(122, 125, 132)
                        : state == 1 ? QColor(232, 232, 232)
                                     : kAccentLight;
    c.Disc(r, r, r, edge);
    c.Disc(r, r, r - 1.2, state == 1 ? kFieldHover : kField);
    if (state == 2) {
        c.Disc(r, r, r - 4.0, kAccent);
        c.Disc(r - 1, r - 1, 1.4, WithAlpha(kWhite, 150));
    }
    return c;
}

// A direction button: an arrow up or down on a face that lights like a push button.
Canvas Direction(QSize size, bool up, int state) {
    Canvas c(size.width(), size.height());
    const int h = size.height();
    QColor arrow;
    if (state == 2) {
        c.Box(Whole(size), 4, kAccentLight, Vertical(kAccent, kAccentDark, 1, h));
        arrow = kWhite;
    } else if (state == 1) {
        c.Box(Whole(size), 4, QColor(200, 202, 208),
              Vertical(kFaceHoverTop, kFaceHoverBottom, 1, h));
        arrow = kWhite;
    } else {
        c.Box(Whole(size), 4, kFaceEdge, Vertical(kFaceTop, kFaceBottom, 1, h));
        arrow = kText;
    }
    const double cx = size.width() / 2.0;
    const double tipY = up ? 7.0 : h - 7.0;
    const double baseY = up ? h - 9.0 : 9.0;
    c.Triangle(QPointF(cx, tipY), QPointF(cx + 6, baseY), QPointF(cx - 6, baseY), Solid(arrow));
    const double stemTop = up ? baseY : 5.0;
    c.Fill(QRect(static_cast<int>(cx) - 1, static_cast<int>(stemTop), 2, 4), arrow);
    return c;
}

// A colour slot's frame: the swatch covers everything 3 pixels in, so only the ring shows.
Canvas ColorSlot(QSize size, bool checked) {
    Canvas c(size.width(), size.height());
    const QRect inner = Whole(size).adjusted(3, 3, -3, -3);
    if (checked) {
        c.Box(Whole(size), 4, kAccentLight, Solid(kAccent));
        c.Frame(inner.adjusted(-1, -1, 1, 1), kWhite);
    } else {
        c.Box(Whole(size), 4, QColor(100, 103, 110), Solid(QColor(30, 32, 36)));
    }
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            c.Set(x, y, Qt::transparent);
        }
    }
    return c;
}

Canvas SliderRail(QSize size, bool graded) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    c.Box(Whole(size), h / 2.0, QColor(84, 87, 94),
          Vertical(QColor(16, 17, 20), QColor(30, 32, 36), 1, h));
    if (graded) {
        c.Fill(QRect(4, h / 2 - 1, w - 8, 2),
               Horizontal(WithAlpha(kAccent, 40), kAccent, 4, w - 4));
    } else {
        c.Fill(QRect(4, h / 2 - 1, w - 8, 2), WithAlpha(kAccent, 150));
    }
    return c;
}

Canvas SliderThumb(QSize size) {
    Canvas c(size.width(), size.height());
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    const double r = std::min(cx, cy);
    c.Disc(cx, cy, r, QColor(14, 15, 17));
    c.Disc(cx, cy, r - 1.0, kAccent);
    c.Disc(cx, cy, r - 3.5, QColor(236, 240, 244));
    return c;
}

// A menu row, stretched over each item; the sub-menu rows carry an arrow at the right.
Canvas MenuRow(QSize size, bool hover, bool sub) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    if (hover) {
        c.Fill(Whole(size), Horizontal(QColor(36, 118, 170), kAccent, 0, w));
        c.Fill(QRect(0, 0, 3, h), kAccentLight);
    } else {
        c.Fill(Whole(size), Vertical(QColor(42, 44, 48), QColor(36, 38, 42), 0, h));
    }
    c.Fill(QRect(0, h - 1, w, 1), hover ? kAccentDark : QColor(52, 54, 59));
    if (sub) {
        // Columns in pairs: popups narrow the row (190 to 160 columns) by dropping columns, and
        // a dropped one then only shortens a step instead of notching the arrow.
        const QColor ink = hover ? kWhite : QColor(150, 152, 158);
        for (int col = 0; col < 8; ++col) {
            const int half = 4 - col / 2;
            c.Fill(QRect(w - 16 + col, h / 2 - half, 1, 2 * half + 1), ink);
        }
    }
    return c;
}

// A polling rate: its number large, "Hz" small on the same base line.
Canvas PollingRate(QSize size, std::string_view number, bool selected) {
    Canvas c(size.width(), size.height());
    const int h = size.height();
    QColor ink;
    if (selected) {
        c.Box(Whole(size), 3, kAccentLight, Vertical(QColor(48, 142, 200), kAccentDark, 1, h));
        ink = kWhite;
    } else {
        c.Box(Whole(size), 3, QColor(84, 87, 94), Vertical(kFaceTop, kFaceBottom, 1, h));
        ink = kText;
    }
    const PixelText big{2, false};
    const int width = TextWidth(number, big) + 2 + TextWidth("Hz");
    const int left = (size.width() - width) / 2;
    const int top = (h - TextHeight(big)) / 2;
    c.Text(left, top, number, ink, big);
    c.Text(left + TextWidth(number, big) + 2, top + TextHeight(big) - kGlyphHeight, "Hz",
           selected ? kAccentLight : kTextDim);
    return c;
}

Canvas DpiPlate(QSize size) {
    Canvas c(size.width(), size.height());
    c.Box(Whole(size), 3, QColor(72, 75, 82),
          Vertical(QColor(44, 46, 51), QColor(34, 36, 40), 1, size.height()));
    return c;
}

// An arrow with a dark outline, readable on the grey list and on its accent selection.
Canvas ActionArrow(QSize size, bool down, QColor color) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    // Drawn pointing down; the up arrow is its mirror image.
    const auto y = [&](double row) { return down ? row : h - row; };
    const auto arrow = [&](int dx, int dy, QColor ink) {
        c.Fill(QRect(w / 2 - 2 + dx, (down ? 1 : h - 8) + dy, 4, 7), ink);
        c.Triangle(QPointF(w / 2.0 + dx, y(h - 1.0) + dy), QPointF(1.5 + dx, y(6.5) + dy),
                   QPointF(w - 1.5 + dx, y(6.5) + dy), Solid(ink));
    };
    const QColor outline(16, 16, 18, 200);
    arrow(-1, 0, outline);
    arrow(1, 0, outline);
    arrow(0, -1, outline);
    arrow(0, 1, outline);
    arrow(0, 0, color);
    return c;
}

Canvas DelayClock(QSize size) {
    Canvas c(size.width(), size.height());
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    const double r = std::min(cx, cy);
    c.Disc(cx, cy, r, QColor(16, 16, 18, 220));
    c.Disc(cx, cy, r - 1.2, QColor(238, 238, 238));
    c.Line(cx, cy, cx, cy - r + 3, 1.3, QColor(30, 30, 34));
    c.Line(cx, cy, cx + r - 3.5, cy, 1.3, QColor(30, 30, 34));
    c.Disc(cx, cy, 1.0, kAccentDark);
    return c;
}

Canvas Folder(QSize size, bool open) {
    Canvas c(size.width(), size.height());
    const QColor edge(150, 116, 50);
    const QColor back = Mix(kFolder, Qt::black, 0.25);
    c.Box(QRect(1, 2, 7, 4), 1.5, edge, Solid(back));
    c.Box(QRect(1, 4, 14, 11), 1.5, edge, Solid(open ? back : kFolder));
    if (open) {
        // The front flap, tilted open towards the viewer.
        const auto flap = [](double grow) {
            return [grow](double x, double y) {
                const double skew = (y - 7.0) * 0.4;
                return y >= 7.0 - grow && y <= 14.5 + grow && x >= 3.5 - skew - grow &&
                       x <= 15.5 - skew + grow;
            };
        };
        c.Shape(QRect(0, 6, 16, 10), flap(0.0), Solid(edge));
        c.Shape(QRect(0, 6, 16, 10), flap(-1.0),
                Vertical(Mix(kFolder, kWhite, 0.3), kFolder, 8, 14));
    } else {
        c.Fill(QRect(2, 6, 12, 1), WithAlpha(kWhite, 60));
    }
    return c;
}

Canvas RecordSwitch(QSize size, bool recording) {
    Canvas c(size.width(), size.height());
    const int h = size.height();
    const double r = h / 2.0;
    if (recording) {
        c.Box(Whole(size), r, kRecord, Vertical(QColor(84, 28, 28), QColor(52, 18, 18), 1, h));
        c.Disc(r, r, r - 3, WithAlpha(kRecord, 90));
        c.Disc(r, r, r - 6, kRecord);
        c.Disc(r - 1.5, r - 1.5, 2, WithAlpha(kWhite, 140));
    } else {
        c.Box(Whole(size), r, kFaceEdge, Vertical(kField, Mix(kField, Qt::black, 0.3), 1, h));
        c.Ring(r, r, r - 6, r - 8, QColor(190, 80, 80));
    }
    c.Text(h + 4, (h - 14) / 2, "REC", recording ? kWhite : kText, PixelText{2, false});
    return c;
}

}  // namespace

void DrawControlPictures(std::vector<Picture>& out) {
    for (const auto& [name, skin] :
         {std::pair{"button1", u"skins\\button1_nr.png"},
          std::pair{"button2", u"skins\\button2_nr.png"}, std::pair{"add", u"skins\\add_nr.png"}}) {
        const QSize size = NeedSize(skin);
        const double radius = size.height() < 22 ? 2.5 : 3.5;
        Add(out, std::string(name) + "_nr.png", PushButton(size, false, radius));
        Add(out, std::string(name) + "_ov.png", PushButton(size, true, radius));
    }
    // The desktop's mouse settings: one picture for every state.
    Add(out, "button4_nr.png", PushButton(NeedSize(u"skins\\button4_nr.png"), false, 3.5));

    for (const auto& [name, skin] : {std::pair{"combo2", u"skins\\combo2_nr.png"},
                                     std::pair{"combo3", u"skins\\combo3_nr.png"}}) {
        const QSize size = NeedSize(skin);
        Add(out, std::string(name) + "_nr.png", ComboField(size, false));
        Add(out, std::string(name) + "_ov.png", ComboField(size, true));
    }

    const QSize tab = NeedSize(u"skins\\header_nr.png");
    Add(out, "header_nr.png", SectionTab(tab, false));
    Add(out, "header_ov.png", SectionTab(tab, true));
    const QSize heading = NeedSize(u"skins\\header2_nr.png");
    Add(out, "header2_nr.png", Heading(heading, false));
    Add(out, "header2_ov.png", Heading(heading, true));

    const QSize slot = NeedSize(u"skins\\profile_slot_nr.png");
    Add(out, "profile_slot_nr.png", ProfileSlot(slot, false, false));
    Add(out, "profile_slot_ov.png", ProfileSlot(slot, true, false));
    Add(out, "profile_slot_nr2.png", ProfileSlot(slot, false, true));
    Add(out, "profile_slot_ov2.png", ProfileSlot(slot, true, true));

    Add(out, "exit_nr.png", WindowButton(NeedSize(u"skins\\exit_nr.png"), false, true));
    Add(out, "exit_ov.png", WindowButton(NeedSize(u"skins\\exit_ov.png"), true, true));
    Add(out, "min_nr.png", WindowButton(NeedSize(u"skins\\min_nr.png"), false, false));
    Add(out, "min_ov.png", WindowButton(NeedSize(u"skins\\min_ov.png"), true, false));

    // The check box with its caption: the box at the left, the rest left clear for the text.
    const QSize check = NeedSize(u"skins\\check_nr.png");
    const char* checkNames[] = {"check_nr.png", "check_ov.png", "check_dn.png"};
    const QSize dpiCheck = NeedSize(u"skins\\check_button_dpi_nr.png");
    const char* dpiCheckNames[] = {"check_button_dpi_nr.png", "check_button_dpi_ov.png",
                                   "check_button_dpi_dn.png"};
    const char* radioNames[] = {"radio_nr.png", "radio_ov.png", "radio_dn.png"};
    const QSize radio = NeedSize(u"skins\\radio_nr.png");
    for (int state = 0; state < 3; ++state) {
        Canvas box(check.width(), check.height());
        const int side = check.height() - 4;
        TickBox(box, QRect(2, 2, side, side), state);
        Add(out, checkNames[state], box);
        Canvas dpi(dpiCheck.width(), dpiCheck.height());
        TickBox(dpi, Whole(dpiCheck), state);
        Add(out, dpiCheckNames[state], dpi);
        Add(out, radioNames[state], Radio(radio, state));
    }

    const QSize direction = NeedSize(u"skins\\up_nr.png");
    const char* upNames[] = {"up_nr.png", "up_ov.png", "up_check.png"};
    const char* downNames[] = {"down_nr.png", "down_ov.png", "down_check.png"};
    for (int state = 0; state < 3; ++state) {
        Add(out, upNames[state], Direction(direction, true, state));
        Add(out, downNames[state], Direction(NeedSize(u"skins\\down_nr.png"), false, state));
    }

    const QSize colorSlot = NeedSize(u"skins\\color_select_nr.png");
    Add(out, "color_select_nr.png", ColorSlot(colorSlot, false));
    Add(out, "color_select_check.png", ColorSlot(colorSlot, true));

    Add(out, "Slider_bar.png", SliderRail(NeedSize(u"skins\\Slider_bar.png"), false));
    Add(out, "Slider_bar2.png", SliderRail(NeedSize(u"skins\\Slider_bar2.png"), true));
    Add(out, "Slider_Circle.png", SliderThumb(NeedSize(u"skins\\Slider_Circle.png")));

    Add(out, "dpi_value.png", DpiPlate(NeedSize(u"skins\\dpi_value.png")));

    const QSize menu = fixed_size::kMenuItem;
    Add(out, "menu_nr.png", MenuRow(menu, false, false));
    Add(out, "menu_ov.png", MenuRow(menu, true, false));
    Add(out, "menusub_nr.png", MenuRow(menu, false, true));
    Add(out, "menusub_ov.png", MenuRow(menu, true, true));

    const struct {
        const char* number;
        const char16_t* skin;
    } rates[] = {{"125", u"skins\\125hz_nr.png"},
                 {"250", u"skins\\250hz_nr.png"},
                 {"500", u"skins\\500hz_nr.png"},
                 {"1000", u"skins\\1000hz_nr.png"}};
    for (const auto& rate : rates) {
        const QSize size = NeedSize(rate.skin);
        Add(out, std::string(rate.number) + "hz_nr.png", PollingRate(size, rate.number, false));
        Add(out, std::string(rate.number) + "hz_dn.png", PollingRate(size, rate.number, true));
    }

    // The macro manager's pictures.
    Add(out, "macro_down.png", ActionArrow(free_size::kActionIcon, true, QColor(255, 212, 84)));
    Add(out, "macro_up.png", ActionArrow(free_size::kActionIcon, false, QColor(132, 228, 156)));
    Add(out, "macro_time.png", DelayClock(free_size::kActionIcon));
    Add(out, "foldr_close.png", Folder(free_size::kFolder, false));
    Add(out, "foldr_open.png", Folder(free_size::kFolder, true));
    Add(out, "macro_record_nr.png", RecordSwitch(free_size::kRecordSwitch, false));
    Add(out, "macro_record_dn.png", RecordSwitch(free_size::kRecordSwitch, true));
}

}  // namespace ostrel::skingen
