#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace ostrel {

// Limits that keep a hostile descriptor from costing memory or time; the kernel refuses
// descriptors beyond the first and reports beyond the last as well.
inline constexpr size_t kMaxReportDescriptorLength = 4096;
inline constexpr size_t kMaxGlobalPushDepth = 16;
inline constexpr uint32_t kMaxReportBytes = 16383;  // one report's data, without its id byte

// One top-level collection of a report descriptor, with the report lengths Windows shows for it
// as an interface of its own: the longest report of the type in the collection, in bytes rounded
// up from its bits, plus one byte for the report id (counted also where the device numbers no
// reports); 0 when the collection has no report of the type.
struct TopLevelCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint8_t collectionType = 0;  // 1 for an application collection
    uint16_t inputReportLength = 0;
    uint16_t featureReportLength = 0;

    bool operator==(const TopLevelCollection&) const = default;
};

struct ReportDescriptorInfo {
    std::vector<TopLevelCollection> collections;  // in descriptor order
    bool usesReportIds = false;                   // some Report ID item is present
};

// Parses a HID report descriptor. A malformed one (a truncated item, an unbalanced collection or
// push and pop, a report id 0, a data item outside any collection, a limit above exceeded) fails
// with the byte offset and what is wrong. Pure; any thread.
Result<ReportDescriptorInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace ostrel
