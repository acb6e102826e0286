// The header's pictures: the mouse with its badges and number chips, the DPI gauges, the battery
// and the power dial.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <string>

#include "ui/power_dial_geometry.h"
#include "app/main_window_layout.h"
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

// Where the layout puts badge `n` (1–9), as a centre on the mouse picture.
QPointF BadgeCentre(int n) {
    const app::ControlPlace* mouse = app::FindControlPlace(app::kIdDecoration, 0);
    const app::ControlPlace* badge = app::FindControlPlace(app::kIdDecoration, n);
    if (mouse == nullptr || badge == nullptr) {
        return {};
    }
    return QPointF((badge->rect.left + badge->rect.right) / 2.0 - mouse->rect.left,
                   (badge->rect.top + badge->rect.bottom) / 2.0 - mouse->rect.top);
}

QPainterPath BodyOutline(double w, double h) {
    // Drawn for 200 × 340 and scaled to the picture.
    const double sx = w / 200.0;
    const double sy = h / 340.0;
    const auto p = [&](double x, double y) { return QPointF(x * sx, y * sy); };
    QPainterPath path(p(100, 6));
    path.cubicTo(p(142, 6), p(168, 14), p(172, 34));
    path.cubicTo(p(180, 76), p(172, 132), p(170, 170));
    path.cubicTo(p(168, 206), p(186, 226), p(184, 262));
    path.cubicTo(p(182, 306), p(146, 334), p(100, 334));
    path.cubicTo(p(54, 334), p(18, 306), p(16, 262));
    path.cubicTo(p(14, 226), p(32, 206), p(30, 170));
    path.cubicTo(p(28, 132), p(20, 76), p(28, 34));
    path.cubicTo(p(32, 14), p(58, 6), p(100, 6));
    path.closeSubpath();
    return path;
}

