#include "profile/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"
#include "base/utf.h"
#include "profile/text_file.h"

namespace ostrel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

using Lines = std::vector<std::u16string>;

const UiFont kStartFont;


// A fresh folder per test, removed with everything in it at the end.
class LanguageFolderTest : public ::testing::Test {
protected:
    const fs::path& Folder() const { return m_folder.Path(); }

    // A folder that holds both language files, as the program folder does.
    fs::path InstalledFolder() {
        const fs::path installed = Folder() / "installed";
        fs::create_directories(installed);
        Write(installed / kChineseLanguageFile, {u"[Setting]", u"0=中文", u"1=显示窗口"});
        Write(installed / kEnglishLanguageFile, {u"[Setting]", u"0=English", u"1=Show Window"});
        return installed;
    }

    static void Write(const fs::path& path, const Lines& lines) {
        const Status status = WriteTextFile(path, lines);
        ASSERT_TRUE(status.ok()) << status.reason();
    }

private:
    testing_support::TempFolder m_folder{"ostrel-language"};
};

TEST_F(LanguageFolderTest, SelectionFileChoosesTheLanguageFile) {
    struct Case {
        const char* name;
        std::optional<Lines> selection;  // no value: no selection file
        std::u16string_view loaded;      // entry 0 of the file that was loaded
    };
    const Case cases[] = {
        {"no selection file", std::nullopt, u"中文"},
        {"empty selection file", Lines{}, u"中文"},
        {"code EN after the key", Lines{u"[ChangeLanguage]", u"Language=EN"}, u"English"},
        {"the key is not examined", Lines{u"[ChangeLanguage]", u"x=EN"}, u"English"},
        {"line 2 is only EN", Lines{u"[ChangeLanguage]", u"EN"}, u"English"},
        {"line 1 is EN", Lines{u"EN"}, u"English"},
        {"line 1 is EN, line 2 ignored", Lines{u"EN", u"Language=CN"}, u"English"},
        {"lower-case en", Lines{u"[ChangeLanguage]", u"Language=en"}, u"中文"},
        {"another code", Lines{u"[ChangeLanguage]", u"Language=CN"}, u"中文"},
        {"header only", Lines{u"[ChangeLanguage]"}, u"中文"},
        {"nothing before the = makes the whole line the code", Lines{u"[ChangeLanguage]", u"=EN"},
         u"中文"},
        {"nothing after the = makes the whole line the code", Lines{u"[ChangeLanguage]", u"EN="},
         u"中文"},
        {"a carriage return is part of the code", Lines{u"[ChangeLanguage]", u"Language=EN\r"},
         u"中文"},
        {"a header in another case is line 1 as the code",
         Lines{u"[changelanguage]", u"Language=EN"}, u"中文"},
        {"everything after the first = is the code", Lines{u"[ChangeLanguage]", u"a=EN=1"},
         u"中文"},
    };
    const fs::path installed = InstalledFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path config = Folder() / "config";
        fs::remove_all(config);
        fs::create_directory(config);
        fs::copy_file(installed / kChineseLanguageFile, config / kChineseLanguageFile);
        fs::copy_file(installed / kEnglishLanguageFile, config / kEnglishLanguageFile);
        if (c.selection)
            Write(config / kLanguageSelectionFile, *c.selection);

        LanguageTable table;
        EXPECT_TRUE(LoadLanguage(config, 1.0, table));
        EXPECT_EQ(table.Text(0), c.loaded);
    }
}

TEST_F(LanguageFolderTest, MissingLanguageFileLoadsNothing) {
    // English is selected but only the Chinese file exists: there is no fallback to it.
    Write(Folder() / kLanguageSelectionFile, {u"[ChangeLanguage]", u"Language=EN"});
    Write(Folder() / kChineseLanguageFile, {u"[Setting]", u"0=中文"});

    LanguageTable table;
    EXPECT_FALSE(LoadLanguage(Folder(), 2.0, table));
    EXPECT_EQ(table.Text(0), u"");
    EXPECT_EQ(table.font, kStartFont);
    EXPECT_FALSE(LoadLanguage(Folder() / "missing", 2.0, table));
}

