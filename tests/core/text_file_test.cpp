#include "test_files.h"
#include "profile/text_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {
namespace {

using testing_support::ReadBytes;
namespace fs = std::filesystem;

// The bytes of UTF-16 little-endian text, without a byte-order mark.
std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

const std::string kBom = "\xFF\xFE";

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder per test, removed with everything in it at the end.
class TextFileFolderTest : public ::testing::Test {
protected:
    // A test may leave the folder without write access; the removal needs it back.
    void TearDown() override {
        std::error_code error;
        fs::permissions(m_folder.Path(), fs::perms::owner_all, fs::perm_options::add, error);
    }

    const fs::path& Folder() const { return m_folder.Path(); }

private:
    testing_support::TempFolder m_folder{"ostrel-text-file"};
};

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

TEST(TextFileTest, DecodesBytesByTheReadingRules) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {"byte-order mark then two lines", kBom + Utf16Bytes(u"a\nb\n"), {u"a", u"b"}},
        {"the first two bytes are skipped whatever they are", "XY" + Utf16Bytes(u"a\n"), {u"a"}},
        {"big-endian mark is skipped the same way", "\xFE\xFF" + Utf16Bytes(u"a\n"), {u"a"}},
        {"without a mark the first character is lost",
         Utf16Bytes(u"[Setting]\nx=1\n"),
         {u"Setting]", u"x=1"}},
        {"a carriage return stays in its line",
         kBom + Utf16Bytes(u"[Setting]\r\nx=1\r\n"),
         {u"[Setting]\r", u"x=1\r"}},
        {"no empty line after a final line feed", kBom + Utf16Bytes(u"a\n"), {u"a"}},
        {"a last line without a line feed is a line", kBom + Utf16Bytes(u"a\nb"), {u"a", u"b"}},
        {"empty lines in between are lines", kBom + Utf16Bytes(u"\n\na\n"), {u"", u"", u"a"}},
        {"an odd trailing byte is ignored", kBom + Utf16Bytes(u"a\nb") + "c", {u"a", u"b"}},
        {"an odd byte after a final line feed adds no line",
         kBom + Utf16Bytes(u"a\n") + "\n",
         {u"a"}},
        // 0A 0D is U+0D0A, not a line feed: the split is on 16-bit units, not bytes.
        {"only the unit U+000A splits", kBom + "\x0A\x0D" + Utf16Bytes(u"\n"), {u"\u0D0A"}},
        {"U+0A00 is not a line feed either",
         kBom + std::string("\x00\x0A", 2) + Utf16Bytes(u"\n"),
         {std::u16string(1, u'\u0A00')}},
        {"non-ASCII text", kBom + Utf16Bytes(u"0=中文\n"), {u"0=中文"}},
        {"mark only", kBom, {}},
        {"empty file", "", {}},
        {"one byte", "\xFF", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeTextFile(c.bytes), c.lines);
    }
}

TEST(TextFileTest, EncodesMarkLinesAndLineFeeds) {
    EXPECT_EQ(EncodeTextFile({}), kBom);
    EXPECT_EQ(EncodeTextFile({u"a", u""}), kBom + std::string("a\0\n\0\n\0", 6));
    EXPECT_EQ(EncodeTextFile({u"中"}), kBom + std::string("\x2D\x4E\n\0", 4));
}

TEST(TextFileTest, EncodeThenDecodeGivesTheLinesBack) {
    const std::vector<std::u16string> lines = {
        u"[Setting]",
        u"ProfileName=游戏 Profile=1",
        u"",
        u"Key0Name=Ünïcödé",
        u"astral \U0001F5B1 and \U00020000 as surrogate pairs",
        u"carriage return kept\r",
        std::u16string(1, u'\xD800') + u"lone surrogate unit",
    };
    EXPECT_EQ(DecodeTextFile(EncodeTextFile(lines)), lines);
}

TEST_F(TextFileFolderTest, ReadsWhatWriteTextFileWrote) {
    const fs::path path = Folder() / "config.ini";
    const std::vector<std::u16string> lines = {u"[Setting]", u"Sensor=0x3325", u"名=\U0001F600"};
    ASSERT_TRUE(WriteTextFile(path, lines).ok());
    EXPECT_EQ(ReadBytes(path), EncodeTextFile(lines));

    const auto read = ReadTextFile(path);
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_EQ(*read, lines);
}

TEST_F(TextFileFolderTest, ReadRefusesWhatIsNoFile) {
    for (FileAccess access : {FileAccess::ReadWrite, FileAccess::ReadOnly}) {
        const auto missing = ReadTextFile(Folder() / "missing.ini", access);
        EXPECT_FALSE(missing.ok());
        EXPECT_NE(missing.reason().find("missing.ini"), std::string::npos) << missing.reason();

        const auto folder = ReadTextFile(Folder(), access);
        EXPECT_FALSE(folder.ok());
        EXPECT_FALSE(folder.reason().empty());
    }
}

TEST_F(TextFileFolderTest, ReadOnlyFileIsRefusedForReadWriteButReadForReadOnly) {
    if (RunningAsRoot())
        GTEST_SKIP() << "root may write any file";
    const fs::path path = Folder() / "default0.psf";
    WriteBytes(path, EncodeTextFile({u"[Setting]"}));
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const auto readWrite = ReadTextFile(path, FileAccess::ReadWrite);
    EXPECT_FALSE(readWrite.ok());
    EXPECT_NE(readWrite.reason().find("default0.psf"), std::string::npos) << readWrite.reason();

    const auto readOnly = ReadTextFile(path, FileAccess::ReadOnly);
    ASSERT_TRUE(readOnly.ok()) << readOnly.reason();
    EXPECT_EQ(*readOnly, std::vector<std::u16string>{u"[Setting]"});
}

