#pragma once

#include <array>
#include <filesystem>
#include <optional>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The power-saving dial of the main window; every dial carries this id.
inline constexpr int kIdPowerManageButton = 3500;

// The power-saving dial: a half disc of eight segments for 3 to 10 minutes. A release on a
// segment selects its value and reports the click; a release elsewhere changes nothing. It shows
// the picture of its selected value.
class CPowerManageButton : public CControlBase {
public:
    static constexpr int kValueCount = 10;
    static constexpr int kInitialValue = 6;

    // A segment: its two corners on the rim and the dial centre, in client coordinates.
    struct Segment {
        Point first;
        Point second;
        Point centre;
    };

    CPowerManageButton(WindowHandle parent, int left, int top, int right, int bottom,
                       int visible = 1, int shown = 1, int disabled = 0);

    // The picture of value 1 to 10 (the program loads 3 to 10).
    bool LoadValueImage(int value, const std::filesystem::path& file);

    int SelectedValue() const { return m_value; }
    void SetSelectedValue(int value);

    // Segment `index` (0 to 9; 0 and 1 are placeholders that nothing tests) for the current
    // rectangle and UI scale.
    Segment SegmentAt(int index) const;
    // The value (3 to 10) of the segment under a point, none off the dial.
    std::optional<int> ValueAt(Point point) const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    std::array<SkinImage, kValueCount> m_images;
    int m_value = kInitialValue;
};

}  // namespace ostrel::ui
