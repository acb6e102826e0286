#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "macro/macro_library.h"
#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The macro manager's library list; every one carries this id.
inline constexpr int kIdEditShowList = 2015;

// One row of the library list: an item of the tree, shown under every open folder above it.
struct LibraryRow {
    MacroLocation location;
    int level = 0;  // 0 to 2
    bool isFolder = false;
    bool isOpen = false;
    std::u16string name;

    bool operator==(const LibraryRow&) const = default;
};

// The rows of the library tree as the list shows them: the top row's items by index, each open
// folder followed by its own row's items.
std::vector<LibraryRow> LibraryRows(const MacroLibrary& library);

// The tree list of the macro library: rows of 20 design pixels, folders with an open or closed
// picture, indented by level. A press selects the row under it (the library's selection with
// it) and opens or closes a folder when it lands on the folder's picture or left of it; a double
// click on a row opens or closes its folder and is reported; a right click selects and is
// reported with a pointer to the click point.
class CEditShowList : public CControlBase {
public:
    static constexpr int kRowHeight = 20;

    CEditShowList(WindowHandle parent, int left, int top, int right, int bottom,
                  std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadFolderOpenImage(const std::filesystem::path& file);
    bool LoadFolderClosedImage(const std::filesystem::path& file);

    // The tree the list shows and selects in; null shows an empty list. The library must outlive
    // the binding.
    void Bind(MacroLibrary* library);
    MacroLibrary* Library() const { return m_library; }

    int RowCount() const;
    // (height + 10 × scale) / (20 × scale): the last of them may be cut off at the bottom.
    int RowsThatFit() const;
    // The tree row at a height in the list (first visible row included); it may be beyond the
    // rows.
    int RowAt(int y) const;

    int FirstVisibleRow() const { return m_firstVisible; }
    void SetFirstVisibleRow(int row);
    int SelectedRow() const { return m_selected; }
    void SetSelectedRow(int row);
    // Scrolls so that the selected row is in view (to the top when nothing is selected and all
    // rows fit), never past the last full page.
    void EnsureVisible();

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    bool OnLButtonDblClk(unsigned flags, int x, int y) override;
    bool OnRButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    // Selects the row under `y` (the library's selection with it), or nothing.
    void SelectAt(int y);
    // The folder picture's width, which the open/close hit area and the indent use.
    int FolderImageWidth() const;
    int RowPixels() const;

    MacroLibrary* m_library = nullptr;
    SkinImage m_folderOpen;
    SkinImage m_folderClosed;
    int m_firstVisible = 0;
    int m_selected = -1;
};

}  // namespace ostrel::ui
