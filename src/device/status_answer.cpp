#include "device/status_answer.h"

#include <algorithm>

#include "device/report_blocks.h"

namespace ostrel {
namespace {

struct SensorCode {
    uint8_t code;
    uint16_t sensorId;
};

constexpr SensorCode kSensorCodes[] = {
    {0x04, 0x3104}, {0x25, 0x3325}, {0x27, 0x3327}, {0x12, 0x3212}, {0x11, 0x3311}, {0x35, 0x3335},
    {0x60, 0x3360}, {0x70, 0x3370}, {0x89, 0x3389}, {0x95, 0x3395}, {0x99, 0x3399},
};

}  // namespace

uint16_t SensorOfStatusCode(uint8_t code) {
    for (const SensorCode& entry : kSensorCodes) {
        if (entry.code == code) return entry.sensorId;
    }
    return 0;
}

StatusAnswer DecodeStatusAnswer(std::span<const uint8_t> answer) {
    StatusAnswer decoded;
    if (answer.size() != kFrameLength) return decoded;
    decoded.command = answer[kFrameCommand];
    decoded.answersQuery = decoded.command == kCommandStatus && answer[3] == 0;
    std::copy_n(answer.begin() + kStatusTag, kStatusTagLength, decoded.tag.begin());
    decoded.hasModelTag = std::equal(decoded.tag.begin(), decoded.tag.end(), kModelTag.begin());
    decoded.online = answer[kStatusOnline] != 0;
    decoded.sensorCode = answer[kStatusSensor];
    decoded.sensorId = SensorOfStatusCode(decoded.sensorCode);
    decoded.battery = answer[kStatusBattery];
    switch (answer[kStatusCharge]) {
        case kChargeCharging:
            decoded.chargeState = kChargeCharging;
            break;
        case kChargeFull:
            decoded.chargeState = kChargeFull;
            decoded.battery = 100;
            break;
        default:
            decoded.chargeState = kChargeNone;
    }
    return decoded;
}

}  // namespace ostrel
