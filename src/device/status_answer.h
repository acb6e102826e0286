#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ostrel {

// Offsets of the status answer.
inline constexpr size_t kStatusTag = 8;
inline constexpr size_t kStatusTagLength = 4;
inline constexpr size_t kStatusSensor = 15;
inline constexpr size_t kStatusBattery = 18;
inline constexpr size_t kStatusCharge = 19;
inline constexpr size_t kStatusOnline = 21;
inline constexpr std::array<uint8_t, kStatusTagLength> kModelTag = {'Z', '6', 'K', '3'};
inline constexpr uint8_t kChargeNone = 0;
inline constexpr uint8_t kChargeCharging = 1;
inline constexpr uint8_t kChargeFull = 2;

// A status answer as the program reads it.
struct StatusAnswer {
    bool answersQuery = false;  // command byte 0x20 and byte 3 zero: the only answers used
    uint8_t command = 0;
    std::array<uint8_t, kStatusTagLength> tag{};
    bool hasModelTag = false;  // the tag is "Z6K3"; only then the online flag counts
    bool online = false;
    uint8_t sensorCode = 0;
    uint16_t sensorId = 0;  // 0 for a code that names no known sensor
    uint8_t battery = 0;    // 100 when fully charged, whatever the byte says
    uint8_t chargeState = kChargeNone;
};

// Decodes 33 answer bytes; any other length decodes as an answer to nothing.
StatusAnswer DecodeStatusAnswer(std::span<const uint8_t> answer);

// The sensor a status answer's code names, or 0 for a code not in the list.
uint16_t SensorOfStatusCode(uint8_t code);

}  // namespace ostrel
