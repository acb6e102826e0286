#pragma once

#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The part of a scroll bar a press hits, sent as wParam of the press.
inline constexpr int kScrollPartThumb = 0;
inline constexpr int kScrollPartUpArrow = 6;
inline constexpr int kScrollPartDownArrow = 7;
inline constexpr int kScrollPartPageUp = 8;
inline constexpr int kScrollPartPageDown = 9;

// A vertical scroll bar: an up arrow, a track with a thumb and a down arrow. The dialog owns the
// numbers (position, page, total) and scrolls its list on the arrow and track presses; dragging
// the thumb changes the position itself and reports it.
class CVScrollBar : public CControlBase {
public:
    CVScrollBar(WindowHandle parent, int id, int left, int top, int right, int bottom,
                std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    // The program's arrow strips (PNG resources 188 up and 187 down, three frames each).
    bool LoadArrowResources();
    // Arrow strips from elsewhere (pictures drawn in code).
    void SetArrowImages(const SkinImage& up, const SkinImage& down);

    // Places the thumb for `position` of `total` with `page` visible and repaints; with a total
    // of 0 (or less) the thumb fills the track.
    void SetScrollInfo(int position, int page, int total);
    int Position() const { return m_position; }
    int Page() const { return m_page; }
    int Total() const { return m_total; }

    // While a thumb drag runs: the thumb follows the mouse within the track and a new position
    // is reported. Dialogs call it from their own mouse moves so that a drag goes on outside.
    void Drag(int x, int y);
    bool IsDragging() const { return m_dragging; }

    const Rect& UpArrowRect() const { return m_upArrow; }
    const Rect& DownArrowRect() const { return m_downArrow; }
    const Rect& ThumbRect() const { return m_thumb; }
    // The track runs from its top to its end (exclusive), between the arrows.
    int TrackTop() const { return m_trackTop; }
    int TrackEnd() const { return m_trackEnd; }
    // The part under a point (one of kScrollPart*).
    int PartAt(Point point) const;

    void SetBounds(int left, int top, int right, int bottom) override;
    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    // The arrow and track rectangles from the arrow pictures, the rectangle and the UI scale;
    // then the thumb.
    void Layout();
    // The thumb for the stored position, page and total.
    void PlaceThumb();
    // The rows the thumb may cover.
    int TrackLength() const { return m_trackEnd - m_trackTop; }
    void SetHoverFlags(Point point);

    SkinImage m_upStrip;
    SkinImage m_downStrip;
    int m_arrowFrameWidth = 0;
    int m_arrowHeight = 0;
    Rect m_upArrow;
    Rect m_downArrow;
    int m_trackTop = 0;
    int m_trackEnd = 0;
    Rect m_thumb;
    bool m_upHover = false;
    bool m_downHover = false;
    bool m_thumbHover = false;
    int m_position = 0;
    int m_page = 1;
    int m_total = 1;
    bool m_dragging = false;
    int m_grabOffset = 0;  // from the thumb's top to the point that took the press
};

}  // namespace ostrel::ui
