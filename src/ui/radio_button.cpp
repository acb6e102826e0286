#include "ui/radio_button.h"

#include <array>
#include <utility>

#include "ui/host.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

namespace {

struct RadioEntry {
    int id;
    RadioBit bit;
};

constexpr std::uint32_t kButtonGroup = 0x0000007F;
constexpr std::uint32_t kWheelGroup = 0x00000180;
constexpr std::uint32_t kLightGroup = 0x00000600;
constexpr std::uint32_t kDirectionGroup = 0x00001800;
constexpr std::uint32_t kLoopGroup = 0x0000E000;
constexpr std::uint32_t kPollingGroup = 0x000F0000;
constexpr std::uint32_t kLiftGroup = 0x00300000;

constexpr std::array<RadioEntry, 22> kRadioTable = {{
    {2006, {kButtonGroup, 0x01}},      {2080, {kButtonGroup, 0x02}},
    {2081, {kButtonGroup, 0x04}},      {2082, {kButtonGroup, 0x08}},
    {2083, {kButtonGroup, 0x10}},      {2084, {kButtonGroup, 0x20}},
    {2085, {kButtonGroup, 0x40}},      {2009, {kWheelGroup, 0x80}},
    {2010, {kWheelGroup, 0x100}},      {3501, {kLightGroup, 0x200}},
    {3502, {kLightGroup, 0x400}},      {3240, {kDirectionGroup, 0x800}},
    {3250, {kDirectionGroup, 0x1000}}, {2031, {kLoopGroup, 0x2000}},
    {2032, {kLoopGroup, 0x4000}},      {2033, {kLoopGroup, 0x8000}},
    {3030, {kPollingGroup, 0x10000}},  {3031, {kPollingGroup, 0x20000}},
    {3032, {kPollingGroup, 0x40000}},  {3033, {kPollingGroup, 0x80000}},
    {3510, {kLiftGroup, 0x100000}},    {3511, {kLiftGroup, 0x200000}},
}};

constexpr int kPictureSelected = 2;

std::uint32_t g_radioSelectionWord = kInitialRadioSelectionWord;

}  // namespace

std::uint32_t RadioSelectionWord() {
    return g_radioSelectionWord;
}

void SetRadioSelectionWord(std::uint32_t word) {
    g_radioSelectionWord = word;
}

std::optional<RadioBit> RadioBitOf(int id) {
    for (const RadioEntry& entry : kRadioTable) {
        if (entry.id == id) {
            return entry.bit;
        }
    }
    return std::nullopt;
}

CRadioButton::CRadioButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1) {}

bool CRadioButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CRadioButton::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

bool CRadioButton::LoadSelectedImage(const std::filesystem::path& file) {
    return m_selected.LoadFile(file);
}

bool CRadioButton::IsSelected() const {
    const std::optional<RadioBit> bit = RadioBitOf(Id());
    return bit && (g_radioSelectionWord & bit->bit) != 0;
}

int CRadioButton::PictureIndex() const {
    return IsSelected() ? kPictureSelected : m_state;
}

void CRadioButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    const int index = PictureIndex();
    const SkinImage& picture = index == kPictureSelected ? m_selected
                               : index == kStateHover    ? m_hover
                                                         : m_normal;
    painter.DrawImage(picture, GetBounds());
}

bool CRadioButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CRadioButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CRadioButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y, [this] {
        if (const std::optional<RadioBit> bit = RadioBitOf(Id())) {
            const std::uint32_t word = (g_radioSelectionWord & ~bit->group) + bit->bit;
            // The button that lost the selection lies elsewhere in the window.
            if (word != g_radioSelectionWord) {
                g_radioSelectionWord = word;
                CurrentHost().InvalidateWindow(Parent());
            }
        }
    });
}

void CRadioButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
    m_selected.Release();
}

}  // namespace ostrel::ui
