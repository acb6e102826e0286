#include "ui/edit_show_list.h"

#include <algorithm>
#include <utility>

#include "ui/host.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr ColorRef kListBackground = Rgb(75, 75, 75);
constexpr ColorRef kSelectedRow = Rgb(53, 160, 222);
constexpr ColorRef kNameColor = Rgb(255, 255, 255);
// Between the row and the list's sides, and between a folder picture and its name.
constexpr int kRowInset = 2;
constexpr int kFolderGap = 3;
// Half a row more than the height: a last row cut at the bottom still counts.
constexpr int kPartRow = 10;
constexpr int kDeepestFolderStage = 1;

void AddRows(const MacroLibrary& library, const MacroLocation& rowPlace, int level,
             std::vector<LibraryRow>& rows) {
    for (const MacroLocation& place : library.RowOf(rowPlace)) {
        const MacroItem* item = library.At(place);
        if (item == nullptr) {
            continue;
        }
        rows.push_back({place, level, item->isFolder, item->isFolder && item->isOpen, item->name});
        if (item->isFolder && item->isOpen && place.stage <= kDeepestFolderStage) {
            AddRows(library, place.Child(0), level + 1, rows);
        }
    }
}

}  // namespace

std::vector<LibraryRow> LibraryRows(const MacroLibrary& library) {
    std::vector<LibraryRow> rows;
    AddRows(library, MacroLocation::Top(0), 0, rows);
    return rows;
}

CEditShowList::CEditShowList(WindowHandle parent, int left, int top, int right, int bottom,
                             std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, kIdEditShowList, left, top, right, bottom, std::move(text), visible,
                   shown, disabled, 1) {}

bool CEditShowList::LoadFolderOpenImage(const std::filesystem::path& file) {
    return m_folderOpen.LoadFile(file);
}

bool CEditShowList::LoadFolderClosedImage(const std::filesystem::path& file) {
    return m_folderClosed.LoadFile(file);
}

void CEditShowList::Bind(MacroLibrary* library) {
    m_library = library;
    m_firstVisible = 0;
    m_selected = -1;
    InvalidateSelf();
}

int CEditShowList::RowCount() const {
    return m_library != nullptr ? static_cast<int>(LibraryRows(*m_library).size()) : 0;
}

int CEditShowList::RowPixels() const {
    return std::max(1, Scaled(kRowHeight));
}

int CEditShowList::RowsThatFit() const {
    return (GetBounds().Height() + Scaled(kPartRow)) / RowPixels();
}

int CEditShowList::RowAt(int y) const {
    return (y - GetBounds().top) / RowPixels() + m_firstVisible;
}

void CEditShowList::SetFirstVisibleRow(int row) {
    if (row != m_firstVisible) {
        m_firstVisible = row;
        InvalidateSelf();
    }
}

void CEditShowList::SetSelectedRow(int row) {
    if (row != m_selected) {
        m_selected = row;
        InvalidateSelf();
    }
}

void CEditShowList::EnsureVisible() {
    const int rows = RowCount();
    const int fit = RowsThatFit();
    int first = m_firstVisible;
    if (m_selected < 0) {
        if (rows <= fit) {
            first = 0;
        }
    } else if (m_selected < first) {
        first = m_selected;
    } else if (m_selected >= first + fit) {
        first = m_selected - fit + 1;
    }
    SetFirstVisibleRow(std::max(0, std::min(first, rows - fit)));
}

int CEditShowList::FolderImageWidth() const {
    return m_folderClosed.Width() > 0 ? m_folderClosed.Width() : m_folderOpen.Width();
}

void CEditShowList::SelectAt(int y) {
    const std::vector<LibraryRow> rows =
        m_library != nullptr ? LibraryRows(*m_library) : std::vector<LibraryRow>{};
    const int row = RowAt(y);
    if (row >= 0 && row < static_cast<int>(rows.size())) {
        m_selected = row;
        m_library->selection = rows[static_cast<size_t>(row)].location;
    } else {
        m_selected = -1;
        if (m_library != nullptr) {
            m_library->selection = MacroLocation::Nothing();
        }
    }
}

void CEditShowList::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    // The last row may be cut off by the list's bottom edge.
    const ClipScope inside(painter, bounds);
    painter.FillRect(bounds, kListBackground);
    if (m_library == nullptr) {
        return;
    }
    const std::vector<LibraryRow> rows = LibraryRows(*m_library);
    const double scale = UiScale();
    const int rowPixels = RowPixels();
    const int inset = Scaled(kRowInset);
    const int levelIndent = static_cast<int>((FolderImageWidth() + kFolderGap) * scale);
    const int fit = RowsThatFit();
    for (int i = 0; i < fit; ++i) {
        const int index = m_firstVisible + i;
        if (index < 0 || index >= static_cast<int>(rows.size())) {
            continue;
        }
        const LibraryRow& row = rows[static_cast<size_t>(index)];
        Rect rect{bounds.left + inset, bounds.top + i * rowPixels, bounds.right - inset,
                  bounds.top + (i + 1) * rowPixels};
        if (index == m_selected) {
            painter.FillRect(rect, kSelectedRow);
        }
        rect.left += levelIndent * row.level;
        if (row.isFolder) {
            const SkinImage& picture = row.isOpen ? m_folderOpen : m_folderClosed;
            const int top = rect.top + Scaled(1);
            painter.DrawImage(
                picture, {rect.left, top, rect.left + static_cast<int>(picture.Width() * scale),
                          top + static_cast<int>(picture.Height() * scale)});
            rect.left += levelIndent;
        }
        painter.DrawText(row.name, rect, kDtWordEllipsis | kDtSingleLine | kDtVCenter, kNameColor,
                         Font());
    }
}

bool CEditShowList::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CEditShowList::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    SetState(kStatePressed);
    SelectAt(y);
    if (m_selected >= 0) {
        std::vector<LibraryRow> rows = LibraryRows(*m_library);
        const LibraryRow& row = rows[static_cast<size_t>(m_selected)];
        const int hitWidth = static_cast<int>(FolderImageWidth() * UiScale() * (row.level + 1));
        if (row.isFolder && x - GetBounds().left < hitWidth) {
            if (MacroItem* item = m_library->At(row.location)) {
                item->isOpen = !item->isOpen;
            }
        }
    }
    return true;
}

bool CEditShowList::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

bool CEditShowList::OnLButtonDblClk(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    SetState(kStateHover);
    const std::vector<LibraryRow> rows =
        m_library != nullptr ? LibraryRows(*m_library) : std::vector<LibraryRow>{};
    const int index = RowAt(y);
    if (index < 0 || index >= static_cast<int>(rows.size())) {
        return true;
    }
    // Only folders open and close; a macro row is reported all the same.
    if (MacroItem* item = m_library->At(rows[static_cast<size_t>(index)].location);
        item != nullptr && item->isFolder) {
        item->isOpen = !item->isOpen;
    }
    InvalidateSelf();
    Notify(kEventDoubleClick);
    return true;
}

bool CEditShowList::OnRButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    SelectAt(y);
    InvalidateSelf();
    Point point{x, y};
    Notify(kEventRightClick, reinterpret_cast<std::uintptr_t>(&point));
    return true;
}

void CEditShowList::ReleaseImages() {
    m_folderOpen.Release();
    m_folderClosed.Release();
}

}  // namespace ostrel::ui
