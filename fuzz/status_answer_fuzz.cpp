// Status answers come from the device: any bytes are applied without reading or writing out of
// bounds, and what they leave behind is a state the program can show.
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/dpi_step_table.h"
#include "fuzz_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ostrel::fuzzing::FuzzDevice device;
    ostrel::DeviceLink& link = device.link;
    link.ApplyStatusAnswer(std::span<const uint8_t>(data, size));
    if (link.chargeState > ostrel::kChargeFull) __builtin_trap();
    if (link.chargeState == ostrel::kChargeFull && link.batteryLevel != 100) __builtin_trap();
    if (!ostrel::IsKnownSensor(device.config.sensorId)) __builtin_trap();
    if (device.config.stepTable.count == 0) __builtin_trap();
    return 0;
}
