#include "macro/macro_library_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "test_files.h"
#include "assign/key_tables.h"
#include "profile/text_file.h"

namespace ostrel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(OSTREL_FIXTURES_DIR) / "macro";


std::vector<std::u16string> FixtureLines(const char* name) {
    auto lines = ReadTextFile(kFixtures / name, FileAccess::ReadOnly);
    EXPECT_TRUE(lines) << lines.reason();
    return lines ? *lines : std::vector<std::u16string>{};
}

struct Parsed {
    bool headerOk = false;
    MacroFileHeader header;
    MacroLibrary library;
};

Parsed Parse(const std::vector<std::u16string>& lines) {
    Parsed parsed;
    auto header =
        ParseMacroLibraryFile(lines, [&parsed](const MacroLocation& at, MacroItem&& item) {
            parsed.library.Place(at, std::move(item));
        });
    parsed.headerOk = header.ok();
    if (header) {
        parsed.header = *header;
        parsed.library.nextIdentifier = header->nextIdentifier;
    }
    return parsed;
}

MacroRecord Macro(std::u16string name, uint32_t identifier, std::vector<MacroAction> actions) {
    MacroRecord macro;
    macro.name = std::move(name);
    macro.identifier = identifier;
    for (const MacroAction& action : actions) InsertAction(macro, kMaxMacroActions, action);
    for (const MacroAction& action : actions) macro.eventCount += IsDelayAction(action) ? 0 : 1;
    return macro;
}

class TempFolder : public testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() / ("ostrel-macro-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
};

using MacroLibraryFileTest = TempFolder;

TEST_F(MacroLibraryFileTest, LoadsTheThreeStageFileAndWritesItBackByteForByte) {
    const fs::path fixture = kFixtures / "three_stages.mlf";
    MacroLibrary library;
    const MacroLoadResult loaded = LoadMacroLibrary(fixture, library);
    ASSERT_EQ(loaded.outcome, MacroLoad::Complete) << loaded.problem;
    EXPECT_TRUE(loaded.location.IsNothing());
    EXPECT_EQ(library.nextIdentifier, 7u);
    EXPECT_EQ(library.Size(), 6u);

    const MacroItem* games = library.At(MacroLocation::Top(0));
    ASSERT_NE(games, nullptr);
    EXPECT_TRUE(games->isFolder);
    EXPECT_TRUE(games->isOpen);
    EXPECT_FALSE(library.At(MacroLocation::Top(3))->isOpen);
    EXPECT_TRUE(library.At({1, 0, 1, 0})->isFolder);

    const MacroItem* copy = library.At(MacroLocation::Top(2));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->name, u"Copy = Ctrl+C");  // the name is what follows the first "="
    EXPECT_EQ(copy->macro.name, copy->name);
    EXPECT_EQ(copy->macro.identifier, 3u);
    EXPECT_EQ(copy->macro.loopCount, 5);
    EXPECT_EQ(copy->macro.actionCount, 5u);
    EXPECT_EQ(copy->macro.eventCount, 4);
    EXPECT_EQ(copy->macro.actions[1], MakeKeyAction(0x43, false));
    // Slots beyond the count are kept as they are.
    EXPECT_EQ(copy->macro.actions[335], (MacroAction{0xDE, 0xAD, 0xBE, 0xEF}));

    const MacroItem* jump = library.At({1, 0, 4, 0});
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->macro.loopMode, kLoopUntilReleased);
    const MacroItem* reload = library.At({2, 0, 1, 0});
    ASSERT_NE(reload, nullptr);
    EXPECT_EQ(reload->macro.loopMode, kLoopUntilPressedAgain);
    EXPECT_EQ(reload->macro.actions[0], (MacroAction{kVkMouseMoveX, 0, 0, 0xF6}));
    EXPECT_EQ(DelayOf(reload->macro.actions[1]), 5000u);

    const fs::path saved = m_folder / "saved.mlf";
    ASSERT_TRUE(SaveMacroLibrary(saved, library, MacroLocation::Nothing()));
    EXPECT_EQ(ReadBytes(saved), ReadBytes(fixture));

    // Keys are never compared: the same lines under other keys give the same library.
    const Parsed garbled = Parse(FixtureLines("garbled_keys.mlf"));
    EXPECT_TRUE(garbled.header.complete) << garbled.header.problem;
    EXPECT_EQ(garbled.library, library);
}

