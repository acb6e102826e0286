#include "device/report_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrel {
namespace {

using Bytes = std::vector<uint8_t>;
using Collections = std::vector<TopLevelCollection>;

// Expected lengths are worked out by hand: the longest report of the type in the collection,
// its bits rounded up to bytes, plus one byte for the report id.
struct ValidCase {
    const char* name;
    Bytes descriptor;
    Collections expected;
    bool usesReportIds;
};

// The descriptors keep one item to a line beside its meaning, which the formatter would undo.
// clang-format off
const ValidCase kValidCases[] = {
    {"one feature report with an id",
     {
         0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
         0x09, 0x01,        // Usage (1)
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x0C,        //   Report ID (0x0C)
         0x75, 0x08,        //   Report Size (8)
         0x95, 0x20,        //   Report Count (32)
         0x09, 0x02,        //   Usage (2)
         0xB1, 0x02,        //   Feature: 256 bits
         0xC0,              // End Collection
     },
     {{0xFF00, 1, 1, 0, 33}},
     true},
    {"several ids of different sizes: the longest of each type",
     {
         0x05, 0x01,  // Usage Page (Generic Desktop)
         0x09, 0x02,  // Usage (Mouse)
         0xA1, 0x01,  // Collection (Application)
         0x85, 0x01,  //   Report ID (1)
         0x75, 0x08,  //   Report Size (8)
         0x95, 0x04,  //   Report Count (4)
         0x81, 0x02,  //   Input: id 1, 32 bits
         0x85, 0x02,  //   Report ID (2)
         0x95, 0x0A,  //   Report Count (10)
         0x81, 0x02,  //   Input: id 2, 80 bits
         0x75, 0x10,  //   Report Size (16)
         0x95, 0x01,  //   Report Count (1)
         0xB1, 0x02,  //   Feature: id 2, 16 bits
         0x85, 0x03,  //   Report ID (3)
         0x75, 0x08,  //   Report Size (8)
         0x95, 0x06,  //   Report Count (6)
         0xB1, 0x02,  //   Feature: id 3, 48 bits
         0x91, 0x02,  //   Output: not counted in either length
         0xC0,        // End Collection
     },
     {{0x0001, 2, 1, 10 + 1, 6 + 1}},
     true},
    {"no report id: Windows still counts the id byte",
     {
         0x05, 0x01,        // Usage Page (Generic Desktop)
         0x09, 0x02,        // Usage (Mouse)
         0xA1, 0x01,        // Collection (Application)
         0x09, 0x01,        //   Usage (Pointer)
         0xA1, 0x00,        //   Collection (Physical)
         0x05, 0x09,        //     Usage Page (Button)
         0x19, 0x01,        //     Usage Minimum (1)
         0x29, 0x03,        //     Usage Maximum (3)
         0x15, 0x00,        //     Logical Minimum (0)
         0x25, 0x01,        //     Logical Maximum (1)
         0x95, 0x03,        //     Report Count (3)
         0x75, 0x01,        //     Report Size (1)
         0x81, 0x02,        //     Input: 3 bits
         0x95, 0x01,        //     Report Count (1)
         0x75, 0x05,        //     Report Size (5)
         0x81, 0x03,        //     Input (constant): 5 bits
         0x05, 0x01,        //     Usage Page (Generic Desktop)
         0x09, 0x30,        //     Usage (X)
         0x09, 0x31,        //     Usage (Y)
         0x15, 0x81,        //     Logical Minimum (-127)
         0x25, 0x7F,        //     Logical Maximum (127)
         0x75, 0x08,        //     Report Size (8)
         0x95, 0x02,        //     Report Count (2)
         0x81, 0x06,        //     Input: 16 bits
         0xC0,              //   End Collection
         0xC0,              // End Collection: 24 bits in all
     },
     {{0x0001, 2, 1, 3 + 1, 0}},
     false},
    {"bit fields add up before they round up",
     {
         0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
         0x09, 0x01,        // Usage (1)
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x05,        //   Report ID (5)
         0x75, 0x01,        //   Report Size (1)
         0x95, 0x07,        //   Report Count (7)
         0x81, 0x02,        //   Input: 7 bits
         0x75, 0x02,        //   Report Size (2)
         0x95, 0x01,        //   Report Count (1)
         0x81, 0x02,        //   Input: 2 bits, 9 in all: two bytes, not one plus one
         0x75, 0x03,        //   Report Size (3)
         0xB1, 0x02,        //   Feature: 3 bits, one byte
         0xC0,              // End Collection
     },
     {{0xFF00, 1, 1, 2 + 1, 1 + 1}},
     true},
    {"pop restores the report id, size and count pushed",
     {
         0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
         0x09, 0x01,        // Usage (1)
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x07,        //   Report ID (7)
         0x75, 0x08,        //   Report Size (8)
         0x95, 0x04,        //   Report Count (4)
         0xA4,              //   Push
         0x85, 0x08,        //     Report ID (8)
         0x95, 0x10,        //     Report Count (16)
         0x81, 0x02,        //     Input: id 8, 128 bits
         0xB4,              //   Pop: id 7, 8 x 4 again
         0x81, 0x02,        //   Input: id 7, 32 bits
         0xB1, 0x02,        //   Feature: id 7, 32 bits
         0xC0,              // End Collection
     },
     {{0xFF00, 1, 1, 16 + 1, 4 + 1}},
     true},
    {"two top-level collections, one interface each",
     {
         0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
         0x09, 0x01,        // Usage (1)
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x05,        //   Report ID (5)
         0x75, 0x08,        //   Report Size (8)
         0x95, 0x20,        //   Report Count (32)
         0x09, 0x01,        //   Usage (1)
         0x81, 0x02,        //   Input: 256 bits
         0xC0,              // End Collection
         0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
         0x09, 0x02,        // Usage (2)
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x0C,        //   Report ID (0x0C)
         0x09, 0x02,        //   Usage (2)
         0xB1, 0x02,        //   Feature: 256 bits (size and count carry over)
         0xC0,              // End Collection
     },
     {{0xFF00, 1, 1, 33, 0}, {0xFF00, 2, 1, 0, 33}},
     true},
    {"long items are skipped; a four-byte usage names its own page",
     {
         0xFE, 0x03, 0x10, 0xA1, 0x01, 0x81,  // long item, 3 data bytes that look like items
         0x0B, 0x01, 0x00, 0x0C, 0x00,        // Usage (page 0x0C, usage 1)
         0xA1, 0x01,                          // Collection (Application)
         0x85, 0x02,                          //   Report ID (2)
         0x75, 0x10,                          //   Report Size (16)
         0x95, 0x01,                          //   Report Count (1)
         0x81, 0x00,                          //   Input: 16 bits
         0xC0,                                // End Collection
     },
     {{0x000C, 1, 1, 2 + 1, 0}},
     true},
    {"a report of the largest size",
     {
         0xA1, 0x01,        // Collection (Application)
         0x75, 0x08,        //   Report Size (8)
         0x96, 0xFF, 0x3F,  //   Report Count (16383)
         0xB1, 0x02,        //   Feature: 16383 bytes
         0xC0,              // End Collection
     },
     {{0, 0, 1, 0, 16384}},
     false},
    {"sixteen pushes deep",
     Bytes(16, 0xA4),
     {},
     false},
};
// clang-format on

TEST(ReportDescriptorTest, LengthsAsWindowsCountsThem) {
    for (const ValidCase& c : kValidCases) {
        const auto parsed = ParseReportDescriptor(c.descriptor);
        ASSERT_TRUE(parsed) << c.name << ": " << parsed.reason();
        EXPECT_EQ(parsed->collections, c.expected) << c.name;
        EXPECT_EQ(parsed->usesReportIds, c.usesReportIds) << c.name;
    }
}

struct MalformedCase {
    const char* name;
    Bytes descriptor;
    std::string reason;
};

Bytes Repeated(size_t count, uint8_t byte, Bytes tail = {}) {
    Bytes bytes(count, byte);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

// clang-format off
const MalformedCase kMalformedCases[] = {
    {"item data past the end", {0xA1, 0x01, 0x76, 0x08}, "byte 2: item cut short"},
    {"long item data past the end", {0xFE, 0x05, 0x10, 0x01}, "byte 0: long item cut short"},
    {"long item header past the end", {0xFE, 0x05}, "byte 0: long item cut short"},
    {"pop without push", {0xA4, 0xB4, 0xB4}, "byte 2: pop without push"},
    {"push deeper than the limit", Repeated(17, 0xA4), "byte 16: push deeper than 16"},
    {"report id 0", {0x85, 0x00}, "byte 0: report id 0 outside 1-255"},
    {"report id above 255", {0x86, 0x00, 0x01}, "byte 0: report id 256 outside 1-255"},
    {"end of a collection never opened", {0xA1, 0x01, 0xC0, 0xC0}, "byte 3: end of a collection"},
    {"collection left open", {0xA1, 0x01, 0xA1, 0x00, 0xC0}, "byte 5: collection not closed"},
    {"input outside any collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, "byte 4: data item outside"},
    {"feature outside any collection", {0xB1, 0x02}, "byte 0: data item outside"},
    {"size x count beyond 32 bits",
     {
         0xA1, 0x01,                    // Collection (Application)
         0x77, 0xFF, 0xFF, 0xFF, 0xFF,  //   Report Size (4294967295)
         0x97, 0xFF, 0xFF, 0xFF, 0xFF,  //   Report Count (4294967295)
         0x81, 0x02,                    //   Input
         0xC0,
     },
     "byte 12: report 0 longer than 16383 bytes"},
    {"one bit more than the largest report",
     {
         0xA1, 0x01,        // Collection (Application)
         0x85, 0x03,        //   Report ID (3)
         0x75, 0x08,        //   Report Size (8)
         0x96, 0xFF, 0x3F,  //   Report Count (16383)
         0xB1, 0x02,        //   Feature: 16383 bytes
         0x75, 0x01,        //   Report Size (1)
         0x95, 0x01,        //   Report Count (1)
         0xB1, 0x02,        //   Feature: one bit more
         0xC0,
     },
     "byte 15: report 3 longer than 16383 bytes"},
    {"descriptor longer than the limit", Bytes(4097, 0x00), "byte 4096: descriptor longer than 4096"},
};
// clang-format on

TEST(ReportDescriptorTest, MalformedDescriptorsFailWithOffsetAndReason) {
    for (const MalformedCase& c : kMalformedCases) {
        const auto parsed = ParseReportDescriptor(c.descriptor);
        ASSERT_FALSE(parsed) << c.name;
        EXPECT_EQ(parsed.reason().rfind(c.reason, 0), 0u) << c.name << ": " << parsed.reason();
    }
}

}  // namespace
}  // namespace ostrel
