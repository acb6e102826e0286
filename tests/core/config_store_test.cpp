#include "profile/config_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <random>

#include "test_files.h"
#include "base/utf.h"
#include "device/profile_defaults.h"
#include "profile/language.h"
#include "profile/profile_file.h"
#include "profile/text_file.h"

namespace ostrel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;



ino_t Inode(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class ConfigStoreTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("ostrel-config-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_folder / "config");
        for (size_t n = 0; n < kProfileCount; ++n) {
            m_language.entries[85 + n] = u"Profil " + std::u16string(1, char16_t(u'1' + n));
        }
        m_language.entries[100] = u"Welle";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path Config() const { return m_folder / "config" / "config.ini"; }
    fs::path Slot(size_t n) const { return m_folder / "config" / ("default" + std::to_string(n) + ".psf"); }

    // A configuration file of the default entries with some values replaced, or lines appended.
    void WriteConfig(const std::vector<std::pair<AppSetting, std::u16string>>& changes,
                     const std::vector<std::u16string>& extraLines = {}) {
        AppSettingsTable table = DefaultAppSettings(m_folder);
        for (const auto& [setting, value] : changes) At(table, setting).value = value;
        std::vector<std::u16string> lines = {u"[Setting]"};
        for (const SettingEntry& entry : table) lines.push_back(entry.key + u"=" + entry.value);
        lines.insert(lines.end(), extraLines.begin(), extraLines.end());
        ASSERT_TRUE(WriteTextFile(Config(), lines));
    }

    // A slot file whose profile differs from the defaults in its DPI steps and name.
    std::string WriteCustomSlot(size_t n) {
        ProfileRecord record;
        ResetProfileToDefaults(record, n, kDefaultSensorId, m_language);
        record.XYSetting = {1, 2, 3, 4, 5, 6, 7, 8};
        record.settings[0].value = u"mein Profil";
        const std::string bytes = EncodeTextFile(FormatProfileFile(record));
        WriteBytes(Slot(n), bytes);
        return bytes;
    }

    ProfileRecord Defaults(size_t slot, uint16_t sensor = kDefaultSensorId) const {
        ProfileRecord record;
        ResetProfileToDefaults(record, slot, sensor, m_language);
        return record;
    }

    fs::path m_folder;
    LanguageTable m_language;
};

TEST_F(ConfigStoreTest, FirstStartWritesDefaultsForEverything) {
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();

    EXPECT_EQ(store.appSettings, DefaultAppSettings(m_folder));
    auto config = ReadTextFile(Config());
    ASSERT_TRUE(config);
    EXPECT_EQ(config->size(), 18u);
    EXPECT_EQ((*config)[13], u"ProfileSlot0URL=" + TextFromPath(Slot(0)));
    for (size_t n = 0; n < kProfileCount; ++n) {
        EXPECT_EQ(store.profiles[n], Defaults(n)) << "slot " << n;
        auto lines = ReadTextFile(Slot(n));
        ASSERT_TRUE(lines);
        EXPECT_TRUE(ParseProfileFile(*lines));
    }
    EXPECT_EQ(store.profiles[2].settings[0].value, u"Profil 3");
    // Nothing existed, so nothing was kept.
    for (const auto& entry : fs::directory_iterator(m_folder / "config")) {
        EXPECT_NE(entry.path().extension(), ".bad") << entry.path();
    }
}

TEST_F(ConfigStoreTest, DefaultStartRewritesNothing) {
    ConfigStore(m_folder, m_language).LoadSettingsFile();
    const ino_t config = Inode(Config());
    const ino_t slot = Inode(Slot(4));

    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    EXPECT_EQ(Inode(Config()), config);
    EXPECT_EQ(Inode(Slot(4)), slot);
}

struct BadConfig {
    const char* behaviour;
    std::vector<std::pair<AppSetting, std::u16string>> changes;
    std::vector<std::u16string> extraLines;
};

TEST_F(ConfigStoreTest, BadConfigurationIsKeptAndEverythingReset) {
    const BadConfig cases[] = {
        {"an 18th entry", {}, {u"Extra=1"}},
        {"empty CurrentProfile value", {{AppSetting::CurrentProfile, u""}}, {}},
        {"a line without =", {}, {u"garbage"}},
    };
    for (const BadConfig& bad : cases) {
        WriteConfig(bad.changes, bad.extraLines);
        const std::string oldConfig = ReadBytes(Config());
        const std::string oldSlot = WriteCustomSlot(1);

        ConfigStore store(m_folder, m_language);
        store.LoadSettingsFile();

        EXPECT_EQ(store.appSettings, DefaultAppSettings(m_folder)) << bad.behaviour;
        EXPECT_EQ(ReadBytes(m_folder / "config" / "config.ini.bad"), oldConfig) << bad.behaviour;
        EXPECT_EQ(ReadBytes(m_folder / "config" / "default1.psf.bad"), oldSlot) << bad.behaviour;
        EXPECT_EQ(store.profiles[1], Defaults(1)) << bad.behaviour;
        EXPECT_EQ(ReadBytes(Slot(1)), EncodeTextFile(FormatProfileFile(Defaults(1)))) << bad.behaviour;
    }
}

TEST_F(ConfigStoreTest, HeaderOnlyConfigurationLoadsAndKeepsTheSlotFiles) {
    const std::string custom = WriteCustomSlot(2);
    ASSERT_TRUE(WriteTextFile(Config(), {u"[Setting]"}));

    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();

    EXPECT_FALSE(fs::exists(m_folder / "config" / "config.ini.bad"));
    // Entries the file lacks take their defaults, so the slot files are found at their paths.
    EXPECT_EQ(store.appSettings, DefaultAppSettings(m_folder));
    EXPECT_EQ(store.profiles[2].settings[0].value, u"mein Profil");
    EXPECT_EQ(ReadBytes(Slot(2)), custom);
    // The configuration written back loads on the next start.
    store.SaveSettingsFile();
    auto lines = ReadTextFile(Config());
    ASSERT_TRUE(lines);
    EXPECT_TRUE(ParseSettingsFile(*lines));
}

TEST_F(ConfigStoreTest, UnusableSlotPathFallsBackToTheDefaultPath) {
    for (const std::u16string& stored : {std::u16string(), std::u16string(u"config/default3.psf"),
                                         std::u16string(u"C:\\Users\\x\\default3.psf")}) {
        ConfigStore store(m_folder, m_language);
        store.appSettings = DefaultAppSettings(m_folder);
        At(store.appSettings, AppSetting::ProfileSlot0URL).value = stored;
        EXPECT_EQ(store.ProfileSlotPath(0), Slot(0));
    }
    ConfigStore store(m_folder, m_language);
    store.appSettings = DefaultAppSettings(m_folder);
    At(store.appSettings, AppSetting::ProfileSlot0URL).value = u"/elsewhere/mine.psf";
    EXPECT_EQ(store.ProfileSlotPath(0), fs::path("/elsewhere/mine.psf"));
}

TEST_F(ConfigStoreTest, PreparedSensorMismatchResetsDpiAndStoresProfileZero) {
    WriteConfig({{AppSetting::PreST, u"0x1234"}, {AppSetting::CurrentProfile, u"3"}});
    WriteCustomSlot(0);
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();

    EXPECT_EQ(At(store.appSettings, AppSetting::PreST).value, u"0xCCDA");
    EXPECT_EQ(At(store.appSettings, AppSetting::CurrentProfile).value, u"0");
    EXPECT_EQ(store.profiles[0].XYSetting, Defaults(0).XYSetting);
    EXPECT_EQ(store.profiles[0].settings[0].value, u"mein Profil");  // only DPI fields reset
    auto saved = ReadTextFile(Slot(0));
    ASSERT_TRUE(saved);
    EXPECT_EQ(ParseProfileFile(*saved)->XYSetting, Defaults(0).XYSetting);
}

TEST_F(ConfigStoreTest, ProfilesResetWhileLoadingGetTheConfiguredSensor) {
    WriteConfig({{AppSetting::Sensor, u"0x3389"}, {AppSetting::PreST, u"0xCC76"}});
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    EXPECT_EQ(store.sensorId, 0x3389);
    EXPECT_EQ(store.profiles[4].XYSetting, (std::array<uint16_t, 8>{3, 7, 15, 31, 49, 59, 59, 59}));
}

TEST_F(ConfigStoreTest, UnknownSensorStillGetsDpiSteps) {
    WriteConfig({{AppSetting::Sensor, u"0x1234"}, {AppSetting::PreST, u"0xEDCB"}});
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    store.BuildDpiStepTable();
    DpiStepTable expected;
    ASSERT_TRUE(ostrel::BuildDpiStepTable(kDefaultSensorId, expected));
    EXPECT_EQ(store.stepTable, expected);

    // Once a table exists an unknown sensor changes nothing.
    store.sensorId = 0x3389;
    store.BuildDpiStepTable();
    const DpiStepTable built = store.stepTable;
    store.sensorId = 0x1234;
    store.BuildDpiStepTable();
    EXPECT_EQ(store.stepTable, built);
}

TEST_F(ConfigStoreTest, BadSlotFileIsKeptAndReplacedWithDefaults) {
    ConfigStore(m_folder, m_language).LoadSettingsFile();
    std::string truncated = WriteCustomSlot(1).substr(0, 2000);
    WriteBytes(Slot(1), truncated);

    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    EXPECT_EQ(store.profiles[1], Defaults(1));
    EXPECT_EQ(ReadBytes(m_folder / "config" / "default1.psf.bad"), truncated);
    EXPECT_EQ(ReadBytes(Slot(1)), EncodeTextFile(FormatProfileFile(Defaults(1))));

    // A newer bad file replaces the older copy.
    WriteBytes(Slot(1), "\xFF\xFE");
    EXPECT_FALSE(store.LoadProfileFile(1, Slot(1)));
    EXPECT_EQ(ReadBytes(m_folder / "config" / "default1.psf.bad"), "\xFF\xFE");
}

TEST_F(ConfigStoreTest, FailedImportResetsTheSlotButTouchesNotTheImportedFile) {
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    const std::string slotBefore = WriteCustomSlot(2);
    ASSERT_TRUE(store.LoadProfileFile(2, Slot(2)));

    const fs::path imported = m_folder / "import.psf";
    WriteBytes(imported, "\xFF\xFE[\0S\0" + std::string("x", 1));
    const std::string importedBytes = ReadBytes(imported);
    EXPECT_FALSE(store.LoadProfileFile(2, imported));
    EXPECT_EQ(store.profiles[2], Defaults(2));
    EXPECT_EQ(ReadBytes(imported), importedBytes);
    EXPECT_EQ(ReadBytes(Slot(2)), EncodeTextFile(FormatProfileFile(Defaults(2))));
    EXPECT_EQ(ReadBytes(m_folder / "config" / "default2.psf.bad"), slotBefore);
}

TEST_F(ConfigStoreTest, IndexingSettingsAreRangeChecked) {
    ConfigStore store(m_folder, m_language);
    store.appSettings = DefaultAppSettings(m_folder);
    struct Case {
        std::u16string text;
        size_t current;
        size_t showCount;
        size_t showList3;
    };
    const Case cases[] = {
        {u"3", 3, 3, 3}, {u"7", 0, 5, 3}, {u"-1", 0, 1, 3}, {u"abc", 0, 1, 0}, {u"4x", 4, 4, 4},
    };
    for (const Case& c : cases) {
        At(store.appSettings, AppSetting::CurrentProfile).value = c.text;
        At(store.appSettings, AppSetting::ProfileShowCount).value = c.text;
        store.appSettings[static_cast<size_t>(AppSetting::ProfileShowList0) + 3].value = c.text;
        EXPECT_EQ(store.CurrentProfile(), c.current) << Utf16ToUtf8(c.text);
        EXPECT_EQ(store.ProfileShowCount(), c.showCount) << Utf16ToUtf8(c.text);
        EXPECT_EQ(store.ProfileShowList(3), c.showList3) << Utf16ToUtf8(c.text);
    }
    EXPECT_EQ(store.AppKey(16), u"ProfileSlot4URL");
    EXPECT_EQ(store.AppKey(17), u"");
    EXPECT_EQ(store.AppValue(99), u"");
    store.SetPreST(0x12);
    EXPECT_EQ(At(store.appSettings, AppSetting::PreST).value, u"0x  12");
}

TEST_F(ConfigStoreTest, ReportedSensorResetsDpiDefaultsAndSavesEverything) {
    ConfigStore store(m_folder, m_language);
    store.LoadSettingsFile();
    store.BuildDpiStepTable();
    store.currentProfileIndex = 2;
    EXPECT_FALSE(store.ChangeSensor(kDefaultSensorId));

    ASSERT_TRUE(store.ChangeSensor(0x3389));
    EXPECT_EQ(store.stepTable.count, 160u);
    auto config = ReadTextFile(Config());
    ASSERT_TRUE(config);
    auto entries = ParseSettingsFile(*config);
    ASSERT_TRUE(entries);
    EXPECT_EQ((*entries)[1].value, u"0x3389");
    EXPECT_EQ((*entries)[2].value, u"0xCC76");
    EXPECT_EQ((*entries)[5].value, u"2");
    for (size_t n = 0; n < kProfileCount; ++n) {
        auto lines = ReadTextFile(Slot(n));
        ASSERT_TRUE(lines);
        EXPECT_EQ(ParseProfileFile(*lines)->XYSetting, Defaults(n, 0x3389).XYSetting);
    }
}

}  // namespace
}  // namespace ostrel
