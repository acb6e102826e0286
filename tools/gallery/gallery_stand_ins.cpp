#include "gallery_stand_ins.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace ostrel::gallery {

namespace {

namespace fs = std::filesystem;

// The dark theme of the program's skins.
const QColor kPanel(75, 75, 75);
const QColor kPanelDark(48, 50, 54);
const QColor kEdge(110, 113, 120);
const QColor kEdgeLight(170, 174, 180);
const QColor kAccent(53, 160, 222);
const QColor kAccentDark(32, 100, 150);
const QColor kWindow(34, 36, 40);
const QColor kTitleBand(45, 48, 54);
const QColor kGreen(70, 200, 90);
const QColor kAmber(240, 180, 40);

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A rounded face with an edge, the shape of most buttons.
QImage Face(int width, int height, const QColor& fill, const QColor& edge) {
    QImage image = Blank(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(edge);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    return image;
}

QImage Cross(const QColor& color) {
    QImage image = Blank(15, 15);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 2));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(11.5, 11.5));
    painter.drawLine(QPointF(11.5, 3.5), QPointF(3.5, 11.5));
    return image;
}

// A check button: a face with a box at its left, ticked for the checked picture.
QImage CheckFace(bool hover, bool checked) {
    QImage image = Face(90, 26, hover ? QColor(60, 63, 70) : kPanelDark, hover ? kAccent : kEdge);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(hover || checked ? kAccent : kEdgeLight);
    painter.setBrush(checked ? kAccent : Qt::transparent);
    painter.drawRect(QRectF(6.5, 7.5, 11, 11));
    if (checked) {
        painter.setPen(QPen(Qt::white, 2));
        painter.drawPolyline(QPolygonF({{8.5, 13}, {11.5, 16}, {16, 9.5}}));
    }
    return image;
}

QImage Radio(bool hover, bool selected) {
    QImage image = Blank(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(hover || selected ? kAccent : kEdgeLight, 1.5));
    painter.setBrush(kPanelDark);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    if (selected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    }
    return image;
}

// A DPI level button: a value band at the top and a level bar below it.
QImage DpiLevel(bool hover, bool selected) {
    QImage image = Face(40, 34, kPanelDark, hover ? kAccent : kEdge);
    QPainter painter(&image);
    painter.fillRect(6, 20, 28, 7, selected ? kAccent : QColor(70, 72, 78));
    return image;
}

QImage SwatchFrame(bool checked) {
    QImage image = Blank(26, 26);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(checked ? Qt::white : kEdge, checked ? 2 : 1));
    painter.setBrush(kPanelDark);
    painter.drawRoundedRect(QRectF(1, 1, 24, 24), 3, 3);
    return image;
}

QImage Combo(bool hover) {
    QImage image = Face(96, 22, hover ? QColor(60, 63, 70) : kPanelDark, hover ? kAccent : kEdge);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hover ? kAccent : kEdgeLight);
    painter.drawPolygon(QPolygonF({{82, 9}, {90, 9}, {86, 14}}));
    return image;
}

// The power dial at `minutes`: eight segments of a half disc, lit up to the chosen one.
QImage PowerDial(int minutes) {
    QImage image = Blank(140, 80);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(70, 71);
    for (int segment = 0; segment < 8; ++segment) {
        const double from = 180.0 - segment * 22.5;
        QPainterPath path(centre);
        path.arcTo(QRectF(4, 5, 132, 132), from, -21.5);
        path.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(segment + 3 <= minutes ? kAccent : QColor(70, 72, 78));
        painter.drawPath(path);
    }
    painter.setBrush(kWindow);
    painter.drawEllipse(centre, 30, 30);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    painter.drawText(QRectF(40, 50, 60, 20), Qt::AlignCenter,
                     QString::number(minutes) + QStringLiteral(" min"));
    return image;
}

QImage Thumb() {
    QImage image = Blank(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(kAccent);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return image;
}

// The DPI gauge: the empty bar, or its fill.
QImage GaugeBar(bool fill) {
    QImage image(16, 100, QImage::Format_ARGB32);
    image.fill(fill ? kAccent : kPanelDark);
    QPainter painter(&image);
    for (int y = 0; y < 100; y += 4) {
        painter.fillRect(0, y, 16, 1, fill ? kAccentDark : QColor(60, 62, 66));
    }
    return image;
}

QImage Folder(bool open) {
    QImage image = Blank(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 160, 60));
    painter.drawRect(QRectF(1, 3, 6, 2));
    painter.drawRect(QRectF(1, 4, 14, 10));
    if (open) {
        painter.setBrush(kAmber);
        painter.drawPolygon(QPolygonF({{3, 7}, {16, 7}, {14, 14}, {1, 14}}));
    }
    return image;
}

