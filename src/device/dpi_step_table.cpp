#include "device/dpi_step_table.h"


namespace ostrel {
namespace {

// An ascending run of DPI values: first to last inclusive in steps of `stride`; a run with
// stride 0 is unused.
struct DpiRun {
    uint32_t first;
    uint32_t last;
    uint32_t stride;
};

struct SensorSteps {
    uint16_t sensorId;
    std::array<DpiRun, 4> runs;
    uint16_t codeOffset;  // code[step] = step + codeOffset
    uint8_t wideRange;
    std::array<uint16_t, 8> levelDefaults;
};

// Single values are runs of one; the lists are ascending.
const SensorSteps kSensors[] = {
    {0x3104, {{{100, 4000, 100}, {4500, 4500, 1}, {4800, 4800, 1}, {5500, 8000, 500}}}, 0, 0,
     {4, 15, 23, 31, 39, 41, 58, 50}},
    {0x3325, {{{200, 5000, 100}, {5500, 6000, 500}, {6400, 6400, 1}, {7000, 10000, 500}}}, 1, 0,
     {6, 14, 22, 30, 51, 58, 58, 50}},
    {0x3327, {{{200, 6200, 100}, {6500, 12000, 500}, {12400, 12400, 1}}}, 1, 0,
     {2, 6, 14, 30, 48, 58, 58, 58}},
    {0x3212, {{{200, 2400, 100}, {3000, 4800, 100}}}, 1, 0, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3311, {{{100, 12000, 100}}}, 1, 0, {7, 15, 23, 31, 63, 99, 99, 59}},
    {0x3335, {{{100, 16000, 100}}}, 0, 1, {11, 23, 31, 63, 99, 159, 59, 59}},
    {0x3360, {{{100, 12000, 100}, {24000, 24000, 1}}}, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3370, {{{50, 10000, 50}, {10100, 19000, 100}}}, 0, 1, {7, 15, 31, 63, 99, 119, 119, 119}},
    {0x3389, {{{100, 16000, 100}}}, 0, 1, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3395, {{{50, 26000, 50}}}, 0, 1, {7, 15, 31, 63, 99, 99, 99, 99}},
    {0x3399, {{{50, 20000, 50}}}, 0, 1, {7, 15, 31, 63, 99, 99, 99, 99}},
};

const SensorSteps* FindSensor(uint16_t sensorId) {
    for (const SensorSteps& sensor : kSensors) {
        if (sensor.sensorId == sensorId) return &sensor;
    }
    return nullptr;
}

}  // namespace

bool IsKnownSensor(uint16_t sensorId) { return FindSensor(sensorId) != nullptr; }

bool BuildDpiStepTable(uint16_t sensorId, DpiStepTable& table) {
    const SensorSteps* sensor = FindSensor(sensorId);
    if (sensor == nullptr) return false;
    DpiStepTable built;
    for (const DpiRun& run : sensor->runs) {
        if (run.stride == 0) continue;
        for (uint32_t dpi = run.first; dpi <= run.last && built.count < kMaxDpiSteps;
             dpi += run.stride) {
            built.value[built.count] = dpi / 50;
            built.code[built.count] = static_cast<uint16_t>(built.count + sensor->codeOffset);
            ++built.count;
        }
    }
    built.wideRange = sensor->wideRange;
    table = built;
    return true;
}

const std::array<uint16_t, 8>* SensorDpiDefaults(uint16_t sensorId) {
    const SensorSteps* sensor = FindSensor(sensorId);
    return sensor != nullptr ? &sensor->levelDefaults : nullptr;
}

}  // namespace ostrel