TEST_F(TextFileFolderTest, AtomicWriteReplacesContentAndLeavesNoTemporaryFile) {
    const fs::path path = Folder() / "config.ini";
    ASSERT_TRUE(WriteFileAtomic(path, "a long first content").ok());
    EXPECT_EQ(ReadBytes(path), "a long first content");

    ASSERT_TRUE(WriteFileAtomic(path, "short").ok());
    EXPECT_EQ(ReadBytes(path), "short");

    ASSERT_TRUE(WriteFileAtomic(path, "").ok());
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"config.ini"});
}

TEST_F(TextFileFolderTest, AtomicWriteKeepsTheModeOfAnExistingFile) {
    const fs::path path = Folder() / "default1.psf";
    WriteBytes(path, "old");
    // Not a mode a new file gets from a usual umask.
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    fs::permissions(path, mode);

    ASSERT_TRUE(WriteFileAtomic(path, "new").ok());
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), mode);
}

TEST_F(TextFileFolderTest, AtomicWriteGoesThroughSymbolicLinks) {
    struct Case {
        const char* name;
        fs::path target;    // where the link points, as written in the link
        fs::path realFile;  // the file the content must land in
        bool targetExists;
    };
    const fs::path elsewhere = Folder() / "elsewhere";
    fs::create_directory(elsewhere);
    const Case cases[] = {
        {"relative link in the same folder", "real.ini", Folder() / "real.ini", true},
        {"absolute link into another folder", elsewhere / "shared.ini", elsewhere / "shared.ini",
         true},
        {"relative link into another folder", "elsewhere/other.ini", elsewhere / "other.ini", true},
        // A plain write through a dangling link creates the file the link names.
        {"dangling link", "elsewhere/not_yet.ini", elsewhere / "not_yet.ini", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path link = Folder() / (std::string(c.name) + ".lnk");
        if (c.targetExists)
            WriteBytes(c.realFile, "old");
        fs::create_symlink(c.target, link);

        ASSERT_TRUE(WriteFileAtomic(link, "new").ok());
        ASSERT_TRUE(fs::is_symlink(fs::symlink_status(link)));
        EXPECT_EQ(fs::read_symlink(link), c.target);
        EXPECT_EQ(ReadBytes(c.realFile), "new");
    }
    for (const fs::path& folder : {Folder(), elsewhere}) {
        for (const std::string& name : FolderEntries(folder)) {
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << folder / name;
        }
    }
}

TEST_F(TextFileFolderTest, AtomicWriteRefusesATargetThatIsNotWritable) {
    if (RunningAsRoot())
        GTEST_SKIP() << "root may write any file";
    const fs::path path = Folder() / "config.ini";
    WriteBytes(path, "kept");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(path, readOnly);

    const Status status = WriteFileAtomic(path, "replaced");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.reason().find("config.ini"), std::string::npos) << status.reason();
    EXPECT_EQ(ReadBytes(path), "kept");
    EXPECT_EQ(fs::status(path).permissions(), readOnly);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"config.ini"});
}

TEST_F(TextFileFolderTest, AtomicWriteFailsCleanlyWhereItCannotWrite) {
    const fs::path missingFolder = Folder() / "missing";
    EXPECT_FALSE(WriteFileAtomic(missingFolder / "config.ini", "x").ok());
    EXPECT_FALSE(fs::exists(missingFolder));

    const fs::path folderAsTarget = Folder() / "config";
    fs::create_directory(folderAsTarget);
    EXPECT_FALSE(WriteFileAtomic(folderAsTarget, "x").ok());
    EXPECT_TRUE(fs::is_directory(folderAsTarget));
    EXPECT_TRUE(fs::is_empty(folderAsTarget));

    // A loop of links has no file at its end; neither link may be replaced by one.
    fs::create_symlink("b.lnk", Folder() / "a.lnk");
    fs::create_symlink("a.lnk", Folder() / "b.lnk");
    EXPECT_FALSE(WriteFileAtomic(Folder() / "a.lnk", "x").ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Folder() / "a.lnk")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Folder() / "b.lnk")));

    EXPECT_EQ(FolderEntries(Folder()), (std::vector<std::string>{"a.lnk", "b.lnk", "config"}));
}

TEST_F(TextFileFolderTest, KeepCopyBesideCopiesAndReplacesAnOlderCopy) {
    const fs::path path = Folder() / "default0.psf";
    WriteBytes(path, "current");
    WriteBytes(Folder() / "default0.psf.bad", "an older bad copy");

    ASSERT_TRUE(KeepCopyBeside(path, ".bad").ok());
    EXPECT_EQ(ReadBytes(Folder() / "default0.psf.bad"), "current");
    EXPECT_EQ(ReadBytes(path), "current");
    EXPECT_EQ(FolderEntries(Folder()),
              (std::vector<std::string>{"default0.psf", "default0.psf.bad"}));
}

TEST_F(TextFileFolderTest, KeepCopyBesideOfAMissingFileSucceedsWithoutACopy) {
    EXPECT_TRUE(KeepCopyBeside(Folder() / "config.ini", ".bad").ok());
    EXPECT_TRUE(fs::is_empty(Folder()));
}

}  // namespace
}  // namespace ostrel