// The action list's icons: an arrow down for a press, up for a release, a clock for a delay.
QImage ActionIcon(char kind) {
    QImage image = Blank(12, 12);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (kind == 't') {
        painter.setPen(QPen(kEdgeLight, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        painter.drawLine(QPointF(6, 6), QPointF(6, 3.5));
        painter.drawLine(QPointF(6, 6), QPointF(8, 7));
        return image;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kind == 'd' ? kGreen : kAmber);
    if (kind == 'd') {
        painter.drawPolygon(QPolygonF({{2, 3}, {10, 3}, {6, 10}}));
    } else {
        painter.drawPolygon(QPolygonF({{2, 9}, {10, 9}, {6, 2}}));
    }
    return image;
}

// The battery: its outline, filled over design rows 7 to 57 for the full and charge pictures,
// and the charging bolt as an overlay.
QImage Battery(const QColor& fill, bool overlay) {
    QImage image = Blank(40, 70);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The overlay draws the outline again (the charge picture shows only up to its level) and
    // the bolt, on a transparent inside.
    painter.setPen(QPen(kEdgeLight, 2));
    painter.setBrush(overlay ? QBrush(Qt::transparent) : QBrush(kPanelDark));
    painter.drawRoundedRect(QRectF(4, 5, 32, 55), 3, 3);
    painter.fillRect(15, 1, 10, 4, kEdgeLight);
    if (overlay) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawPolygon(
            QPolygonF({{22, 14}, {12, 36}, {19, 36}, {16, 52}, {28, 28}, {21, 28}}));
        return image;
    }
    if (fill.isValid()) {
        painter.fillRect(QRect(7, 7, 26, 50), fill);
    }
    return image;
}

QImage Tab(bool hover, bool selected) {
    QImage image = Face(90, 24, selected ? QColor(40, 70, 96) : kPanelDark,
                        hover ? kAccent : (selected ? kAccentDark : kEdge));
    if (selected) {
        QPainter(&image).fillRect(3, 21, 84, 2, kAccent);
    }
    return image;
}

QImage MenuRow(bool hover, bool subMenu) {
    QImage image(190, 22, QImage::Format_ARGB32);
    image.fill(hover ? kAccentDark : kPanelDark);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (subMenu) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(hover ? Qt::white : kEdgeLight);
        painter.drawPolygon(QPolygonF({{178, 7}, {178, 15}, {184, 11}}));
    }
    return image;
}

QImage MouseFigure() {
    QImage image = Blank(60, 60);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kEdgeLight, 1.5));
    painter.setBrush(kPanelDark);
    painter.drawRoundedRect(QRectF(14, 4, 32, 52), 15, 15);
    painter.drawLine(QPointF(30, 4), QPointF(30, 22));
    painter.setBrush(kAccent);
    painter.drawRoundedRect(QRectF(28, 10, 4, 8), 2, 2);
    return image;
}

// A dialog picture: a title band, an accent line and a panel.
QImage DialogFrame(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWindow);
    QPainter painter(&image);
    painter.fillRect(0, 0, width, 30, kTitleBand);
    painter.fillRect(0, 30, width, 1, kAccent);
    painter.setPen(kEdge);
    painter.drawRect(0, 0, width - 1, height - 1);
    return image;
}

// The progress dialog's pictures: the same frame with an empty bar, and the bar filled.
QImage ProgressFrame(bool filled) {
    QImage image = DialogFrame(429, 140);
    QPainter painter(&image);
    if (filled) {
        QLinearGradient gradient(0, 0, 429, 0);
        gradient.setColorAt(0, kAccentDark);
        gradient.setColorAt(1, kAccent);
        painter.fillRect(0, 66, 429, 12, gradient);
    } else {
        painter.fillRect(0, 66, 429, 12, QColor(22, 23, 26));
    }
    return image;
}

QImage ArrowStrip(bool up) {
    QImage image = Blank(36, 12);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colors[] = {kEdgeLight, Qt::white, kAccent};
    for (int frame = 0; frame < 3; ++frame) {
        const double x = frame * 12;
        painter.fillRect(QRectF(x, 0, 12, 12), QColor(31, 31, 31));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colors[frame]);
        if (up) {
            painter.drawPolygon(QPolygonF({{x + 2, 8}, {x + 10, 8}, {x + 6, 3}}));
        } else {
            painter.drawPolygon(QPolygonF({{x + 2, 4}, {x + 10, 4}, {x + 6, 9}}));
        }
    }
    return image;
}

struct StandIn {
    std::string name;  // below "skins/"
    std::function<QImage()> draw;
};