// A top view of the mouse: two main buttons split down the middle, the wheel, the DPI button and
// the button behind it on the centre strip, two side buttons on the left flank, light pipes along
// the rear. Every button sits under the badge the layout puts on it.
Canvas MousePicture(QSize size) {
    Canvas canvas(size.width(), size.height());
    QImage& image = canvas.Image();
    const double w = size.width();
    const double h = size.height();
    const QPainterPath body = BodyOutline(w, h);
    const QPointF wheel = BadgeCentre(3);
    const QPointF dpi = BadgeCentre(6);
    const QPointF seventh = BadgeCentre(7);
    const QPointF front = BadgeCentre(4);
    const QPointF rear = BadgeCentre(5);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // A soft shadow to the lower right.
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawPath(body.translated(i * 0.8, i * 1.2));
    }

    // Side buttons stand out of the left flank.
    for (const QPointF& side : {front, rear}) {
        QLinearGradient grad(side.x() - 6, 0, side.x() + 14, 0);
        grad.setColorAt(0, QColor(78, 82, 90));
        grad.setColorAt(1, QColor(40, 42, 47));
        p.setBrush(QColor(14, 15, 17));
        p.drawRoundedRect(QRectF(side.x() + 1, side.y() - 22, 16, 44), 6, 6);
        p.setBrush(grad);
        p.drawRoundedRect(QRectF(side.x() + 2, side.y() - 21, 14, 42), 5, 5);
    }

    QLinearGradient shell(0, 0, w, h);
    shell.setColorAt(0, QColor(58, 61, 68));
    shell.setColorAt(0.55, QColor(38, 40, 45));
    shell.setColorAt(1, QColor(26, 27, 31));
    p.setBrush(QColor(104, 108, 118));
    p.drawPath(body);
    p.setBrush(shell);
    const QPainterPath inner = BodyOutline(w - 3, h - 3).translated(1.5, 1.5);
    p.drawPath(inner);

    p.save();
    p.setClipPath(inner);
    // The main buttons: a lighter cap over the front, ending in a curve behind the seventh button.
    const double capEnd = seventh.y() + 20;
    QPainterPath cap;
    cap.moveTo(0, 0);
    cap.lineTo(w, 0);
    cap.lineTo(w, capEnd - 22);
    cap.cubicTo(w * 0.75, capEnd - 8, w * 0.62, capEnd, w / 2, capEnd);
    cap.cubicTo(w * 0.38, capEnd, w * 0.25, capEnd - 8, 0, capEnd - 22);
    cap.closeSubpath();
    QLinearGradient capShade(0, 0, 0, capEnd);
    capShade.setColorAt(0, QColor(70, 74, 82));
    capShade.setColorAt(1, QColor(46, 49, 55));
    p.setBrush(capShade);
    p.drawPath(cap);
    // The groove round the cap and the split between the two buttons.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(14, 15, 17), 2.0));
    p.drawPath(cap);
    const double stripLeft = wheel.x() - 12;
    const double stripRight = wheel.x() + 12;
    p.drawLine(QPointF(w / 2, 0), QPointF(w / 2, wheel.y() - 26));
    p.drawLine(QPointF(stripLeft, wheel.y() - 26), QPointF(stripLeft, capEnd - 2));
    p.drawLine(QPointF(stripRight, wheel.y() - 26), QPointF(stripRight, capEnd - 2));
    p.drawLine(QPointF(stripLeft, wheel.y() - 26), QPointF(stripRight, wheel.y() - 26));
    p.setPen(Qt::NoPen);
    // The centre strip between the buttons.
    p.setBrush(QColor(30, 31, 35));
    p.drawRect(
        QRectF(stripLeft + 1, wheel.y() - 25, stripRight - stripLeft - 2, capEnd - wheel.y() + 22));
    // A highlight along the upper left of the shell.
    QRadialGradient sheen(QPointF(w * 0.3, h * 0.2), w * 0.3);
    sheen.setColorAt(0, QColor(255, 255, 255, 30));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRect(QRectF(0, 0, w, h));

    // Light pipes along both flanks and round the rear, with their glow.
    QPainterPath pipe;
    pipe.moveTo(w * 0.13, h * 0.60);
    pipe.cubicTo(w * 0.08, h * 0.80, w * 0.28, h * 0.955, w * 0.5, h * 0.955);
    pipe.cubicTo(w * 0.72, h * 0.955, w * 0.92, h * 0.80, w * 0.87, h * 0.60);
    for (const auto& [width, alpha] : {std::pair{9.0, 36}, std::pair{5.0, 70}}) {
        p.setPen(QPen(QColor(53, 160, 222, alpha), width, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(pipe);
    }
    p.setPen(QPen(kAccentLight, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(pipe);
    p.setPen(Qt::NoPen);

    // The maker's mark on the palm: two nested chevrons.
    const double markY = h * 0.70;
    for (const auto& [depth, color] : {std::pair{0.0, kAccent}, std::pair{9.0, kAccentDark}}) {
        QPainterPath mark;
        mark.moveTo(w / 2 - 20, markY - 10 + depth);
        mark.lineTo(w / 2, markY + 6 + depth);
        mark.lineTo(w / 2 + 20, markY - 10 + depth);
        p.setPen(QPen(color, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(mark);
    }
    p.setPen(Qt::NoPen);
    p.restore();

    // The wheel: a ribbed rubber roller in a lit slot.
    const QRectF slot(wheel.x() - 10, wheel.y() - 26, 20, 52);
    p.setBrush(QColor(53, 160, 222, 90));
    p.drawRoundedRect(slot.adjusted(-2, -2, 2, 2), 8, 8);
    p.setBrush(QColor(10, 11, 12));
    p.drawRoundedRect(slot, 7, 7);
    const QRectF roller = slot.adjusted(3, 2, -3, -2);
    QLinearGradient rubber(roller.left(), 0, roller.right(), 0);
    rubber.setColorAt(0, QColor(34, 36, 40));
    rubber.setColorAt(0.5, QColor(70, 73, 80));
    rubber.setColorAt(1, QColor(30, 32, 36));
    p.setBrush(rubber);
    p.drawRoundedRect(roller, 6, 6);
    p.setBrush(QColor(18, 19, 21));
    for (double y = roller.top() + 4; y < roller.bottom() - 3; y += 4) {
        p.drawRect(QRectF(roller.left() + 1, y, roller.width() - 2, 1.5));
    }

    // The DPI button and the button behind it, each with an accent edge.
    for (const QPointF& centre : {dpi, seventh}) {
        const QRectF key(centre.x() - 8, centre.y() - 11, 16, 22);
        p.setBrush(kAccent);
        p.drawRoundedRect(key.adjusted(-1, -1, 1, 1), 5, 5);
        QLinearGradient face(0, key.top(), 0, key.bottom());
        face.setColorAt(0, QColor(84, 88, 96));
        face.setColorAt(1, QColor(48, 51, 57));
        p.setBrush(face);
        p.drawRoundedRect(key, 4, 4);
    }
    p.end();
    return canvas;
}

// A numbered badge the main window lays on a button of the mouse.
Canvas Badge(QSize size, int number) {
    Canvas c(size.width(), size.height());
    const double r = size.width() / 2.0;
    c.Disc(r, r, r, QColor(10, 11, 13, 230));
    c.Disc(r, r, r - 1.2, Vertical(QColor(74, 180, 238), kAccentDark, 0, size.height()));
    c.TextCentred(Whole(size).adjusted(0, 0, 1, 1), std::to_string(number), kWhite,
                  PixelText{1, true});
    return c;
}

// The same number in front of each button's function.
Canvas NumberChip(QSize size, int number) {
    Canvas c(size.width(), size.height());
    c.Box(Whole(size), 3, kAccentDark,
          Vertical(QColor(40, 44, 50), QColor(30, 33, 38), 1, size.height()));
    c.TextCentred(Whole(size).adjusted(1, 0, 1, 0), std::to_string(number), kAccentLight,
                  PixelText{2, false});
    return c;
}

// The DPI gauge: a dark track with a scale, and its fill, which the gauge takes from the bottom
// up to the level's step.
Canvas Gauge(QSize size, bool fill) {
    Canvas c(size.width(), size.height());
    const int w = size.width();
    const int h = size.height();
    if (fill) {
        c.Box(Whole(size), 3, kAccentLight,
              Vertical(QColor(150, 220, 250), QColor(26, 104, 160), 1, h));
        c.Fill(QRect(2, 1, 2, h - 2), WithAlpha(kWhite, 60));
    } else {
        c.Box(Whole(size), 3, QColor(78, 81, 88), Solid(kWell));
    }
    for (int y = h - 16; y > 4; y -= 16) {
        c.Fill(QRect(3, y, w - 6, 1), fill ? QColor(0, 0, 0, 70) : QColor(44, 46, 52));
    }
    return c;
}

// The battery, upright; the battery control fills rows 7 to 56 from the bottom.
constexpr int kFillTop = 7;
constexpr int kFillBottom = 57;

void BatteryShell(Canvas& c, QSize size, bool interior) {
    const QColor edge(156, 160, 168);
    const int w = size.width();
    c.RoundRect(QRect(w / 2 - 5, 0, 10, 5), 1.5, edge);
    const QRect body(1, 4, w - 2, kFillBottom + 3 - 4);
    if (interior) {
        c.Box(body, 3.5, edge, Solid(kWell), 2);
    } else {
        c.Box(body, 3.5, edge, Solid(Qt::transparent), 2);
    }
}

QRect FillArea(QSize size) {
    return QRect(4, kFillTop, size.width() - 8, kFillBottom - kFillTop);
}

void Cells(Canvas& c, QRect area, QColor top, QColor bottom) {
    c.Fill(area, Vertical(top, bottom, area.top(), area.bottom() + 1));
    for (int y = area.top() + 10; y < area.bottom(); y += 10) {
        c.Fill(QRect(area.left(), y, area.width(), 1), QColor(0, 0, 0, 90));
    }
    c.Fill(QRect(area.left() + 2, area.top(), 2, area.height()), WithAlpha(kWhite, 50));
}

Canvas Battery(QSize size, int kind) {
    Canvas c(size.width(), size.height());
    const QRect area = FillArea(size);
    switch (kind) {
        case 0:  // full
            BatteryShell(c, size, true);
            Cells(c, area, QColor(130, 232, 150), QColor(46, 160, 78));
            break;
        case 1:  // empty
            BatteryShell(c, size, true);
            break;
        case 2:  // the charge that rises while charging
            Cells(c, area, QColor(150, 222, 250), QColor(36, 128, 190));
            break;
        default: {  // the charging overlay: the shell and a bolt, clear inside
            BatteryShell(c, size, false);
            const double cx = size.width() / 2.0;
            const double cy = (kFillTop + kFillBottom) / 2.0;
            const auto bolt = [&](double grow, QColor ink) {
                c.Triangle(QPointF(cx + 3 + grow, cy - 15 - grow),
                           QPointF(cx - 7 - grow, cy + 3 + grow), QPointF(cx + 1 + grow, cy + 1),
                           Solid(ink));
                c.Triangle(QPointF(cx - 3 - grow, cy + 15 + grow),
                           QPointF(cx + 7 + grow, cy - 3 - grow), QPointF(cx - 1 - grow, cy - 1),
                           Solid(ink));
            };
            bolt(1.2, QColor(12, 12, 14, 220));
            bolt(0.0, QColor(255, 226, 96));
            break;
        }
    }
    return c;
}

Canvas BatteryMark(QSize size, QColor color) {
    Canvas c(size.width(), size.height());
    c.Box(Whole(size), 2.5, Mix(color, Qt::black, 0.45),
          Vertical(Mix(color, kWhite, 0.3), color, 1, size.height()));
    return c;
}

// The power dial: eight segments for 3 to 10 minutes on a half ring round (70, 71). Each lies
// inside the click triangle of its value, kept clear of the triangle's edges, so a picture
// differs from the others only inside the triangle of its own value; the triangles are the
// control's own.
const QPointF kDialCentre(ui::kPowerDialCentre.x, ui::kPowerDialCentre.y);
QPointF DialCorner(int minutes, int corner) {
    const ui::Point p = ui::kPowerDialCorners[static_cast<std::size_t>(minutes - ui::kPowerDialFirstMinutes)]
                                            [static_cast<std::size_t>(corner)];
    return QPointF(p.x, p.y);
}

constexpr double kRingOuter = 63.0;
constexpr double kRingInner = 45.0;
constexpr double kSegmentMargin = 1.8;

double EdgeDistance(QPointF a, QPointF b, QPointF p) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    return ((p.x() - a.x()) * dy - (p.y() - a.y()) * dx) / std::hypot(dx, dy);
}

// Inside the triangle of segment k, at least `margin` from each of its edges.
bool InsideTriangle(int k, QPointF p, double margin) {
    const QPointF a = kDialCentre;
    const QPointF b = DialCorner(k + ui::kPowerDialFirstMinutes, 0);
    const QPointF c = DialCorner(k + ui::kPowerDialFirstMinutes, 1);
    const double sign = EdgeDistance(a, b, c) >= 0 ? 1.0 : -1.0;
    return EdgeDistance(a, b, p) * sign >= margin && EdgeDistance(b, c, p) * sign >= margin &&
           EdgeDistance(c, a, p) * sign >= margin;
}

Inside Segment(int k, double outer, double inner) {
    return [=](double x, double y) {
        const double d = std::hypot(x - kDialCentre.x(), y - kDialCentre.y());
        return d <= outer && d >= inner && InsideTriangle(k, QPointF(x, y), kSegmentMargin);
    };
}

Canvas PowerDial(QSize size, int litMinutes) {
    Canvas c(size.width(), size.height());
    const QRect all = Whole(size);
    // The base line and hub.
    c.Fill(QRect(4, 73, size.width() - 8, 1), QColor(70, 72, 78));
    c.Disc(kDialCentre.x(), kDialCentre.y(), 9, QColor(56, 58, 64));
    c.Disc(kDialCentre.x(), kDialCentre.y(), 5, kAccentDark);
    for (int k = 0; k < 8; ++k) {
        const int minutes = k + 3;
        if (minutes == litMinutes) {
            c.Shape(all, Segment(k, kRingOuter + 3, kRingInner - 3), Solid(WithAlpha(kAccent, 70)));
            c.Shape(all, Segment(k, kRingOuter, kRingInner), [&](int x, int y) {
                const double d = std::hypot(x + 0.5 - kDialCentre.x(), y + 0.5 - kDialCentre.y());
                return Mix(kAccentDark, kAccentLight, (d - kRingInner) / (kRingOuter - kRingInner));
            });
        } else {
            c.Shape(all, Segment(k, kRingOuter, kRingInner), [&](int x, int y) {
                const double d = std::hypot(x + 0.5 - kDialCentre.x(), y + 0.5 - kDialCentre.y());
                return Mix(QColor(44, 46, 52), QColor(70, 73, 80),
                           (d - kRingInner) / (kRingOuter - kRingInner));
            });
        }
        // The number of minutes inside the ring, on the middle of its segment.
        const QPointF a = DialCorner(k + ui::kPowerDialFirstMinutes, 0) - kDialCentre;
        const QPointF b = DialCorner(k + ui::kPowerDialFirstMinutes, 1) - kDialCentre;
        // Halfway between the corners' directions (their sum, as the angles wrap at the left).
        const QPointF middle = a / std::hypot(a.x(), a.y()) + b / std::hypot(b.x(), b.y());
        const double angle = std::atan2(middle.y(), middle.x());
        const double radius = 34;
        const int x = static_cast<int>(std::lround(kDialCentre.x() + radius * std::cos(angle)));
        const int y = static_cast<int>(std::lround(kDialCentre.y() + radius * std::sin(angle)));
        const std::string label = std::to_string(minutes);
        c.Text(x - TextWidth(label) / 2, y - kGlyphHeight / 2, label, QColor(150, 152, 158));
    }
    return c;
}

}  // namespace

void DrawMousePictures(std::vector<Picture>& out) {
    Add(out, "mouse/mouse_nr.png", MousePicture(NeedSize(u"skins\\mouse\\mouse_nr.png")));
    for (int n = 1; n <= 9; ++n) {
        const std::u16string digit(1, static_cast<char16_t>(u'0' + n));
        Add(out, "mouse/serial_number" + std::to_string(n) + ".png",
            Badge(NeedSize(u"skins\\mouse\\serial_number" + digit + u".png"), n));
        Add(out, "mouse/number" + std::to_string(n) + ".png",
            NumberChip(NeedSize(u"skins\\mouse\\number" + digit + u".png"), n));
    }
    const QSize gauge = NeedSize(u"skins\\mouse\\dpi_bar_1.png");
    Add(out, "mouse/dpi_bar_1.png", Gauge(gauge, false));
    Add(out, "mouse/dpi_bar_2.png", Gauge(NeedSize(u"skins\\mouse\\dpi_bar_2.png"), true));

    const QSize battery = NeedSize(u"skins\\battery_full.png");
    Add(out, "battery_full.png", Battery(battery, 0));
    Add(out, "battery_empty.png", Battery(battery, 1));
    Add(out, "battery_charging.png", Battery(battery, 2));
    Add(out, "battery_lighting.png", Battery(battery, 3));
    const QSize mark = NeedSize(u"skins\\battery_green.png");
    Add(out, "battery_green.png", BatteryMark(mark, kGood));
    Add(out, "battery_orange.png", BatteryMark(mark, kWarn));
    Add(out, "battery_red.png", BatteryMark(mark, kBad));

    for (int minutes = 3; minutes <= 10; ++minutes) {
        const std::u16string name =
            u"skins\\power_manage_" +
            (minutes == 10 ? std::u16string(u"10")
                           : std::u16string(1, static_cast<char16_t>(u'0' + minutes))) +
            u"min.png";
        Add(out, "power_manage_" + std::to_string(minutes) + "min.png",
            PowerDial(NeedSize(name), minutes));
    }
}

}  // namespace ostrel::skingen
