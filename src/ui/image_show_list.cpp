#include "ui/image_show_list.h"

#include <algorithm>
#include <utility>

#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr ColorRef kListBackground = Rgb(75, 75, 75);
constexpr ColorRef kSelectedRow = Rgb(53, 160, 222);
constexpr ColorRef kTextColor = Rgb(255, 255, 255);
// The text starts after the icon column; the icon sits 15 design pixels before it.
constexpr int kTextIndent = 17;
constexpr int kRightInset = 2;
constexpr int kIconBeforeText = 15;
constexpr int kIconDrop = 3;
constexpr int kPartRow = 10;

}  // namespace

CImageShowList::CImageShowList(WindowHandle parent, int left, int top, int right, int bottom,
                               std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, kIdImageShowList, left, top, right, bottom, std::move(text), visible,
                   shown, disabled, 1) {}

bool CImageShowList::LoadPressIcon(const std::filesystem::path& file) {
    return m_pressIcon.LoadFile(file);
}

bool CImageShowList::LoadReleaseIcon(const std::filesystem::path& file) {
    return m_releaseIcon.LoadFile(file);
}

bool CImageShowList::LoadDelayIcon(const std::filesystem::path& file) {
    return m_delayIcon.LoadFile(file);
}

void CImageShowList::BindMacro(const MacroRecord* macro) {
    m_macro = macro;
    InvalidateSelf();
}

int CImageShowList::ActionCount() const {
    return m_macro != nullptr ? static_cast<int>(UsedActions(*m_macro)) : 0;
}

int CImageShowList::RowPixels() const {
    return std::max(1, Scaled(kRowHeight));
}

int CImageShowList::RowsThatFit() const {
    return (GetBounds().Height() + Scaled(kPartRow)) / RowPixels();
}

void CImageShowList::SetFirstVisibleRow(int row) {
    if (row != m_firstVisible) {
        m_firstVisible = row;
        InvalidateSelf();
    }
}

void CImageShowList::SetSelectedRow(int row) {
    if (row != m_selected) {
        m_selected = row;
        InvalidateSelf();
    }
}

void CImageShowList::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const ClipScope inside(painter, bounds);
    painter.FillRect(bounds, kListBackground);
    const int count = ActionCount();
    const double scale = UiScale();
    const int rowPixels = RowPixels();
    const int fit = RowsThatFit();
    for (int i = 0; i < fit; ++i) {
        const int index = m_firstVisible + i;
        if (index < 0 || index >= count) {
            continue;
        }
        const MacroAction& action = m_macro->actions[static_cast<size_t>(index)];
        const Rect rect{bounds.left + Scaled(kTextIndent), bounds.top + i * rowPixels,
                        bounds.right - Scaled(kRightInset), bounds.top + (i + 1) * rowPixels};
        if (index == m_selected) {
            painter.FillRect(rect, kSelectedRow);
        }
        const SkinImage& icon = IsDelayAction(action)     ? m_delayIcon
                                : IsReleaseAction(action) ? m_releaseIcon
                                                          : m_pressIcon;
        const int iconLeft = rect.left - Scaled(kIconBeforeText);
        const int iconTop = rect.top + Scaled(kIconDrop);
        painter.DrawImage(icon,
                          {iconLeft, iconTop, iconLeft + static_cast<int>(icon.Width() * scale),
                           iconTop + static_cast<int>(icon.Height() * scale)});
        painter.DrawText(DescribeAction(action).text, rect,
                         kDtLeft | kDtWordEllipsis | kDtSingleLine | kDtVCenter, kTextColor,
                         Font());
    }
}

bool CImageShowList::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CImageShowList::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    SetState(kStatePressed);
    const int row = (y - GetBounds().top) / RowPixels() + m_firstVisible;
    m_selected = row >= 0 && row < ActionCount() ? row : -1;
    return true;
}

bool CImageShowList::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

bool CImageShowList::OnLButtonDblClk(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDblClk(x, y);
}

void CImageShowList::ReleaseImages() {
    m_releaseIcon.Release();
    m_pressIcon.Release();
    m_delayIcon.Release();
}

}  // namespace ostrel::ui
