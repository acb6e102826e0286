#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// A horizontal slider with a fixed number of steps: only its thumb is drawn (the track belongs
// to the dialog's picture). A press on the thumb starts a drag that reports the step under the
// mouse on every move; the release settles on the nearest step.
class CSliderControl : public CControlBase {
public:
    // The steps are spread evenly from left + leftPad to right - rightPad. A count below one
    // gives a slider without steps whose value stays 0.
    CSliderControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                   int stepCount, int leftPad, int rightPad, std::u16string text, int visible = 1,
                   int shown = 1, int disabled = 0);

    bool LoadThumbImage(const std::filesystem::path& file);

    int StepCount() const { return static_cast<int>(m_positions.size()); }
    const std::vector<int>& StepPositions() const { return m_positions; }
    // The step nearest `x` (0 without steps).
    int NearestStep(int x) const;

    int Value() const { return m_value; }
    // Stores the step (kept within the steps) and moves the thumb there; repaints when it
    // changed.
    void SetValue(int value);
    const Rect& ThumbRect() const { return m_thumb; }
    bool IsDragging() const { return m_dragging; }
    // While dragging: the value follows the step nearest `x` (kept within the slider), the
    // slider repaints and reports the step. Dialogs call it from their own mouse moves so that a
    // drag goes on outside the slider.
    void Drag(int x);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    void PlaceThumb();

    SkinImage m_thumbImage;
    std::vector<int> m_positions;
    int m_leftPad;
    int m_rightPad;
    int m_value = 0;
    Rect m_thumb;
    int m_dragPosition = 0;
    bool m_dragging = false;
};

}  // namespace ostrel::ui