std::vector<StandIn> StandIns() {
    std::vector<StandIn> all = {
        {"exit_nr.png", [] { return Cross(kEdgeLight); }},
        {"exit_ov.png", [] { return Cross(Qt::white); }},
        {"button1_nr.png", [] { return Face(90, 26, kPanelDark, kEdge); }},
        {"button1_ov.png", [] { return Face(90, 26, kAccentDark, kAccent); }},
        {"button2_nr.png", [] { return Face(69, 20, kPanelDark, kEdge); }},
        {"button2_ov.png", [] { return Face(69, 20, kAccentDark, kAccent); }},
        {"check_nr.png", [] { return CheckFace(false, false); }},
        {"check_ov.png", [] { return CheckFace(true, false); }},
        {"check_dn.png", [] { return CheckFace(false, true); }},
        {"radio_nr.png", [] { return Radio(false, false); }},
        {"radio_ov.png", [] { return Radio(true, false); }},
        {"radio_dn.png", [] { return Radio(false, true); }},
        {"check_button_dpi_nr.png", [] { return DpiLevel(false, false); }},
        {"check_button_dpi_ov.png", [] { return DpiLevel(true, false); }},
        {"check_button_dpi_dn.png", [] { return DpiLevel(false, true); }},
        {"color_select_nr.png", [] { return SwatchFrame(false); }},
        {"color_select_check.png", [] { return SwatchFrame(true); }},
        {"combo2_nr.png", [] { return Combo(false); }},
        {"combo2_ov.png", [] { return Combo(true); }},
        {"Slider_Circle.png", [] { return Thumb(); }},
        {"mouse/dpi_bar_1.png", [] { return GaugeBar(false); }},
        {"mouse/dpi_bar_2.png", [] { return GaugeBar(true); }},
        {"mouse/mouse_nr.png", [] { return MouseFigure(); }},
        {"foldr_open.png", [] { return Folder(true); }},
        {"foldr_close.png", [] { return Folder(false); }},
        {"macro_down.png", [] { return ActionIcon('d'); }},
        {"macro_up.png", [] { return ActionIcon('u'); }},
        {"macro_time.png", [] { return ActionIcon('t'); }},
        {"battery_full.png", [] { return Battery(kGreen, false); }},
        {"battery_empty.png", [] { return Battery(QColor(), false); }},
        {"battery_charging.png", [] { return Battery(kAmber, false); }},
        {"battery_lighting.png", [] { return Battery(QColor(), true); }},
        {"profile_slot_nr.png", [] { return Tab(false, false); }},
        {"profile_slot_ov.png", [] { return Tab(true, false); }},
        {"profile_slot_nr2.png", [] { return Tab(false, true); }},
        {"profile_slot_ov2.png", [] { return Tab(true, true); }},
        {"menu_nr.png", [] { return MenuRow(false, false); }},
        {"menu_ov.png", [] { return MenuRow(true, false); }},
        {"menusub_nr.png", [] { return MenuRow(false, true); }},
        {"menusub_ov.png", [] { return MenuRow(true, true); }},
        {"Frame_warning.bmp", [] { return DialogFrame(319, 102); }},
        {"Frame_progress_nr.bmp", [] { return ProgressFrame(false); }},
        {"Frame_progress_ov.bmp", [] { return ProgressFrame(true); }},
    };
    for (int minutes = 3; minutes <= 10; ++minutes) {
        all.push_back({"power_manage_" + std::to_string(minutes) + "min.png",
                       [minutes] { return PowerDial(minutes); }});
    }
    return all;
}

}  // namespace

bool PrepareToolkitSkins(const fs::path& programFolder, const fs::path& skinSource) {
    std::error_code error;
    // The program's own folder keeps exactly the skins it has.
    if (!skinSource.empty() && fs::equivalent(programFolder, skinSource, error)) {
        return true;
    }
    const fs::path skins = programFolder / "skins";
    for (const StandIn& standIn : StandIns()) {
        const fs::path target = skins / standIn.name;
        fs::create_directories(target.parent_path(), error);
        const fs::path real = skinSource / "skins" / standIn.name;
        if (!skinSource.empty() && fs::is_regular_file(real, error)) {
            fs::copy_file(real, target, fs::copy_options::overwrite_existing, error);
            if (!error) {
                continue;
            }
        }
        const QImage image = standIn.draw();
        const char* format = target.extension() == ".bmp" ? "BMP" : "PNG";
        if (!image.save(QString::fromStdString(target.string()), format)) {
            return false;
        }
    }
    return true;
}

ui::SkinImage ScrollArrowStrip(bool up) {
    return ui::SkinImage::FromImage(ArrowStrip(up));
}

}  // namespace ostrel::gallery
