#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "test_files.h"
#include "device/profile_defaults.h"
#include "profile/language.h"
#include "profile/text_file.h"

namespace ostrel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const std::string kFixtures = OSTREL_FIXTURES_DIR;


std::vector<std::u16string> GoldenLines() {
    return DecodeTextFile(ReadBytes(kFixtures + "/profile/every_field_changed.psf"));
}

// Every carried field differs from its default; names hold "=" and non-ASCII text. Matches the
// golden file "every_field_changed.psf", which was written independently from the file format.
ProfileRecord EveryFieldChanged() {
    static const char16_t* const kKeys[] = {
        u"ProfileName",   u"GameFile0",     u"GameFile1",          u"GameFile2",
        u"DoubleClickSpeed", u"PointerSpeed", u"AccelerationEnable", u"ScrollWheelSpeed",
        u"ScrollWheelPageEnable", u"TiltSpeed", u"Sensitivity_X",  u"Sensitivity_Y",
        u"XYSynchronous", u"X_DPI",         u"Y_DPI",              u"MoveLightingOnOffMode",
        u"PowerDownTime", u"LiftDetectionHeight", u"KeyDebounce",  u"MotionWakeup"};
    ProfileRecord r;
    for (size_t i = 0; i < kProfileSettingCount; ++i) {
        r.settings[i] = {kKeys[i], u"v" + std::u16string(1, char16_t(u'0' + i % 10))};
        if (i >= 10) r.settings[i].value = u"v1" + std::u16string(1, char16_t(u'0' + i % 10));
    }
    r.settings[0].value = u"Spiel=Profil ü 中文";
    r.settings[1].value = u"a=b=c";
    r.DPIOffOnFlagValue = 0xA5;
    r.XYSetting = {0x0102, 0xABCD, 3, 4, 5, 6, 7, 0xFFFF};
    r.CurrentDPILevelValue = 4;
    for (size_t i = 0; i < kDpiLevelCount; ++i) {
        r.DPILevelIndication[i] = MakeColor(uint8_t(i * 30), uint8_t(255 - i * 30), uint8_t(i * 7 + 1));
    }
    r.AngleSnapValue = 1;
    r.LiftDetectionValue = 1;
    r.PollingRateName = u"1000HZ";
    r.PollingRateValue = {3, 0x0A, 0x0B};
    r.Lighting1Name = u"Welle=ß";
    r.Lighting1ModeValue = {6, 1, 2};
    r.Lighting1OffOn = 0;
    for (size_t k = 0; k < kEffectCount; ++k) {
        r.Lighting1Speed[k] = uint8_t((k * 3) % 15);
        r.Lighting1Brightness[k] = uint8_t(14 - k);
        r.Lighting1Direction[k] = uint8_t((k + 2) % 4);
        for (size_t i = 0; i < kColorSlotCount; ++i) {
            r.Lighting1ColorSelected[k][i] = uint8_t((k + i) % 2);
            r.Lighting1FixedColor[k][i] = MakeColor(uint8_t(k * 16 + i), uint8_t(i * 7), uint8_t(255 - k));
        }
    }
    r.Lighting2Name = u"Zone Zwei";
    r.Lighting2ModeValue = {3, 4, 5};
    r.Lighting2OffOn = 1;
    r.Lighting2Speed = 7;
    r.Lighting2Brightness = 9;
    r.Lighting2FixedColor = 0x563412;
    for (size_t k = 0; k < kButtonCount; ++k) {
        r.keys[k].name = u"Taste " + std::u16string(1, char16_t(u'0' + k)) + u"=ä";
        r.keys[k].code = {0x70, uint8_t(k), uint8_t(0x04 + k)};
    }
    KeySlot& macroButton = r.keys[3];
    macroButton.code = {0x90, 0x21, 0x05};
    macroButton.MacroKeyIndex = 7;
    macroButton.macro.name = u"Makro=ö";
    macroButton.macro.actionCount = 3;
    macroButton.macro.actions[0] = {0x41, 0, 0, 0};
    macroButton.macro.actions[1] = {3, 0, 1, 0x2C};
    macroButton.macro.actions[2] = {0x41, 0x80, 0, 0};
    macroButton.macro.actions[335] = {0xDE, 0xAD, 0xBE, 0xEF};  // beyond the count, still carried
    // What a load derives from the binding 90 21 05: loop mode 2, count 5, two events.
    macroButton.macro.loopMode = 2;
    macroButton.macro.loopCount = 5;
    macroButton.macro.eventCount = 2;
    KeySlot& leftover = r.keys[5];  // not a macro binding: a macro left in the slot stays as stored
    leftover.MacroKeyIndex = 12;
    leftover.macro.name = u"Rest";
    leftover.macro.actionCount = 1;
    leftover.macro.actions[0] = {0xE0, 0, 0, 0};
    return r;
}

