#include "macro/macro_library_rules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "macro/macro_library_file.h"

namespace ostrel {
namespace {
namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(OSTREL_FIXTURES_DIR) / "macro";

MacroItem NamedMacro(std::u16string name, uint32_t identifier) {
    MacroRecord record;
    record.name = std::move(name);
    record.identifier = identifier;
    return MacroItem::Macro(record);
}

// Top row: folder F (0), macro M (1, id 0), folder G (2). Under F: folder F1 (0), macro X (3,
// id 11). Under F1: macro Y (0, id 12). The counter is at 10.
MacroLibrary SmallLibrary() {
    MacroLibrary library;
    library.nextIdentifier = 10;
    library.Place(MacroLocation::Top(0), MacroItem::Folder(u"F"));
    library.Place(MacroLocation::Top(1), NamedMacro(u"M", 0));
    library.Place(MacroLocation::Top(2), MacroItem::Folder(u"G"));
    library.Place({1, 0, 0, 0}, MacroItem::Folder(u"F1"));
    library.Place({1, 0, 3, 0}, NamedMacro(u"X", 11));
    library.Place({2, 0, 0, 0}, NamedMacro(u"Y", 12));
    return library;
}

constexpr MacroLocation kF = MacroLocation{0, 0, 0, 0};
constexpr MacroLocation kF1 = MacroLocation{1, 0, 0, 0};

TEST(MacroLibraryRulesTest, AddRule) {
    struct Case {
        const char* name;
        MacroLocation selection;
        bool folder;
        std::u16string itemName;
        EditStatus status;
        uint16_t message;
        MacroLocation added;       // and selected afterwards
        uint32_t identifier = 0;   // of a new macro
    };
    constexpr MacroLocation kNothing = MacroLocation::Nothing();
    constexpr EditStatus kDone = EditStatus::Done;
    constexpr EditStatus kTaken = EditStatus::DuplicateName;
    const Case cases[] = {
        {"nothing selected: first free top place", kNothing, false, u"N", kDone, kTextNone,
         MacroLocation::Top(3), 10},
        {"empty name", kNothing, false, u"", EditStatus::EmptyName, kTextEmptyName, {}},
        {"name taken in the top row", kNothing, true, u"M", kTaken, kTextDuplicateName, {}},
        {"a name of another row is free", kNothing, false, u"X", kDone, kTextNone,
         MacroLocation::Top(3), 10},
        {"into a top-level folder", kF, false, u"M", kDone, kTextNone, {1, 0, 1, 0}, 10},
        {"a folder into a top-level folder", kF, true, u"H", kDone, kTextNone, {1, 0, 1, 0}},
        {"name taken in the folder", kF, true, u"X", kTaken, kTextDuplicateName, {}},
        {"into a second-level folder", kF1, false, u"Z", kDone, kTextNone, {2, 0, 0, 1}, 10},
        {"name taken in the second-level folder", kF1, false, u"Y", kTaken, kTextDuplicateName, {}},
        {"no folder inside a second-level folder", kF1, true, u"Z", EditStatus::NoFolderHere,
         kTextNone, {}},
        {"a selected macro adds at the top", {1, 0, 3, 0}, false, u"N", kDone, kTextNone,
         MacroLocation::Top(3), 10},
        {"a selected deep macro adds at the top", {2, 0, 0, 0}, true, u"N", kDone, kTextNone,
         MacroLocation::Top(3)},
    };
    for (const Case& c : cases) {
        MacroLibrary library = SmallLibrary();
        library.selection = c.selection;
        const MacroLibrary before = library;
        const EditReport report =
            c.folder ? AddFolder(library, c.itemName) : AddMacro(library, c.itemName);
        EXPECT_EQ(report.status, c.status) << c.name;
        EXPECT_EQ(report.messageText, c.message) << c.name;
        if (report.status != EditStatus::Done) {
            EXPECT_EQ(library, before) << c.name;
            continue;
        }
        EXPECT_EQ(report.location, c.added) << c.name;
        EXPECT_EQ(library.selection, c.added) << c.name;
        EXPECT_EQ(library.Size(), before.Size() + 1) << c.name;
        const MacroItem* item = library.At(c.added);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->name, c.itemName) << c.name;
        EXPECT_EQ(item->isFolder, c.folder) << c.name;
        if (!c.folder) {
            EXPECT_EQ(item->macro, [&] {
                MacroRecord fresh;  // the defaults: loop mode 2, count 1
                fresh.name = c.itemName;
                fresh.identifier = c.identifier;
                return fresh;
            }()) << c.name;
            EXPECT_EQ(library.nextIdentifier, c.identifier + 1) << c.name;
        }
        // The folder that receives the item is opened.
        if (c.selection == kF || c.selection == kF1) {
            EXPECT_TRUE(library.At(c.selection)->isOpen) << c.name;
        }
    }
}

TEST(MacroLibraryRulesTest, FullRowTakesNothingAndSaysNothing) {
    MacroLibrary library = SmallLibrary();
    for (int32_t i = 1; i < kMacroRowPlaces; ++i) {
        const std::u16string name = {u'm', char16_t(u'A' + i / 10), char16_t(u'0' + i % 10)};
        library.Place({2, 0, 0, i}, NamedMacro(name, 100 + i));
    }
    library.selection = kF1;
    const MacroLibrary before = library;
    const EditReport report = AddMacro(library, u"One more");
    EXPECT_EQ(report.status, EditStatus::RowFull);
    EXPECT_EQ(report.messageText, kTextNone);
    EXPECT_EQ(library, before);
}

TEST(MacroLibraryRulesTest, NewIdentifiersSkipThoseInUse) {
    MacroLibrary library = SmallLibrary();
    library.nextIdentifier = 11;  // a counter behind the macros, as a hand-edited file may have
    ASSERT_TRUE(AddMacro(library, u"N").done());
    EXPECT_EQ(library.CurrentMacro()->identifier, 13u);
    EXPECT_EQ(library.nextIdentifier, 14u);

    library.nextIdentifier = uint32_t(INT32_MAX) + 1;  // beyond what the file reads back
    library.selection = MacroLocation::Nothing();
    ASSERT_TRUE(AddMacro(library, u"Wrapped").done());
    EXPECT_EQ(library.CurrentMacro()->identifier, 1u);  // 0 is "M"'s
}

TEST(MacroLibraryRulesTest, Rename) {
    struct Case {
        const char* name;
        MacroLocation location;
        std::u16string newName;
        EditStatus status;
        uint16_t message;
    };
    constexpr EditStatus kTaken = EditStatus::DuplicateName;
    const Case cases[] = {
        {"its own name counts as taken", {1, 0, 3, 0}, u"X", kTaken, kTextDuplicateName},
        {"a sibling's name", {1, 0, 3, 0}, u"F1", kTaken, kTextDuplicateName},
        {"a name of another row", {1, 0, 3, 0}, u"M", EditStatus::Done, kTextNone},
        {"empty", kF, u"", EditStatus::EmptyName, kTextEmptyName},
        {"a folder", kF, u"Renamed", EditStatus::Done, kTextNone},
        {"a free place", MacroLocation::Top(40), u"Q", EditStatus::NothingSelected,
         kTextSelectItemFirst},
    };
    for (const Case& c : cases) {
        MacroLibrary library = SmallLibrary();
        const MacroLibrary before = library;
        const EditReport report = RenameItem(library, c.location, c.newName);
        EXPECT_EQ(report.status, c.status) << c.name;
        EXPECT_EQ(report.messageText, c.message) << c.name;
        if (!report.done()) {
            EXPECT_EQ(library, before) << c.name;
            continue;
        }
        EXPECT_EQ(library.At(c.location)->name, c.newName) << c.name;
        if (!library.At(c.location)->isFolder) {
            EXPECT_EQ(library.At(c.location)->macro.name, c.newName) << c.name;
        }
    }
}

std::array<KeySlot, kButtonCount> KeysBoundTo(uint32_t identifier, uint8_t codeType = kCodeMacro) {
    std::array<KeySlot, kButtonCount> keys{};
    keys[4].code = {codeType, 0x21, 0};
    keys[4].MacroKeyIndex = identifier;
    return keys;
}

TEST(MacroLibraryRulesTest, Delete) {
    MacroLibrary library = SmallLibrary();
    EXPECT_EQ(CheckDelete(library).messageText, kTextSelectItemFirst);
    EXPECT_EQ(DeleteSelected(library, KeysBoundTo(99)).status, EditStatus::NothingSelected);

    // A macro bound to a button of the current profile, directly or anywhere under the folder.
    struct Refusal {
        MacroLocation selection;
        uint32_t bound;
    };
    for (const Refusal& r : {Refusal{MacroLocation::Top(1), 0}, {kF, 12}, {kF1, 12}}) {
        library.selection = r.selection;
        EXPECT_EQ(CheckDelete(library).status, EditStatus::ConfirmDelete);
        EXPECT_EQ(CheckDelete(library).messageText, kTextConfirmDelete);
        const MacroLibrary before = library;
        const EditReport report = DeleteSelected(library, KeysBoundTo(r.bound));
        EXPECT_EQ(report.status, EditStatus::BoundToButton);
        EXPECT_EQ(report.messageText, kTextMacroBoundToButton);
        EXPECT_EQ(library, before);
    }

    // The same identifier on a button that is not bound to a macro does not hold the macro.
    library.selection = MacroLocation::Top(1);
    EXPECT_TRUE(DeleteSelected(library, KeysBoundTo(0, 0x10)).done());
    EXPECT_EQ(library.At(MacroLocation::Top(1)), nullptr);
    EXPECT_TRUE(library.selection.IsNothing());

    // A folder goes with everything under it; a binding elsewhere does not matter.
    library.selection = kF;
    EXPECT_TRUE(DeleteSelected(library, KeysBoundTo(99)).done());
    EXPECT_EQ(library.Size(), 1u);
    EXPECT_NE(library.At(MacroLocation::Top(2)), nullptr);
    EXPECT_FALSE(library.FindMacro(12).has_value());
}

TEST(MacroLibraryRulesTest, LookupSearchesStageByStage) {
    MacroLibrary library;
    library.Place(MacroLocation::Top(0), MacroItem::Folder(u"A"));  // a folder's record says 0 too
    library.Place(MacroLocation::Top(9), MacroItem::Folder(u"B"));
    library.Place({1, 0, 0, 0}, MacroItem::Folder(u"A1"));
    library.Place({2, 0, 0, 5}, NamedMacro(u"deep", 0));
    library.Place({1, 9, 30, 0}, NamedMacro(u"second", 0));
    EXPECT_EQ(library.FindMacro(0), (MacroLocation{1, 9, 30, 0}));  // stage 1 before stage 2
    library.Place(MacroLocation::Top(40), NamedMacro(u"top", 0));
    EXPECT_EQ(library.FindMacro(0), MacroLocation::Top(40));
    EXPECT_FALSE(library.FindMacro(1).has_value());

    EXPECT_EQ(SelectItem(library, {2, 0, 0, 5})->name, u"deep");
    EXPECT_EQ(SelectItem(library, MacroLocation::Top(0)), nullptr);
    EXPECT_EQ(library.selection, MacroLocation::Top(0));
    EXPECT_EQ(SelectItem(library, MacroLocation::Top(1)), nullptr);
    EXPECT_TRUE(library.selection.IsNothing());
}

TEST(MacroImportTest, OneMacroFile) {
    MacroLibrary library = SmallLibrary();
    library.selection = kF;
    const fs::path file = kFixtures / "reload_export.mkf";

    const EditReport first = ImportMacroFileFrom(library, file);
    ASSERT_TRUE(first.done());
    EXPECT_EQ(first.location, (MacroLocation{1, 0, 1, 0}));
    EXPECT_EQ(library.selection, first.location);
    EXPECT_TRUE(library.At(kF)->isOpen);
    MacroLibrary source;
    ASSERT_EQ(LoadMacroLibrary(file, source).outcome, MacroLoad::Complete);
    MacroRecord expected = source.At({2, 0, 1, 0})->macro;
    expected.identifier = 10;  // a new identifier, everything else copied
    EXPECT_EQ(library.At(first.location)->macro, expected);
    EXPECT_EQ(library.nextIdentifier, 11u);

    library.selection = kF;
    const MacroLibrary before = library;
    const EditReport second = ImportMacroFileFrom(library, file);
    EXPECT_EQ(second.status, EditStatus::DuplicateName);
    EXPECT_EQ(second.messageText, kTextDuplicateName);
    EXPECT_EQ(library, before);

    // A library file (stage -1), a folder's location, a location outside the tree, no file.
    MacroLibrary scratch;
    scratch.Place(MacroLocation::Top(0), MacroItem::Folder(u"Folder"));
    scratch.Place(MacroLocation::Top(1), NamedMacro(u"Macro", 1));
    for (const MacroLocation& location : {MacroLocation::Nothing(), MacroLocation::Top(0),
                                          MacroLocation{0, 1, 0, 60}, MacroLocation{3, 1, 0, 0}}) {
        EXPECT_EQ(ImportMacroFile(library, scratch, location).status, EditStatus::NothingToImport);
    }
    EXPECT_EQ(ImportMacroFileFrom(library, kFixtures / "three_stages.mlf").status,
              EditStatus::NothingToImport);
    EXPECT_EQ(ImportMacroFileFrom(library, kFixtures / "missing.mkf").status,
              EditStatus::NothingToImport);
    EXPECT_EQ(library, before);
}

TEST(MacroImportTest, SeveralItemsFile) {
    const fs::path whole = kFixtures / "whole_library_export.mbf";
    struct Case {
        const char* name;
        MacroLocation selection;
        std::vector<std::pair<MacroLocation, std::u16string>> added;
    };
    // The file's top row: folder "Games" (holding folder "Shooter" and macro "Jump"), macro
    // "Copy = Ctrl+C", folder "Empty".
    const Case cases[] = {
        {"nothing selected: folders are skipped", MacroLocation::Nothing(),
         {{MacroLocation::Top(3), u"Copy = Ctrl+C"}}},
        {"a top-level macro selected: folders with their macros",
         MacroLocation::Top(1),
         {{MacroLocation::Top(3), u"Games"},
          {{1, 3, 0, 0}, u"Jump"},
          {MacroLocation::Top(4), u"Copy = Ctrl+C"},
          {MacroLocation::Top(5), u"Empty"}}},
        {"a top-level folder selected: into it",
         MacroLocation::Top(2),
         {{{1, 2, 0, 0}, u"Games"},
          {{2, 2, 0, 0}, u"Jump"},
          {{1, 2, 1, 0}, u"Copy = Ctrl+C"},
          {{1, 2, 2, 0}, u"Empty"}}},
        {"a second-level folder selected: macros only", kF1, {{{2, 0, 0, 1}, u"Copy = Ctrl+C"}}},
    };
    for (const Case& c : cases) {
        MacroLibrary library = SmallLibrary();
        library.selection = c.selection;
        const EditReport report = ImportMacroBundleFrom(library, whole);
        ASSERT_TRUE(report.done()) << c.name;
        EXPECT_EQ(library.selection, c.selection) << c.name;
        EXPECT_EQ(library.Size(), SmallLibrary().Size() + c.added.size()) << c.name;
        for (const auto& [location, name] : c.added) {
            const MacroItem* item = library.At(location);
            ASSERT_NE(item, nullptr) << c.name << " " << location.stage << location.stage0Index;
            EXPECT_EQ(item->name, name) << c.name;
        }
    }

    // The row of the third line from its index on: "Shooter" is skipped, "Jump" comes.
    MacroLibrary library = SmallLibrary();
    ASSERT_TRUE(ImportMacroBundleFrom(library, kFixtures / "shooter_row_export.mbf").done());
    EXPECT_EQ(library.At(MacroLocation::Top(3))->name, u"Jump");
    EXPECT_EQ(library.At(MacroLocation::Top(3))->macro.loopMode, kLoopUntilReleased);

    // One name already at the destination refuses them all.
    library = SmallLibrary();
    library.Place(MacroLocation::Top(7), MacroItem::Folder(u"Empty"));
    const MacroLibrary before = library;
    const EditReport refused = ImportMacroBundleFrom(library, whole);
    EXPECT_EQ(refused.status, EditStatus::DuplicateName);
    EXPECT_EQ(refused.messageText, kTextDuplicateName);
    EXPECT_EQ(library, before);
}

class MacroExportTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("ostrel-export-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
};

TEST_F(MacroExportTest, ExportCarriesTheSelectionForTheImport) {
    MacroLibrary library = SmallLibrary();
    EXPECT_EQ(SuggestedMacroExportName(library), std::nullopt);
    EXPECT_EQ(SuggestedBundleExportName(library), u"AllMacroKey.mbf");
    library.selection = kF1;
    EXPECT_EQ(SuggestedMacroExportName(library), std::nullopt);
    EXPECT_EQ(SuggestedBundleExportName(library), u"F1.mbf");
    library.selection = {2, 0, 0, 0};
    EXPECT_EQ(SuggestedMacroExportName(library), u"Y.mkf");
    EXPECT_EQ(SuggestedBundleExportName(library), u"Y.mbf");

    const fs::path file = m_folder / "Y.mkf";
    ASSERT_TRUE(ExportMacroLibrary(file, library));
    MacroLibrary other;
    const EditReport imported = ImportMacroFileFrom(other, file);
    ASSERT_TRUE(imported.done());
    EXPECT_EQ(other.At(imported.location)->name, u"Y");
    EXPECT_EQ(other.At(imported.location)->macro.identifier, 0u);
}

}  // namespace
}  // namespace ostrel
