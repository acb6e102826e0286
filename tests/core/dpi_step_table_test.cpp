#include "device/dpi_step_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace ostrel {
namespace {

std::string SensorName(uint16_t sensorId) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(sensorId));
    return text;
}

struct SensorRow {
    uint16_t sensorId;
    uint32_t steps;
    uint32_t firstDpi;
    uint32_t lastDpi;
    uint16_t codeOffset;  // code[step] = step + codeOffset
    uint8_t wideRange;
    std::array<uint16_t, 8> levelDefaults;
};

const SensorRow kSensorRows[] = {
    {0x3104, 48, 100, 8000, 0, 0, {4, 15, 23, 31, 39, 41, 58, 50}},
    {0x3212, 42, 200, 4800, 1, 0, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3311, 120, 100, 12000, 1, 0, {7, 15, 23, 31, 63, 99, 99, 59}},
    {0x3325, 59, 200, 10000, 1, 0, {6, 14, 22, 30, 51, 58, 58, 50}},
    {0x3327, 74, 200, 12400, 1, 0, {2, 6, 14, 30, 48, 58, 58, 58}},
    {0x3335, 160, 100, 16000, 0, 1, {11, 23, 31, 63, 99, 159, 59, 59}},
    {0x3360, 121, 100, 24000, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3370, 290, 50, 19000, 0, 1, {7, 15, 31, 63, 99, 119, 119, 119}},
    {0x3389, 160, 100, 16000, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3395, 520, 50, 26000, 0, 1, {7, 15, 31, 63, 99, 99, 99, 99}},
    {0x3399, 400, 50, 20000, 0, 1, {7, 15, 31, 63, 99, 99, 99, 99}},
};

TEST(DpiStepTableTest, EverySensorHasItsStepsCodesAndDefaults) {
    for (const SensorRow& row : kSensorRows) {
        SCOPED_TRACE(SensorName(row.sensorId));
        EXPECT_TRUE(IsKnownSensor(row.sensorId));
        DpiStepTable table;
        ASSERT_TRUE(BuildDpiStepTable(row.sensorId, table));
        ASSERT_EQ(table.count, row.steps);
        EXPECT_EQ(table.value[0] * 50, row.firstDpi);
        EXPECT_EQ(table.value[table.count - 1] * 50, row.lastDpi);
        EXPECT_EQ(table.wideRange, row.wideRange);
        for (uint32_t step = 0; step < table.count; ++step) {
            EXPECT_EQ(table.code[step], step + row.codeOffset) << "step " << step;
            if (step > 0) {
                EXPECT_GT(table.value[step], table.value[step - 1]) << "step " << step;
            }
        }

        const std::array<uint16_t, 8>* defaults = SensorDpiDefaults(row.sensorId);
        ASSERT_NE(defaults, nullptr);
        EXPECT_EQ(*defaults, row.levelDefaults);
        // Levels 1 to 6 are sent to the mouse, so their default steps must exist.
        for (size_t level = 0; level < 6; ++level) {
            EXPECT_LT((*defaults)[level], table.count) << "level " << level + 1;
        }
    }
}

// Where one run of DPI values ends and the next begins.
TEST(DpiStepTableTest, StepsAtTheJointsOfTheDpiLists) {
    struct Case {
        uint16_t sensorId;
        uint32_t step;
        uint32_t dpi;
        uint16_t code;
    };
    const Case cases[] = {
        {0x3104, 39, 4000, 39},    {0x3104, 40, 4500, 40},    {0x3104, 41, 4800, 41},
        {0x3104, 42, 5500, 42},    {0x3104, 47, 8000, 47},    {0x3325, 48, 5000, 49},
        {0x3325, 49, 5500, 50},    {0x3325, 50, 6000, 51},    {0x3325, 51, 6400, 52},
        {0x3325, 52, 7000, 53},    {0x3327, 60, 6200, 61},    {0x3327, 61, 6500, 62},
        {0x3327, 72, 12000, 73},   {0x3327, 73, 12400, 74},   {0x3212, 22, 2400, 23},
        {0x3212, 23, 3000, 24},    {0x3360, 119, 12000, 119}, {0x3360, 120, 24000, 120},
        {0x3370, 199, 10000, 199}, {0x3370, 200, 10100, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SensorName(c.sensorId) + " step " + std::to_string(c.step));
        DpiStepTable table;
        ASSERT_TRUE(BuildDpiStepTable(c.sensorId, table));
        ASSERT_LT(c.step, table.count);
        EXPECT_EQ(table.value[c.step] * 50, c.dpi);
        EXPECT_EQ(table.code[c.step], c.code);
    }
}

TEST(DpiStepTableTest, WorkedRowsOfSensor3325) {
    DpiStepTable table;
    ASSERT_TRUE(BuildDpiStepTable(0x3325, table));
    EXPECT_EQ(table.value[6], 16u);  // 800 DPI
    EXPECT_EQ(table.code[6], 7u);

    const std::array<uint16_t, 8>* defaults = SensorDpiDefaults(0x3325);
    ASSERT_NE(defaults, nullptr);
    const uint16_t level5 = (*defaults)[4];
    EXPECT_EQ(level5, 51u);
    EXPECT_EQ(table.value[level5] * 50, 6400u);
    EXPECT_EQ(table.code[level5], 52u);
}

TEST(DpiStepTableTest, Sensor3104DefaultsForLevelsSevenAndEightLieBeyondItsSteps) {
    DpiStepTable table;
    ASSERT_TRUE(BuildDpiStepTable(0x3104, table));
    const std::array<uint16_t, 8>* defaults = SensorDpiDefaults(0x3104);
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ(table.count, 48u);
    EXPECT_GE((*defaults)[6], table.count);
    EXPECT_GE((*defaults)[7], table.count);
    EXPECT_EQ(table.ClampStep((*defaults)[6]), 47u);
    EXPECT_EQ(table.ClampStep(47), 47u);
    EXPECT_EQ(table.ClampStep(0), 0u);
}

TEST(DpiStepTableTest, UnknownSensorLeavesTheTableAsItWas) {
    DpiStepTable table;
    ASSERT_TRUE(BuildDpiStepTable(kDefaultSensorId, table));
    const DpiStepTable before = table;
    for (uint16_t sensorId : {0x0000, 0x3326, 0x3390, 0xCCDA, 0xFFFF}) {
        SCOPED_TRACE(SensorName(sensorId));
        EXPECT_FALSE(IsKnownSensor(sensorId));
        EXPECT_FALSE(BuildDpiStepTable(sensorId, table));
        EXPECT_EQ(table, before);
        EXPECT_EQ(SensorDpiDefaults(sensorId), nullptr);
    }
}

// A sensor with fewer steps must not keep values of a longer table beyond its count.
TEST(DpiStepTableTest, RebuildingForAnotherSensorReplacesTheWholeTable) {
    DpiStepTable table;
    ASSERT_TRUE(BuildDpiStepTable(0x3395, table));
    ASSERT_TRUE(BuildDpiStepTable(0x3104, table));
    DpiStepTable fresh;
    ASSERT_TRUE(BuildDpiStepTable(0x3104, fresh));
    EXPECT_EQ(table, fresh);
    EXPECT_EQ(table.value[48], 0u);
}

}  // namespace
}  // namespace ostrel