TEST(ProfileFile, SavesEveryFieldToTheGoldenBytesAndLoadsItBack) {
    const ProfileRecord record = EveryFieldChanged();
    const std::vector<std::u16string> lines = FormatProfileFile(record);
    ASSERT_EQ(lines.size(), kProfileFileLineCount);
    EXPECT_EQ(EncodeTextFile(lines), ReadBytes(kFixtures + "/profile/every_field_changed.psf"));

    auto loaded = ParseProfileFile(GoldenLines());
    ASSERT_TRUE(loaded) << loaded.reason();
    EXPECT_EQ(*loaded, record);
}

TEST(ProfileFile, DefaultProfileShowsTheWorkedLines) {
    LanguageTable language;
    ProfileRecord record;
    ResetProfileToDefaults(record, 0, 0x3325, language);
    const std::vector<std::u16string> lines = FormatProfileFile(record);
    const std::pair<size_t, std::u16string> worked[] = {
        {22, u"DPIOffOnFlagValue=3F"},
        {23, u"\tXYSetting1Value=0006"},
        {31, u"\tCurrentDPILevelValue=01"},
        {32, u"\tDPILevelIndication0Valuer=FF0000"},
        {33, u"\tDPILevelIndication1Valuer=0000FF"},
        {43, u"\tPollingRateValue=020000"},
        {47, u"\tLighting1Speed=01|01|01|01|01|01|01|01|01|01"},
        {60, u"\tMacroKeyIndex=0"},
        {62, u"\t\tMacroActionNum=0"},
    };
    for (const auto& [number, text] : worked) EXPECT_EQ(lines[number - 1], text) << "line " << number;
    EXPECT_EQ(lines[48].size(), std::u16string(u"\tLighting1ColorSelected=").size() + 300);
    EXPECT_EQ(lines[49].size(), std::u16string(u"\tLighting1FixedColor=").size() + 700);
    EXPECT_EQ(lines[62].size(), std::u16string(u"\t\tAllAction=").size() + kAllActionLength);
}

// One line of the golden file replaced (1-based number), or the file cut after `keep` lines.
struct BrokenFile {
    const char* behaviour;
    size_t lineNumber;
    std::u16string replacement;
    const char* reasonPart;
};

void PrintTo(const BrokenFile& broken, std::ostream* out) { *out << broken.behaviour; }

class ProfileFileFailure : public testing::TestWithParam<BrokenFile> {};

TEST_P(ProfileFileFailure, IsRefusedWithItsLineNumber) {
    const BrokenFile& broken = GetParam();
    std::vector<std::u16string> lines = GoldenLines();
    lines[broken.lineNumber - 1] = broken.replacement;
    auto parsed = ParseProfileFile(lines);
    ASSERT_FALSE(parsed);
    EXPECT_NE(parsed.reason().find("line " + std::to_string(broken.lineNumber) + ":"), std::string::npos)
        << parsed.reason();
    EXPECT_NE(parsed.reason().find(broken.reasonPart), std::string::npos) << parsed.reason();
}

const std::u16string kActions2687 = u"\t\tAllAction=" + std::u16string(kAllActionLength - 1, u'0');
const std::u16string kActions2689 = u"\t\tAllAction=" + std::u16string(kAllActionLength + 1, u'0');

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileFileFailure,
    testing::Values(
        BrokenFile{"carriage return after the header", 1, u"[Setting]\r", "[Setting]"},
        BrokenFile{"header in lower case", 1, u"[setting]", "[Setting]"},
        BrokenFile{"blank line", 30, u"", "no \"=\""},
        BrokenFile{"no key before a byte field", 22, u"=3F", "no key"},
        BrokenFile{"no key before a setting", 2, u"=x", "no key"},
        BrokenFile{"empty MacroKeyIndex", 60, u"\tMacroKeyIndex=", "missing"},
        BrokenFile{"empty MacroActionNum", 62, u"\t\tMacroActionNum=", "missing"},
        BrokenFile{"AllAction one short", 63, kActions2687, "2687"},
        BrokenFile{"AllAction one long", 99, kActions2689, "2689"}),
    [](const auto& info) {
        std::string name = info.param.behaviour;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ProfileFile, TruncatedFileNamesTheFirstMissingLine) {
    std::vector<std::u16string> lines = GoldenLines();
    lines.resize(57);
    auto parsed = ParseProfileFile(lines);
    ASSERT_FALSE(parsed);
    EXPECT_EQ(parsed.reason().rfind("line 58:", 0), 0u) << parsed.reason();
}

