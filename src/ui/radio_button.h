#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The radio selection word: one bit per radio button id, in groups of bits of which at most one
// is set. It spans dialogs and lives for the whole process; dialogs also write it to show their
// model and then repaint. UI thread only.
inline constexpr std::uint32_t kInitialRadioSelectionWord = 0x00280282;
std::uint32_t RadioSelectionWord();
void SetRadioSelectionWord(std::uint32_t word);

struct RadioBit {
    std::uint32_t group = 0;  // the bits cleared before `bit` is set
    std::uint32_t bit = 0;
};
// The group and bit of a radio button id; none for an id outside every group.
std::optional<RadioBit> RadioBitOf(int id);

// A radio button: a click selects its bit in the radio selection word, clearing the rest of its
// group, before the click is reported. Pictures only: normal, hover, and selected while its bit
// is set (or while pressed). An id outside every group only reports the click.
class CRadioButton : public CControlBase {
public:
    CRadioButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                 std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    bool LoadSelectedImage(const std::filesystem::path& file);

    bool IsSelected() const;
    // 0 normal, 1 hover, 2 pressed or selected.
    int PictureIndex() const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    SkinImage m_selected;
};

}  // namespace ostrel::ui
