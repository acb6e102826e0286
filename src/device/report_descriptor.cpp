#include "device/report_descriptor.h"

#include <array>
#include <map>
#include <string>

namespace ostrel {
namespace {

enum ItemType : uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2 };

enum MainTag : uint8_t {
    kTagInput = 0x8,
    kTagOutput = 0x9,
    kTagCollection = 0xA,
    kTagFeature = 0xB,
    kTagEndCollection = 0xC,
};

enum GlobalTag : uint8_t {
    kTagUsagePage = 0x0,
    kTagReportSize = 0x7,
    kTagReportId = 0x8,
    kTagReportCount = 0x9,
    kTagPush = 0xA,
    kTagPop = 0xB,
};

constexpr uint8_t kTagUsage = 0x0;  // local
constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint64_t kMaxReportBits = uint64_t{kMaxReportBytes} * 8;

// The global items the lengths depend on; Push and Pop save and restore all of them.
struct GlobalState {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct ReportBits {
    std::array<uint64_t, 2> bits{};  // input, feature
    std::array<bool, 2> present{};
};

struct CollectionReports {
    TopLevelCollection info;
    std::map<uint8_t, ReportBits> reports;  // by report id
};

Result<ReportDescriptorInfo> Malformed(size_t offset, const std::string& what) {
    return Result<ReportDescriptorInfo>::Failure("byte " + std::to_string(offset) + ": " + what);
}

uint32_t LittleEndian(std::span<const uint8_t> data) {
    uint32_t value = 0;
    for (size_t i = data.size(); i-- > 0;)
        value = (value << 8) | data[i];
    return value;
}

uint16_t WindowsLength(const std::map<uint8_t, ReportBits>& reports, size_t kind) {
    uint16_t longest = 0;
    for (const auto& [id, report] : reports) {
        if (!report.present[kind])
            continue;
        // The report id byte is counted even where the device numbers no reports.
        const auto length = static_cast<uint16_t>((report.bits[kind] + 7) / 8 + 1);
        if (length > longest)
            longest = length;
    }
    return longest;
}

}  // namespace

Result<ReportDescriptorInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    if (descriptor.size() > kMaxReportDescriptorLength) {
        return Malformed(
            kMaxReportDescriptorLength,
            "descriptor longer than " + std::to_string(kMaxReportDescriptorLength) + " bytes");
    }
    ReportDescriptorInfo result;
    std::vector<CollectionReports> collections;
    std::vector<GlobalState> stack;
    GlobalState global;
    bool haveUsage = false;
    uint32_t usage = 0;
    uint8_t usageSize = 0;
    size_t depth = 0;

    size_t offset = 0;
    while (offset < descriptor.size()) {
        const size_t itemStart = offset;
        const uint8_t prefix = descriptor[offset++];
        if (prefix == kLongItemPrefix) {
            // No long item is defined; they are skipped whole.
            if (descriptor.size() - offset < 2)
                return Malformed(itemStart, "long item cut short");
            const size_t dataSize = descriptor[offset];
            offset += 2;
            if (descriptor.size() - offset < dataSize)
                return Malformed(itemStart, "long item cut short");
            offset += dataSize;
            continue;
        }
        static constexpr uint8_t kDataSizes[] = {0, 1, 2, 4};
        const uint8_t size = kDataSizes[prefix & 0x03];
        const auto type = static_cast<uint8_t>((prefix >> 2) & 0x03);
        const auto tag = static_cast<uint8_t>(prefix >> 4);
        if (descriptor.size() - offset < size)
            return Malformed(itemStart, "item cut short");
        const uint32_t value = LittleEndian(descriptor.subspan(offset, size));
        offset += size;

        if (type == kTypeMain) {
            switch (tag) {
                case kTagInput:
                case kTagFeature: {
                    if (depth == 0)
                        return Malformed(itemStart, "data item outside any collection");
                    const size_t kind = tag == kTagInput ? 0 : 1;
                    ReportBits& report = collections.back().reports[global.reportId];
                    report.present[kind] = true;
                    report.bits[kind] += uint64_t{global.reportSize} * global.reportCount;
                    if (report.bits[kind] > kMaxReportBits) {
                        return Malformed(itemStart, "report " + std::to_string(global.reportId) +
                                                        " longer than " +
                                                        std::to_string(kMaxReportBytes) + " bytes");
                    }
                    break;
                }
                case kTagOutput:
                    if (depth == 0)
                        return Malformed(itemStart, "data item outside any collection");
                    break;
                case kTagCollection:
                    if (depth == 0) {
                        CollectionReports& added = collections.emplace_back();
                        added.info.collectionType = static_cast<uint8_t>(value);
                        if (haveUsage) {
                            // A four-byte usage carries its own page in the high half.
                            added.info.usagePage = static_cast<uint16_t>(
                                usageSize == 4 ? usage >> 16 : global.usagePage);
                            added.info.usage = static_cast<uint16_t>(usage);
                        }
                    }
                    ++depth;
                    break;
                case kTagEndCollection:
                    if (depth == 0)
                        return Malformed(itemStart, "end of a collection never opened");
                    --depth;
                    break;
                default:
                    break;  // reserved main items carry nothing the lengths need
            }
            haveUsage = false;
        } else if (type == kTypeGlobal) {
            switch (tag) {
                case kTagUsagePage:
                    global.usagePage = value;
                    break;
                case kTagReportSize:
                    global.reportSize = value;
                    break;
                case kTagReportCount:
                    global.reportCount = value;
                    break;
                case kTagReportId:
                    if (value == 0 || value > 0xFF) {
                        return Malformed(itemStart,
                                         "report id " + std::to_string(value) + " outside 1-255");
                    }
                    global.reportId = static_cast<uint8_t>(value);
                    result.usesReportIds = true;
                    break;
                case kTagPush:
                    if (stack.size() == kMaxGlobalPushDepth) {
                        return Malformed(itemStart,
                                         "push deeper than " + std::to_string(kMaxGlobalPushDepth));
                    }
                    stack.push_back(global);
                    break;
                case kTagPop:
                    if (stack.empty())
                        return Malformed(itemStart, "pop without push");
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == kTypeLocal && tag == kTagUsage && !haveUsage) {
            haveUsage = true;
            usage = value;
            usageSize = size;
        }
    }
    if (depth != 0)
        return Malformed(descriptor.size(), "collection not closed");

    for (const CollectionReports& collection : collections) {
        TopLevelCollection info = collection.info;
        info.inputReportLength = WindowsLength(collection.reports, 0);
        info.featureReportLength = WindowsLength(collection.reports, 1);
        result.collections.push_back(info);
    }
    return result;
}

}  // namespace ostrel
