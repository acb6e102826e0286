#include "ui/vscroll_bar.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/skin_painter.h"
#include "ui/skin_resources.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr int kArrowFrames = 3;
constexpr ColorRef kTrackColor = Rgb(16, 16, 16);
constexpr ColorRef kThumbEdgeHover = Rgb(53, 160, 222);
constexpr ColorRef kThumbEdge = Rgb(31, 31, 31);
constexpr ColorRef kThumbInsideHover = Rgb(31, 31, 31);
constexpr ColorRef kThumbInside = Rgb(50, 50, 50);

int Rounded(double value) {
    return static_cast<int>(value + 0.5);
}

}  // namespace

CVScrollBar::CVScrollBar(WindowHandle parent, int id, int left, int top, int right, int bottom,
                         std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1) {
    Layout();
}

bool CVScrollBar::LoadArrowResources() {
    const bool up = m_upStrip.LoadPngResource(kResourceScrollUpArrows);
    const bool down = m_downStrip.LoadPngResource(kResourceScrollDownArrows);
    Layout();
    return up && down;
}

void CVScrollBar::SetArrowImages(const SkinImage& up, const SkinImage& down) {
    m_upStrip = up;
    m_downStrip = down;
    Layout();
}

void CVScrollBar::SetBounds(int left, int top, int right, int bottom) {
    CControlBase::SetBounds(left, top, right, bottom);
    Layout();
}

void CVScrollBar::Layout() {
    const SkinImage& strip = m_upStrip.Width() > 0 ? m_upStrip : m_downStrip;
    m_arrowFrameWidth = strip.FrameWidth(kArrowFrames);
    m_arrowHeight = strip.Height();
    const Rect bounds = GetBounds();
    // The arrows take the mouse where they are drawn, at the UI scale.
    const int arrow = std::min(static_cast<int>(m_arrowHeight * UiScale()), bounds.Height() / 2);
    m_upArrow = {bounds.left, bounds.top, bounds.right, bounds.top + arrow};
    m_downArrow = {bounds.left, bounds.bottom - arrow, bounds.right, bounds.bottom};
    m_trackTop = m_upArrow.bottom;
    m_trackEnd = m_downArrow.top;
    PlaceThumb();
}

void CVScrollBar::SetScrollInfo(int position, int page, int total) {
    m_position = position;
    m_page = page;
    m_total = total;
    PlaceThumb();
    InvalidateSelf();
}

void CVScrollBar::PlaceThumb() {
    const Rect bounds = GetBounds();
    const int length = TrackLength();
    const int position = m_position;
    const int page = m_page;
    const int total = m_total;
    if (total <= 0 || length <= 0) {
        m_thumb = {bounds.left, m_trackTop, bounds.right, std::max(m_trackEnd, m_trackTop)};
    } else {
        const int top =
            std::clamp(m_trackTop + Rounded(static_cast<double>(position) / total * length),
                       m_trackTop, m_trackEnd);
        const int height =
            std::clamp(Rounded(static_cast<double>(page) / total * length), 0, length);
        m_thumb = {bounds.left, top, bounds.right, std::min(top + height, m_trackEnd)};
    }
}

int CVScrollBar::PartAt(Point point) const {
    if (m_thumb.Contains(point)) {
        return kScrollPartThumb;
    }
    if (m_upArrow.Contains(point)) {
        return kScrollPartUpArrow;
    }
    if (m_downArrow.Contains(point)) {
        return kScrollPartDownArrow;
    }
    return point.y < m_thumb.top ? kScrollPartPageUp : kScrollPartPageDown;
}

void CVScrollBar::SetHoverFlags(Point point) {
    m_upHover = m_upArrow.Contains(point);
    m_downHover = m_downArrow.Contains(point);
    m_thumbHover = m_thumb.Contains(point);
}

void CVScrollBar::Drag(int /*x*/, int y) {
    if (!m_dragging) {
        return;
    }
    const int height = m_thumb.Height();
    const int top =
        std::clamp(y - m_grabOffset, m_trackTop, std::max(m_trackEnd - height, m_trackTop));
    if (top != m_thumb.top) {
        m_thumb = m_thumb.Offset(0, top - m_thumb.top);
        InvalidateSelf();
    }
    const int length = TrackLength();
    if (length <= 0) {
        return;
    }
    const int position =
        static_cast<int>(static_cast<long long>(m_thumb.top - m_trackTop) * m_total / length);
    if (position != m_position) {
        m_position = position;
        Notify(kEventDrag);
    }
}

void CVScrollBar::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const ClipScope inside(painter, bounds);
    painter.FillRect(bounds, kTrackColor);
    const int frameWidth = static_cast<int>(m_arrowFrameWidth * UiScale());
    const auto frame = [this](bool hover) {
        return Rect{hover ? m_arrowFrameWidth : 0, 0, (hover ? 2 : 1) * m_arrowFrameWidth,
                    m_arrowHeight};
    };
    painter.DrawImage(
        m_upStrip, {m_upArrow.left, m_upArrow.top, m_upArrow.left + frameWidth, m_upArrow.bottom},
        frame(m_upHover));
    painter.DrawImage(
        m_downStrip,
        {m_downArrow.left, m_downArrow.top, m_downArrow.left + frameWidth, m_downArrow.bottom},
        frame(m_downHover));
    // A frame of one design pixel around the inside of the thumb.
    const int edge = std::max(1, static_cast<int>(UiScale()));
    painter.FillRect(m_thumb, m_thumbHover ? kThumbEdgeHover : kThumbEdge);
    painter.FillRect(
        {m_thumb.left + edge, m_thumb.top + edge, m_thumb.right - edge, m_thumb.bottom - edge},
        m_thumbHover ? kThumbInsideHover : kThumbInside);
}

bool CVScrollBar::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (m_dragging) {
        Drag(x, y);
        return false;
    }
    if (Disabled() || m_state == kStatePressed) {
        return false;
    }
    const bool up = m_upHover;
    const bool down = m_downHover;
    const bool thumb = m_thumbHover;
    bool changed;
    if (Contains(x, y)) {
        changed = SetState(kStateHover);
        SetHoverFlags({x, y});
    } else {
        changed = SetState(kStateNormal);
        m_upHover = m_downHover = m_thumbHover = false;
    }
    return changed || up != m_upHover || down != m_downHover || thumb != m_thumbHover;
}

bool CVScrollBar::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    const bool changed = SetState(kStatePressed);
    const int part = PartAt({x, y});
    if (part == kScrollPartThumb) {
        m_dragging = true;
        m_grabOffset = y - m_thumb.top;
    }
    Notify(kEventPress, static_cast<std::uintptr_t>(part));
    return changed;
}

bool CVScrollBar::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    const bool dragged = m_dragging;
    m_dragging = false;
    bool changed;
    if (Contains(x, y)) {
        changed = SetState(kStateHover);
        SetHoverFlags({x, y});
        Notify(kEventClick);
    } else {
        changed = SetState(kStateNormal);
        m_upHover = m_downHover = m_thumbHover = false;
        if (dragged) {
            Notify(kEventClick);
        }
    }
    // The thumb snaps to the exact place of the position.
    SetScrollInfo(m_position, m_page, m_total);
    return changed || dragged;
}

void CVScrollBar::ReleaseImages() {
    m_upStrip.Release();
    m_downStrip.Release();
}

}  // namespace ostrel::ui
