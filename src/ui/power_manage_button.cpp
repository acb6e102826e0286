#include "ui/power_manage_button.h"

#include <cstdint>

#include "ui/power_dial_geometry.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

// Segments 0 and 1 stand for values the dial does not offer.
constexpr int kFirstDialSegment = 2;

std::int64_t Cross(Point a, Point b, Point p) {
    return static_cast<std::int64_t>(b.x - a.x) * (p.y - a.y) -
           static_cast<std::int64_t>(b.y - a.y) * (p.x - a.x);
}

// Inside the triangle or on its edges, whichever way round its corners go.
bool InTriangle(const CPowerManageButton::Segment& s, Point p) {
    const std::int64_t d1 = Cross(s.first, s.second, p);
    const std::int64_t d2 = Cross(s.second, s.centre, p);
    const std::int64_t d3 = Cross(s.centre, s.first, p);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

}  // namespace

CPowerManageButton::CPowerManageButton(WindowHandle parent, int left, int top, int right,
                                       int bottom, int visible, int shown, int disabled)
    : CControlBase(parent, kIdPowerManageButton, left, top, right, bottom, {}, visible, shown,
                   disabled, 1) {}

bool CPowerManageButton::LoadValueImage(int value, const std::filesystem::path& file) {
    if (value < 1 || value > kValueCount) {
        return false;
    }
    return m_images[static_cast<size_t>(value - 1)].LoadFile(file);
}

void CPowerManageButton::SetSelectedValue(int value) {
    if (value != m_value) {
        m_value = value;
        InvalidateSelf();
    }
}

CPowerManageButton::Segment CPowerManageButton::SegmentAt(int index) const {
    const Rect bounds = GetBounds();
    const double scale = UiScale();
    const auto place = [&](Point design) {
        return Point{static_cast<int>(bounds.left + design.x * scale),
                     static_cast<int>(bounds.top + design.y * scale)};
    };
    if (index < kFirstDialSegment || index >= kValueCount) {
        return {place({0, 0}), place({1, 1}), place(kPowerDialCentre)};
    }
    const auto& corners = kPowerDialCorners[static_cast<size_t>(index - kFirstDialSegment)];
    return {place(corners[0]), place(corners[1]), place(kPowerDialCentre)};
}

std::optional<int> CPowerManageButton::ValueAt(Point point) const {
    for (int index = kFirstDialSegment; index < kValueCount; ++index) {
        if (InTriangle(SegmentAt(index), point)) {
            return index + 1;
        }
    }
    return std::nullopt;
}

void CPowerManageButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    if (m_value >= 1 && m_value <= kValueCount) {
        painter.DrawImage(m_images[static_cast<size_t>(m_value - 1)], GetBounds());
    }
}

bool CPowerManageButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CPowerManageButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CPowerManageButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    const std::optional<int> value = ValueAt({x, y});
    if (!value) {
        return false;
    }
    const bool changed = *value != m_value;
    m_value = *value;
    const bool stateChanged = SetState(kStateHover);
    Notify(kEventClick);
    return changed || stateChanged;
}

void CPowerManageButton::ReleaseImages() {
    for (SkinImage& image : m_images) {
        image.Release();
    }
}

}  // namespace ostrel::ui