TEST(LanguageTest, LanguageFileLines) {
    struct Case {
        const char* name;
        Lines lines;
        bool loaded;
        std::vector<std::pair<size_t, std::u16string>> entries;  // every other entry stays empty
    };
    const Case cases[] = {
        {"valid file",
         {u"[Setting]", u"0=English", u"85=Profile 1"},
         true,
         {{0, u"English"}, {85, u"Profile 1"}}},
        {"header only", {u"[Setting]"}, true, {}},
        {"empty file", {}, false, {}},
        {"line 1 is not the header", {u"0=English", u"1=Show"}, false, {}},
        {"header with a carriage return", {u"[Setting]\r", u"0=English"}, false, {}},
        {"header in another case", {u"[setting]", u"0=English"}, false, {}},
        {"no text after the = stops the load",
         {u"[Setting]", u"0=English", u"5=Five", u"6=", u"7=Seven"},
         false,
         {{0, u"English"}, {5, u"Five"}}},
        {"a line without = stops the load",
         {u"[Setting]", u"0=English", u"junk", u"7=Seven"},
         false,
         {{0, u"English"}}},
        {"nothing before the = stops the load",
         {u"[Setting]", u"0=English", u"=text", u"7=x"},
         false,
         {{0, u"English"}}},
        {"a blank line stops the load",
         {u"[Setting]", u"0=English", u"", u"7=Seven"},
         false,
         {{0, u"English"}}},
        {"everything after the first = is the text",
         {u"[Setting]", u"40=a=b", u"41==="},
         true,
         {{40, u"a=b"}, {41, u"=="}}},
        {"a later line for the same entry wins",
         {u"[Setting]", u"40=first", u"40=second"},
         true,
         {{40, u"second"}}},
        {"the number is the leading digits",
         {u"[Setting]", u"12abc=x", u" 13=y"},
         true,
         {{12, u"x"}, {13, u"y"}}},
        {"a key without digits is entry 0",
         {u"[Setting]", u"Name=English"},
         true,
         {{0, u"English"}}},
        {"numbers outside 0 to 499 are ignored and loading goes on",
         {u"[Setting]", u"-1=a", u"500=b", u"2147483648=c", u"-2147483649=d", u"499=last",
          u"0=English"},
         true,
         {{499, u"last"}, {0, u"English"}}},
        {"a carriage return stays in the text", {u"[Setting]", u"3=OK\r"}, true, {{3, u"OK\r"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageTable table;
        EXPECT_EQ(ApplyLanguageLines(c.lines, 1.0, table), c.loaded);
        LanguageTable expected;
        for (const auto& [number, text] : c.entries)
            expected.entries[number] = text;
        for (size_t n = 0; n < kLanguageEntryCount; ++n) {
            EXPECT_EQ(table.entries[n], expected.entries[n]) << "entry " << n;
        }
        if (!c.loaded) {
            EXPECT_EQ(table.font, kStartFont);
        }
    }
}

TEST(LanguageTest, FixtureFilesShowWhatTheirNamesSay) {
    const fs::path folder = fs::path(OSTREL_FIXTURES_DIR) / "language";
    const auto read = [&folder](const char* name) {
        auto lines = ReadTextFile(folder / name, FileAccess::ReadOnly);
        EXPECT_TRUE(lines.ok()) << lines.reason();
        return lines.ok() ? *lines : Lines{};
    };

    LanguageTable tiny;
    EXPECT_TRUE(ApplyLanguageLines(read("tiny_english.txt"), 1.0, tiny));
    EXPECT_EQ(tiny.Text(0), u"English");
    EXPECT_EQ(tiny.Text(100), u"Breathing = slow");
    EXPECT_EQ(tiny.font, (UiFont{u"Tahoma", 16, 1}));

    LanguageTable malformed;
    EXPECT_FALSE(ApplyLanguageLines(read("malformed_line.txt"), 1.0, malformed));
    EXPECT_EQ(malformed.Text(1), u"Show Window");
    EXPECT_EQ(malformed.Text(3), u"");
    EXPECT_EQ(malformed.font, kStartFont);

    EXPECT_EQ(LanguageCodeFromLines(read("selection_english.txt")), u"EN");
}

TEST(LanguageTest, FontFollowsEntryZeroAndTheScale) {
    struct Case {
        std::u16string_view entry0;
        double scale;
        UiFont font;
    };
    const Case cases[] = {
        {u"中文", 1.0, {u"宋体", 12, 134}},
        {u"中文", 1.5, {u"宋体", 18, 134}},
        {u"中文", 2.0, {u"宋体", 24, 134}},
        {u"中文", 1.7, {u"宋体", 20, 134}},  // 20.4 truncated
        {u"English", 1.0, {u"Tahoma", 16, 1}},
        {u"English", 1.5, {u"Tahoma", 24, 1}},
        {u"English", 2.0, {u"Tahoma", 32, 1}},
        {u"English", 1.7, {u"Tahoma", 27, 1}},  // 27.2 truncated
        {u"中文 ", 1.0, {u"Tahoma", 16, 1}},
        {u"", 1.0, {u"Tahoma", 16, 1}},  // no entry 0 at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.entry0) + " at " + std::to_string(c.scale));
        Lines lines = {u"[Setting]", u"1=x"};
        if (!c.entry0.empty())
            lines.push_back(u"0=" + std::u16string(c.entry0));
        LanguageTable table;
        ASSERT_TRUE(ApplyLanguageLines(lines, c.scale, table));
        EXPECT_EQ(table.font, c.font);
    }
}

TEST(LanguageTest, TextOutsideTheTableIsEmpty) {
    LanguageTable table;
    table.entries[499] = u"last";
    EXPECT_EQ(table.Text(499), u"last");
    EXPECT_EQ(table.Text(500), u"");
    EXPECT_EQ(table.Text(static_cast<size_t>(-1)), u"");
}

TEST_F(LanguageFolderTest, ProvisioningInstallsMissingFilesAndSelectsByLocale) {
    struct Case {
        const char* locale;
        bool english;
    };
    const Case cases[] = {
        {"en_US.UTF-8", true},  {"de_DE.UTF-8", true},  {"C", true},   {"", true}, {"z", true},
        {"zh_CN.UTF-8", false}, {"zh_TW.UTF-8", false}, {"zh", false},
    };
    const fs::path installed = InstalledFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const fs::path config = Folder() / "data" / "config";
        fs::remove_all(Folder() / "data");

        ASSERT_TRUE(ProvisionLanguageFiles(installed, config, c.locale));
        for (const char* name : {kChineseLanguageFile, kEnglishLanguageFile}) {
            EXPECT_EQ(ReadBytes(config / name), ReadBytes(installed / name)) << name;
        }
        const auto selection = ReadTextFile(config / kLanguageSelectionFile);
        ASSERT_TRUE(selection.ok()) << selection.reason();
        EXPECT_EQ(LanguageCodeFromLines(*selection) == u"EN", c.english);

        LanguageTable table;
        EXPECT_TRUE(LoadLanguage(config, 1.0, table));
        EXPECT_EQ(table.Text(0), c.english ? u"English" : u"中文");
    }
}

TEST_F(LanguageFolderTest, ProvisioningKeepsWhatIsAlreadyThere) {
    const fs::path installed = InstalledFolder();
    const fs::path config = Folder() / "config";
    fs::create_directory(config);
    Write(config / kEnglishLanguageFile, {u"[Setting]", u"0=English", u"1=Edited by the user"});
    Write(config / kLanguageSelectionFile, {u"[ChangeLanguage]", u"Language=CN"});
    const std::string englishBefore = ReadBytes(config / kEnglishLanguageFile);
    const std::string selectionBefore = ReadBytes(config / kLanguageSelectionFile);

    ASSERT_TRUE(ProvisionLanguageFiles(installed, config, "en_US.UTF-8"));
    EXPECT_EQ(ReadBytes(config / kEnglishLanguageFile), englishBefore);
    EXPECT_EQ(ReadBytes(config / kLanguageSelectionFile), selectionBefore);
    EXPECT_EQ(ReadBytes(config / kChineseLanguageFile),
              ReadBytes(installed / kChineseLanguageFile));

    // A second start provisions nothing new and still leaves the user's choice alone.
    ASSERT_TRUE(ProvisionLanguageFiles(installed, config, "en_US.UTF-8"));
    EXPECT_EQ(ReadBytes(config / kLanguageSelectionFile), selectionBefore);
}

TEST_F(LanguageFolderTest, ProvisioningReportsAFileItCouldNotInstall) {
    const fs::path installed = Folder() / "installed";
    fs::create_directory(installed);
    const fs::path config = Folder() / "config";
    EXPECT_FALSE(ProvisionLanguageFiles(installed, config, "en_US.UTF-8"));
    EXPECT_FALSE(fs::exists(config / kChineseLanguageFile));
}

// The language files that the build installs beside the program.
TEST_F(LanguageFolderTest, BuiltLanguageFilesLoadWithEveryDefaultText) {
    struct Case {
        const char* locale;
        std::u16string_view name;
        UiFont font;
    };
    const Case cases[] = {
        {"en_US.UTF-8", u"English", {u"Tahoma", 16, 1}},
        {"zh_CN.UTF-8", u"中文", {u"宋体", 12, 134}},
    };
    const size_t usedByDefaults[] = {20, 21, 22, 23, 24, 33, 42, 85, 86, 87, 88, 89, 100};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const fs::path config = Folder() / c.locale;
        ASSERT_TRUE(ProvisionLanguageFiles(OSTREL_LANG_DIR, config, c.locale));

        LanguageTable table;
        ASSERT_TRUE(LoadLanguage(config, 1.0, table));
        EXPECT_EQ(table.Text(0), c.name);
        EXPECT_EQ(table.font, c.font);
        for (size_t n : usedByDefaults)
            EXPECT_FALSE(table.Text(n).empty()) << "entry " << n;
    }
}

}  // namespace
}  // namespace ostrel
