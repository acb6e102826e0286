#include "platform/hidraw/hidraw_nodes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "device/report_descriptor.h"

namespace ostrel::hidraw {
namespace {

constexpr std::string_view kHidIdKey = "HID_ID=";
constexpr std::string_view kHidrawPrefix = "hidraw";

std::optional<uint32_t> HexField(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = (value << 4) | digit;
    }
    return value;
}

// The whole file, or nothing with the errno text in `reason`.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string& reason) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        reason = file.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad()) {
        reason = file.string() + ": read failed";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<std::pair<uint16_t, uint16_t>> ParseHidId(std::string_view uevent) {
    while (!uevent.empty()) {
        const size_t end = uevent.find('\n');
        const std::string_view line = uevent.substr(0, end);
        uevent = end == std::string_view::npos ? std::string_view() : uevent.substr(end + 1);
        if (line.substr(0, kHidIdKey.size()) != kHidIdKey)
            continue;
        // bus:vendor:product, each in hex; the ids are 32-bit fields of which USB uses 16 bits.
        const std::string_view fields = line.substr(kHidIdKey.size());
        const size_t first = fields.find(':');
        const size_t second = first == std::string_view::npos ? first : fields.find(':', first + 1);
        if (second == std::string_view::npos)
            return std::nullopt;
        const auto bus = HexField(fields.substr(0, first));
        const auto vendor = HexField(fields.substr(first + 1, second - first - 1));
        const auto product = HexField(fields.substr(second + 1));
        if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF)
            return std::nullopt;
        return std::make_pair(static_cast<uint16_t>(*vendor), static_cast<uint16_t>(*product));
    }
    return std::nullopt;
}

std::optional<unsigned> HidrawNumber(std::string_view name) {
    if (name.substr(0, kHidrawPrefix.size()) != kHidrawPrefix)
        return std::nullopt;
    const std::string_view digits = name.substr(kHidrawPrefix.size());
    if (digits.empty() || digits.size() > 6)
        return std::nullopt;
    unsigned number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

HidrawNode ReadHidrawNode(const std::string& devnode, unsigned number,
                          const std::filesystem::path& hidDevice) {
    HidrawNode node;
    node.devnode = devnode;
    node.number = number;
    std::string reason;
    const auto uevent = ReadWholeFile(hidDevice / "uevent", reason);
    if (!uevent) {
        node.problem = reason;
        return node;
    }
    const auto ids = ParseHidId(*uevent);
    if (!ids) {
        node.problem = (hidDevice / "uevent").string() + ": no usable HID_ID";
        return node;
    }
    node.vendorId = ids->first;
    node.productId = ids->second;
    const auto descriptor = ReadWholeFile(hidDevice / "report_descriptor", reason);
    if (!descriptor) {
        node.problem = reason;
        return node;
    }
    node.reportDescriptor.assign(descriptor->begin(), descriptor->end());
    return node;
}

std::vector<HidrawInterface> InterfacesOfNodes(std::vector<HidrawNode> nodes) {
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const HidrawNode& a, const HidrawNode& b) { return a.number < b.number; });
    std::vector<HidrawInterface> interfaces;
    for (const HidrawNode& node : nodes) {
        HidrawInterface listed;
        listed.info.path = node.devnode;
        listed.info.vendorId = node.vendorId;
        listed.info.productId = node.productId;
        listed.problem = node.problem;
        if (!node.problem.empty()) {
            interfaces.push_back(listed);
            continue;
        }
        const auto parsed = ParseReportDescriptor(node.reportDescriptor);
        if (!parsed) {
            listed.problem = "report descriptor: " + parsed.reason();
            interfaces.push_back(listed);
            continue;
        }
        if (parsed->collections.empty()) {
            listed.problem = "report descriptor: no top-level collection";
            interfaces.push_back(listed);
            continue;
        }
        for (const TopLevelCollection& collection : parsed->collections) {
            HidrawInterface entry = listed;
            entry.info.inputReportLength = collection.inputReportLength;
            entry.info.featureReportLength = collection.featureReportLength;
            entry.usagePage = collection.usagePage;
            entry.usage = collection.usage;
            interfaces.push_back(entry);
        }
    }
    return interfaces;
}

}  // namespace ostrel::hidraw
