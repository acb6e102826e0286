#include "device/frame_log.h"

namespace ostrel {

std::string FrameHex(const std::array<uint8_t, kFrameLength>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string FrameLogLine(const ReceivedFrame& frame) {
    return std::to_string(frame.timeMs) + " " + FrameHex(frame.bytes);
}

std::string ViolationLogLine(const FrameViolation& violation) {
    return "violation frame " + std::to_string(violation.frameIndex + 1) + ": " + violation.what;
}

}  // namespace ostrel
