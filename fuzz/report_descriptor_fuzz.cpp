// Report descriptors come from the device through sysfs: any bytes parse or fail without reading
// out of bounds, the lengths stay within what a handle can carry, and a push with its pop in front
// changes nothing.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> descriptor(data, size);
    const auto parsed = ostrel::ParseReportDescriptor(descriptor);
    if (parsed) {
        if (size > ostrel::kMaxReportDescriptorLength)
            __builtin_trap();
        for (const ostrel::TopLevelCollection& collection : parsed->collections) {
            if (collection.inputReportLength > ostrel::kMaxReportBytes + 1)
                __builtin_trap();
            if (collection.featureReportLength > ostrel::kMaxReportBytes + 1)
                __builtin_trap();
        }
    } else if (parsed.reason().empty()) {
        __builtin_trap();
    }

    if (size + 2 > ostrel::kMaxReportDescriptorLength)
        return 0;
    std::vector<uint8_t> wrapped = {0xA4, 0xB4};  // Push, Pop
    wrapped.insert(wrapped.end(), data, data + size);
    const auto again = ostrel::ParseReportDescriptor(wrapped);
    if (again.ok() != parsed.ok())
        __builtin_trap();
    if (parsed && (again->collections != parsed->collections ||
                   again->usesReportIds != parsed->usesReportIds)) {
        __builtin_trap();
    }
    return 0;
}
