#pragma once

#include <array>
#include <string>

#include "device/virtual_mouse.h"

namespace ostrel {

// The 33 bytes of a frame as 66 upper-case hex digits.
std::string FrameHex(const std::array<uint8_t, kFrameLength>& bytes);

// A frame as the frame log writes it: the milliseconds of its arrival, a space, its hex.
std::string FrameLogLine(const ReceivedFrame& frame);

// A decoder violation as the frame log writes it: "violation", the frame's number (1-based) and
// what is wrong.
std::string ViolationLogLine(const FrameViolation& violation);

}  // namespace ostrel