TEST_F(MacroLibraryFileTest, BuiltLibrarySurvivesSaveAndLoad) {
    MacroLibrary library;
    library.nextIdentifier = 40;
    library.Place(MacroLocation::Top(5), MacroItem::Folder(u"Top", true));
    library.Place(MacroLocation::Top(59),
                  MacroItem::Macro(Macro(u"Last", 1, {MakeKeyAction(0x41, false)})));
    library.Place({1, 5, 0, 0}, MacroItem::Folder(u"Inner"));
    library.Place({1, 5, 7, 0}, MacroItem::Macro(Macro(u"Second", 2, {MakeDelayAction(9)})));
    MacroRecord deep = Macro(u"Deep", 39, {MakeKeyAction(0x42, false), MakeDelayAction(70000)});
    deep.loopMode = kLoopUntilPressedAgain;
    deep.loopCount = 255;
    library.Place({2, 5, 0, 59}, MacroItem::Macro(deep));
    library.Place(MacroLocation::Top(1), MacroItem::Folder(u"Line\nfeed"));  // kept loadable

    const fs::path path = m_folder / "library.mlf";
    ASSERT_TRUE(SaveMacroLibrary(path, library, MacroLocation::Nothing()));
    MacroLibrary loaded;
    ASSERT_EQ(LoadMacroLibrary(path, loaded).outcome, MacroLoad::Complete);
    EXPECT_EQ(loaded.At(MacroLocation::Top(1))->name, u"Line feed");
    library.Rename(MacroLocation::Top(1), u"Line feed");
    EXPECT_EQ(loaded, library);

    const fs::path again = m_folder / "again.mlf";
    ASSERT_TRUE(SaveMacroLibrary(again, loaded, MacroLocation::Nothing()));
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}

TEST(MacroLibraryFormatTest, GroupsItemsByStageWithOneTabPerStage) {
    MacroLibrary library;
    library.Place(MacroLocation::Top(0), MacroItem::Folder(u"A"));
    library.Place(MacroLocation::Top(1), MacroItem::Folder(u"B", true));
    library.Place({1, 0, 0, 0}, MacroItem::Folder(u"A1"));
    library.Place({1, 1, 0, 0}, MacroItem::Folder(u"B1"));
    library.Place({2, 0, 0, 3}, MacroItem::Macro(Macro(u"M", 12, {})));
    const std::vector<std::u16string> lines =
        FormatMacroLibraryFile(library, {2, 0, 0, 3});

    const std::vector<std::u16string> expected = {
        u"[MacroLibrary]",
        u"MacroKeyIndex=0",
        u"Select Locaton:stage=2;stage0Index=0;stage1Index=0;stage2Index=3;",
        u"++++++++MacroItemName=A",
        u"MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
        u"MacroItemIsFolder=1",
        u"MacroItemFolderIsOpen=0",
        u"++++++++MacroItemName=B",
        u"MacroItemLocation:stage=0;stage0Index=1;stage1Index=0;stage2Index=0;",
        u"MacroItemIsFolder=1",
        u"MacroItemFolderIsOpen=1",
        u"\t++++++++MacroItemName=A1",
        u"\tMacroItemLocation:stage=1;stage0Index=0;stage1Index=0;stage2Index=0;",
        u"\tMacroItemIsFolder=1",
        u"\tMacroItemFolderIsOpen=0",
        u"\t++++++++MacroItemName=B1",
        u"\tMacroItemLocation:stage=1;stage0Index=1;stage1Index=0;stage2Index=0;",
        u"\tMacroItemIsFolder=1",
        u"\tMacroItemFolderIsOpen=0",
        u"\t\t++++++++MacroItemName=M",
        u"\t\tMacroItemLocation:stage=2;stage0Index=0;stage1Index=0;stage2Index=3;",
        u"\t\tMacroItemIsFolder=0",
        u"\t\tMacroItemFolderIsOpen=0",
        u"\t\tMacroKeyIndex=12",
        u"\t\tMacroKeyLoopType=2",
        u"\t\tMacroKeyLoopNum=1",
        u"\t\tMacroActionNum=0",
        u"\t\tMacroCommandActionNum=0",
        u"\t\tAllAction=" + std::u16string(2688, u'0'),
    };
    EXPECT_EQ(lines, expected);
}

