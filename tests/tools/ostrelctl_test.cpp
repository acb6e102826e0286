#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "test_files.h"
#include "platform/hidraw/linux_hid_transport.h"
#include "profile/profile_file.h"
#include "profile/text_file.h"

namespace {

using ostrel::testing_support::ReadBytes;
using ostrel::testing_support::WriteBytes;
namespace fs = std::filesystem;

const std::string kFixtures = OSTREL_TOOL_FIXTURES_DIR;
const std::string kCoreFixtures = OSTREL_FIXTURES_DIR;


struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

class OstrelctlTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("ostrelctl-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // Runs ostrelctl with arguments already quoted for the shell.
    ToolRun Ostrelctl(const std::string& arguments) const {
        const fs::path out = m_folder / "stdout";
        const fs::path err = m_folder / "stderr";
        const std::string command = std::string("'") + OSTRELCTL_BINARY + "' " + arguments + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
    }

    fs::path m_folder;
};

TEST_F(OstrelctlTest, ProfileDumpPrintsTheGoldenJson) {
    const ToolRun run = Ostrelctl("profile dump '" + kCoreFixtures + "/profile/every_field_changed.psf'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, ReadBytes(kCoreFixtures + "/profile/every_field_changed.json"));
    EXPECT_EQ(run.err, "");
}

TEST_F(OstrelctlTest, DefaultsDumpBackToTheDefaultProfile) {
    const ToolRun defaults = Ostrelctl("profile defaults");
    ASSERT_EQ(defaults.exitCode, 0);
    std::ofstream(m_folder / "defaults.psf", std::ios::binary) << defaults.out;
    const ToolRun dump = Ostrelctl("profile dump '" + (m_folder / "defaults.psf").string() + "'");
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out, ReadBytes(kFixtures + "/defaults_slot0_sensor3325.json"));
}

TEST_F(OstrelctlTest, DefaultsFollowSlotSensorAndLanguage) {
    const ToolRun run = Ostrelctl("profile defaults --slot 0 --sensor 0x3389 --lang '" + kFixtures +
                              "/small_language.txt'");
    ASSERT_EQ(run.exitCode, 0);
    auto record = ostrel::ParseProfileFile(ostrel::DecodeTextFile(run.out));
    ASSERT_TRUE(record) << record.reason();
    EXPECT_EQ(record->settings[0].value, u"Alpha");
    EXPECT_EQ(record->keys[0].name, u"Links");
    EXPECT_EQ(record->Lighting1Name, u"Welle");
    EXPECT_EQ(record->XYSetting, (std::array<uint16_t, 8>{3, 7, 15, 31, 49, 59, 59, 59}));

    const ToolRun slot3 = Ostrelctl("profile defaults --slot 3");
    ASSERT_EQ(slot3.exitCode, 0);
    EXPECT_EQ(ostrel::ParseProfileFile(ostrel::DecodeTextFile(slot3.out))->settings[0].value, u"");
}

TEST_F(OstrelctlTest, TruncatedProfileFailsWithTheLineNumber) {
    std::string bytes = ReadBytes(kCoreFixtures + "/profile/every_field_changed.psf");
    auto lines = ostrel::DecodeTextFile(bytes);
    lines.resize(40);
    const fs::path truncated = m_folder / "truncated.psf";
    std::ofstream(truncated, std::ios::binary) << ostrel::EncodeTextFile(lines);

    const ToolRun run = Ostrelctl("profile dump '" + truncated.string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("line 41:"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST_F(OstrelctlTest, SettingsDumpListsTheEntriesInFileOrder) {
    const ToolRun run = Ostrelctl("settings dump '" + kFixtures + "/config_default.ini'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, ReadBytes(kFixtures + "/config_default.json"));

    const ToolRun missing = Ostrelctl("settings dump '" + (m_folder / "none.ini").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
}

TEST_F(OstrelctlTest, FramesShowWhatAProfileSwitchSends) {
    const ToolRun held = Ostrelctl("profile defaults");
    ASSERT_EQ(held.exitCode, 0);
    auto record = ostrel::ParseProfileFile(ostrel::DecodeTextFile(held.out));
    ASSERT_TRUE(record);
    record->keys[3].code = {0x70, 0x02, 0x04};
    record->CurrentDPILevelValue = 2;
    std::ofstream(m_folder / "held.psf", std::ios::binary) << held.out;
    std::ofstream(m_folder / "switched.psf", std::ios::binary)
        << ostrel::EncodeTextFile(ostrel::FormatProfileFile(*record));

    const ToolRun run = Ostrelctl("frames '" + (m_folder / "held.psf").string() + "' '" +
                                  (m_folder / "switched.psf").string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              // Button 3 goes to the mouse as its button 4; the sequence starts at 1.
              "0C0104000101040470020400000000000000000000000000000000000000000000\n"
              // Six levels, the third current; steps 6, 14, 22, 30, 51, 58 of sensor 0x3325.
              "0C010500020112363F07000F0017001F0034003B00000000000000000000000000\n");
    EXPECT_EQ(run.err, "");

    const ToolRun missing = Ostrelctl("frames '" + (m_folder / "held.psf").string() + "' nowhere.psf");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(OstrelctlTest, StatusDecodeReadsTheAnswerAsTheProgramDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"0C002000000000005A364B33000000250000960100010000000000000000000000",
         "{\"command\": 32, \"tag\": \"Z6K3\", \"online\": true, \"sensor\": \"0x3325\", "
         "\"battery\": 150, \"charge\": 1}\n"},
        {"0C0020000000000000000000000000550000280200000000000000000000000000",
         "{\"command\": 32, \"tag\": \"\\u0000\\u0000\\u0000\\u0000\", \"online\": null, "
         "\"sensor\": null, \"battery\": 100, \"charge\": 2}\n"},
    };
    for (const auto& [hex, json] : cases) {
        const ToolRun run = Ostrelctl(std::string("status decode ") + hex);
        EXPECT_EQ(run.exitCode, 0) << hex;
        EXPECT_EQ(run.out, json);
    }
}

// Whether `text` is one JSON value and nothing else; counts the members of every "interfaces" array.
class JsonChecker {
public:
    explicit JsonChecker(const std::string& text) : m_text(text) {}

    bool Valid() {
        SkipSpace();
        if (!Value()) return false;
        SkipSpace();
        return m_at == m_text.size();
    }
    size_t interfaces = 0;

private:
    bool Value() {
        SkipSpace();
        if (m_at >= m_text.size()) return false;
        const char c = m_text[m_at];
        if (c == '{') return Members();
        if (c == '[') return Elements(false);
        if (c == '"') return String(nullptr);
        for (const char* word : {"true", "false", "null"}) {
            if (m_text.compare(m_at, std::strlen(word), word) == 0) {
                m_at += std::strlen(word);
                return true;
            }
        }
        const size_t start = m_at;
        if (m_text[m_at] == '-') ++m_at;
        while (m_at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
        return m_at > start && std::isdigit(static_cast<unsigned char>(m_text[m_at - 1]));
    }
    bool Members() {
        ++m_at;
        SkipSpace();
        if (Take('}')) return true;
        do {
            SkipSpace();
            std::string key;
            if (!String(&key)) return false;
            SkipSpace();
            if (!Take(':')) return false;
            SkipSpace();
            const bool ok = key == "interfaces" && m_at < m_text.size() && m_text[m_at] == '['
                                ? Elements(true)
                                : Value();
            if (!ok) return false;
            SkipSpace();
        } while (Take(','));
        return Take('}');
    }
    bool Elements(bool countThem) {
        ++m_at;
        SkipSpace();
        if (Take(']')) return true;
        do {
            if (!Value()) return false;
            if (countThem) ++interfaces;
            SkipSpace();
        } while (Take(','));
        return Take(']');
    }
    bool String(std::string* out) {
        if (!Take('"')) return false;
        while (m_at < m_text.size() && m_text[m_at] != '"') {
            if (static_cast<unsigned char>(m_text[m_at]) < 0x20) return false;
            if (m_text[m_at] == '\\') ++m_at;
            if (out != nullptr && m_at < m_text.size()) *out += m_text[m_at];
            ++m_at;
        }
        return Take('"');
    }
    bool Take(char c) {
        if (m_at >= m_text.size() || m_text[m_at] != c) return false;
        ++m_at;
        return true;
    }
    void SkipSpace() {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
    }

    const std::string& m_text;
    size_t m_at = 0;
};

// The HID interfaces of the machine the test runs on, possibly none; the kernel test covers a
// mouse.
TEST_F(OstrelctlTest, DevicesListsEveryInterfaceAsJson) {
    const ToolRun run = Ostrelctl("devices");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    JsonChecker json(run.out);
    EXPECT_TRUE(json.Valid()) << run.out;
    ostrel::hidraw::LinuxHidTransport transport;
    EXPECT_EQ(json.interfaces, transport.Enumerate().size()) << run.out;
    EXPECT_EQ(run.out.rfind("{\"interfaces\": [", 0), 0u) << run.out;
}

TEST_F(OstrelctlTest, StatusWithoutAMouseFailsWithTheReason) {
    ostrel::hidraw::LinuxHidTransport transport;
    for (const ostrel::HidInterfaceInfo& info : transport.Enumerate()) {
        if (info.vendorId == ostrel::kMouseVendorId) GTEST_SKIP() << "a mouse is plugged in";
    }
    const ToolRun run = Ostrelctl("status");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ostrelctl: no mouse found (no feature interface of 248A:5B2E or 248A:5B2F)\n");
}

TEST_F(OstrelctlTest, MacroDumpShowsTheItemsAndTheMousesEventForm) {
    const ToolRun run = Ostrelctl("macro dump '" + kCoreFixtures + "/macro/three_stages.mlf'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"complete\": true"), std::string::npos);
    int items = 0;
    for (size_t at = run.out.find("{\"name\""); at != std::string::npos; at = run.out.find("{\"name\"", at + 1)) ++items;
    EXPECT_EQ(items, 6);
    // Ctrl_L down, C down, 50 ms, C up, Ctrl_L up: the modifier by its bit, C (0x06) carrying
    // the delay, both releases with bit 7.
    EXPECT_NE(run.out.find("\"events\": \"200001303206B00006A00001\""), std::string::npos) << run.out;

    const ToolRun partial = Ostrelctl("macro dump '" + kCoreFixtures + "/macro/location_out_of_range.mlf'");
    EXPECT_EQ(partial.exitCode, 0);
    EXPECT_NE(partial.out.find("\"complete\": false"), std::string::npos);

    const fs::path wrong = m_folder / "wrong.mlf";
    WriteBytes(wrong, ostrel::EncodeTextFile({u"[Settings]", u"MacroKeyIndex=1"}));
    const ToolRun refused = Ostrelctl("macro dump '" + wrong.string() + "'");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
}

TEST_F(OstrelctlTest, BadArgumentsPrintUsageAndExitTwo) {
    const std::string cases[] = {
        "",
        "profile",
        "profile dump",
        "profile dump a b",
        "frobnicate x",
        "profile defaults --slot",
        "profile defaults --slot 5",
        "profile defaults --slot -1",
        "profile defaults --slot 1x",
        "profile defaults --sensor xyz",
        "profile defaults --sensor 0x10000",
        "profile defaults --colour red",
        "frames one.psf",
        "frames --sensor zz a.psf b.psf",
        "frames --speed 3 a.psf b.psf",
        "status decode 0C00",
        "status decode " + std::string(66, 'G'),
        "devices --all",
        "status now",
    };
    for (const std::string& arguments : cases) {
        const ToolRun run = Ostrelctl(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err.rfind("usage: ostrelctl", 0), 0u) << arguments;
    }
}

}  // namespace