TEST(ProfileFile, FileWithoutByteOrderMarkFails) {
    std::string bytes = ReadBytes(kFixtures + "/profile/every_field_changed.psf").substr(2);
    EXPECT_FALSE(ParseProfileFile(DecodeTextFile(bytes)));
}

TEST(ProfileFile, ReadsByPositionNotByKey) {
    std::vector<std::u16string> lines = GoldenLines();
    lines[21] = u"DPIOffOnFlagValu=3f";  // misspelt key, lower-case hex
    lines[23] = u"\tXYSetting2Value=";   // empty field reads 0
    lines[46] = u"\tLighting1Speed=0A,0B,0C";  // separators ignored; missing entries read 0
    lines.push_back(u"anything after the last line");
    auto parsed = ParseProfileFile(lines);
    ASSERT_TRUE(parsed) << parsed.reason();
    EXPECT_EQ(parsed->DPIOffOnFlagValue, 0x3F);
    EXPECT_EQ(parsed->XYSetting[1], 0);
    EXPECT_EQ(parsed->Lighting1Speed, (PerEffect<uint8_t>{0x0A, 0x0B, 0x0C, 0, 0, 0, 0, 0, 0, 0}));

    std::swap(lines[21], lines[22]);  // lines out of order land in the wrong fields
    parsed = ParseProfileFile(lines);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->DPIOffOnFlagValue, 0x01);
    EXPECT_EQ(parsed->XYSetting[0], 0x3F);
}

TEST(ProfileFile, KeyTextOfASettingReplacesTheStoredKey) {
    std::vector<std::u16string> lines = GoldenLines();
    lines[1] = u"Name=with=equals";
    auto parsed = ParseProfileFile(lines);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->settings[0].key, u"Name");
    EXPECT_EQ(parsed->settings[0].value, u"with=equals");
}

struct MacroBinding {
    const char* behaviour;
    ButtonCode code;
    uint32_t actionNum;
    uint8_t loopMode;
    uint8_t loopCount;
    uint8_t eventCount;
};

TEST(ProfileFile, DerivesTheUncarriedMacroFieldsFromTheBinding) {
    const MacroBinding cases[] = {
        {"count mode with count 5", {0x90, 0x21, 0x05}, 3, 2, 5, 2},
        {"count mode with count 0 counts once", {0x90, 0x20, 0x00}, 3, 2, 1, 2},
        {"until released", {0x90, 0x11, 0x00}, 3, 1, 1, 2},
        {"until pressed again ignores byte 2", {0x90, 0x43, 0x09}, 3, 4, 1, 2},
        {"unknown mode becomes count mode", {0x90, 0x73, 0x04}, 3, 2, 4, 2},
        {"action count above capacity is capped", {0x90, 0x21, 0x01}, 9999, 2, 1, 168},
    };
    for (const MacroBinding& binding : cases) {
        std::vector<std::u16string> lines = GoldenLines();
        auto hex = [](uint8_t b) {
            const char16_t digits[] = u"0123456789ABCDEF";
            return std::u16string{digits[b >> 4], digits[b & 15]};
        };
        lines[76] = u"\tKey3Value=" + hex(binding.code[0]) + hex(binding.code[1]) + hex(binding.code[2]);
        lines[79] = u"\t\tMacroActionNum=" + std::u16string(binding.actionNum == 9999 ? u"9999" : u"3");
        if (binding.actionNum == 9999) {
            std::u16string actions;  // 336 key presses
            for (size_t j = 0; j < kMaxMacroActions; ++j) actions += u"41000000";
            lines[80] = u"\t\tAllAction=" + actions;
        }
        auto parsed = ParseProfileFile(lines);
        ASSERT_TRUE(parsed) << binding.behaviour;
        const MacroRecord& macro = parsed->keys[3].macro;
        EXPECT_EQ(macro.loopMode, binding.loopMode) << binding.behaviour;
        EXPECT_EQ(macro.loopCount, binding.loopCount) << binding.behaviour;
        EXPECT_EQ(macro.eventCount, binding.eventCount) << binding.behaviour;
        EXPECT_LE(macro.actionCount, kMaxMacroActions) << binding.behaviour;
    }
    // A button that is not bound keeps a new macro record's loop values.
    auto parsed = ParseProfileFile(GoldenLines());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->keys[5].macro.loopMode, MacroRecord{}.loopMode);
    EXPECT_EQ(parsed->keys[5].macro.eventCount, 0);
}

}  // namespace
}  // namespace ostrel