// Lines of the three-stage fixture changed per case; the read stops where the case breaks it.
TEST(MacroLibraryFormatTest, StopRules) {
    const std::vector<std::u16string> base = FixtureLines("three_stages.mlf");
    ASSERT_EQ(base.size(), 45u);
    // Line numbers (1-based) in the fixture: items begin at 4 (folder "Games"), 8 (macro "Copy"),
    // 18 (folder "Empty"), 22, 26 and 36, and end at 45; "Copy"'s AllAction is line 17.
    struct Case {
        const char* name;
        size_t line;  // 1-based line to replace; 0 cuts the file after `keep` lines
        std::u16string text;
        size_t keep;
        bool complete;
        size_t itemsLoaded;
        uint32_t nextIdentifier;
    };
    const std::u16string allAction = base[16].substr(0, base[16].find(u'=') + 1);
    const std::u16string digits = base[16].substr(allAction.size());
    const Case cases[] = {
        {"the whole file", 0, u"", 45, true, 6, 7},
        {"ends right after line 3", 0, u"", 3, true, 0, 7},
        {"ends after line 2", 0, u"", 2, false, 0, 7},
        {"ends inside a macro", 0, u"", 14, false, 1, 7},
        {"ends after a folder", 0, u"", 7, true, 1, 7},
        {"AllAction of 2687 characters", 17, allAction + digits.substr(1), 0, false, 1, 7},
        {"AllAction of 2689 characters", 17, allAction + digits + u"0", 0, false, 1, 7},
        {"no number on line 2", 2, u"MacroKeyIndex=", 0, false, 0, 0},
        {"a location line without its last \";\"", 3, u"x:stage=-1;a=0;b=0;c=0", 0, false, 0, 7},
        {"line 3 out of range still loads", 3, u"stage=9;a=77;b=0;c=0;", 0, true, 6, 7},
        {"a name line whose \"=\" ends it", 18, u"++++++++MacroItemName=", 0, false, 2, 7},
        {"a line without \"=\"", 20, u"MacroItemIsFolder 1", 0, false, 2, 7},
        {"stage 3", 19, u"L:stage=3;a=0;b=0;c=0;", 0, false, 2, 7},
        {"stage -1 for an item", 19, u"L:stage=-1;a=0;b=0;c=0;", 0, false, 2, 7},
        {"index 60", 19, u"L:stage=0;a=60;b=0;c=0;", 0, false, 2, 7},
        {"a negative index below the stage", 19, u"L:stage=0;a=3;b=-1;c=0;", 0, false, 2, 7},
        {"an index beyond the stage is checked", 19, u"L:stage=0;a=3;b=0;c=61;", 0, false, 2, 7},
        {"a trailing empty line", 0, u"", 46, false, 6, 7},
    };
    for (const Case& c : cases) {
        std::vector<std::u16string> lines = base;
        if (c.line != 0) {
            lines[c.line - 1] = c.text;
        } else {
            lines.resize(c.keep);  // 46 adds an empty line
        }
        const Parsed parsed = Parse(lines);
        ASSERT_TRUE(parsed.headerOk) << c.name;
        EXPECT_EQ(parsed.header.complete, c.complete) << c.name;
        EXPECT_EQ(parsed.header.problem.empty(), c.complete) << c.name;
        EXPECT_EQ(parsed.library.Size(), c.itemsLoaded) << c.name;
        EXPECT_EQ(parsed.library.nextIdentifier, c.nextIdentifier) << c.name;
    }
}

TEST(MacroLibraryFormatTest, ProblemNamesTheLine) {
    std::vector<std::u16string> lines = FixtureLines("three_stages.mlf");
    lines[16].pop_back();
    EXPECT_EQ(Parse(lines).header.problem,
              "line 17: AllAction holds 2687 characters instead of 2688");
    EXPECT_EQ(Parse(FixtureLines("location_out_of_range.mlf")).header.problem,
              "line 9: the location is outside the tree");
}

TEST(MacroLibraryFormatTest, OnlyTheExactSectionLineIsAccepted) {
    for (const char16_t* first :
         {u"[MacroLibrary] ", u"[macrolibrary]", u"", u"\uFEFF[MacroLibrary]"}) {
        std::vector<std::u16string> lines = FixtureLines("three_stages.mlf");
        lines[0] = first;
        const Parsed parsed = Parse(lines);
        EXPECT_FALSE(parsed.headerOk);
        EXPECT_TRUE(parsed.library.Empty());
    }
    EXPECT_FALSE(Parse({}).headerOk);
}

TEST(MacroLibraryFormatTest, NumbersAreReadWithinTheirFields) {
    std::vector<std::u16string> lines = FixtureLines("three_stages.mlf");
    // "Copy"'s lines 12 to 16: identifier, loop mode, loop count, action count, event count.
    lines[11] = u"MacroKeyIndex=-4";
    lines[12] = u"MacroKeyLoopType=300";
    lines[13] = u"MacroKeyLoopNum= 7x";
    lines[14] = u"MacroActionNum=400";
    lines[15] = u"MacroCommandActionNum=999";
    lines[1] = u"MacroKeyIndex=-5";
    const Parsed parsed = Parse(lines);
    ASSERT_TRUE(parsed.header.complete);
    const MacroRecord& copy = parsed.library.At(MacroLocation::Top(2))->macro;
    EXPECT_EQ(copy.identifier, 0u);
    EXPECT_EQ(copy.loopMode, 255);
    EXPECT_EQ(copy.loopCount, 7);
    EXPECT_EQ(copy.actionCount, kMaxMacroActions);
    EXPECT_EQ(copy.eventCount, kMaxMacroEvents);
    EXPECT_EQ(parsed.library.nextIdentifier, 0u);
}

TEST(MacroLibraryFormatTest, LaterItemsAtTheSamePlaceReplaceEarlierOnes) {
    std::vector<std::u16string> lines = FixtureLines("three_stages.mlf");
    lines[18] = u"MacroItemLocation:stage=0;stage0Index=2;stage1Index=0;stage2Index=0;";  // "Empty"
    const Parsed parsed = Parse(lines);
    ASSERT_TRUE(parsed.header.complete);
    EXPECT_EQ(parsed.library.Size(), 5u);
    EXPECT_TRUE(parsed.library.At(MacroLocation::Top(2))->isFolder);
    EXPECT_FALSE(parsed.library.FindMacro(3).has_value());
}

class DataFolderMacroLibraryTest : public TempFolder {
protected:
    fs::path LibraryFile() const { return m_folder / "config" / "MacroLibraryFile.mlf"; }
    fs::path BadCopy() const { return m_folder / "config" / "MacroLibraryFile.mlf.bad"; }
    void Install(const char* fixture) {
        fs::create_directories(LibraryFile().parent_path());
        fs::copy_file(kFixtures / fixture, LibraryFile(), fs::copy_options::overwrite_existing);
    }
};

TEST_F(DataFolderMacroLibraryTest, PartialLoadKeepsTheFileBesideItselfBeforeTheNextSave) {
    Install("location_out_of_range.mlf");
    const std::string original = ReadBytes(LibraryFile());
    MacroLibrary library;
    const MacroLoadResult loaded = LoadDataFolderMacroLibrary(m_folder, library);
    EXPECT_EQ(loaded.outcome, MacroLoad::Partial);
    EXPECT_NE(loaded.problem.find("line 9"), std::string::npos) << loaded.problem;
    EXPECT_EQ(library.Size(), 1u);  // the folder before the bad item
    EXPECT_EQ(ReadBytes(BadCopy()), original);

    ASSERT_TRUE(SaveDataFolderMacroLibrary(m_folder, library));
    EXPECT_NE(ReadBytes(LibraryFile()), original);
    EXPECT_EQ(ReadBytes(BadCopy()), original);  // the rest is still there
}

TEST_F(DataFolderMacroLibraryTest, WrongHeaderEmptiesTheLibraryAndKeepsTheFile) {
    fs::create_directories(LibraryFile().parent_path());
    ASSERT_TRUE(WriteTextFile(LibraryFile(), {u"[MacroLibrary] ", u"MacroKeyIndex=3"}));
    MacroLibrary library;
    library.Place(MacroLocation::Top(0), MacroItem::Folder(u"Before"));
    library.nextIdentifier = 9;
    EXPECT_EQ(LoadDataFolderMacroLibrary(m_folder, library).outcome, MacroLoad::WrongHeader);
    EXPECT_TRUE(library.Empty());
    EXPECT_EQ(library.nextIdentifier, 0u);
    EXPECT_TRUE(fs::exists(BadCopy()));
}

TEST_F(DataFolderMacroLibraryTest, CompleteOrMissingFileKeepsNoCopy) {
    MacroLibrary library;
    library.Place(MacroLocation::Top(0), MacroItem::Folder(u"Before"));
    EXPECT_EQ(LoadDataFolderMacroLibrary(m_folder, library).outcome, MacroLoad::NotOpened);
    EXPECT_EQ(library.Size(), 1u);  // a file that cannot be read changes nothing
    EXPECT_FALSE(fs::exists(BadCopy()));

    // The save makes the config folder; the file it writes loads whole.
    library.nextIdentifier = 5;
    ASSERT_TRUE(SaveDataFolderMacroLibrary(m_folder, library));
    MacroLibrary loaded;
    EXPECT_EQ(LoadDataFolderMacroLibrary(m_folder, loaded).outcome, MacroLoad::Complete);
    EXPECT_EQ(loaded, library);
    EXPECT_FALSE(fs::exists(BadCopy()));

    Install("ends_after_location.mlf");
    EXPECT_EQ(LoadDataFolderMacroLibrary(m_folder, loaded).outcome, MacroLoad::Complete);
    EXPECT_TRUE(loaded.Empty());
    EXPECT_EQ(loaded.nextIdentifier, 42u);
}

}  // namespace
}  // namespace ostrel
