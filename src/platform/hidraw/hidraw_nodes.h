#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_transport.h"

namespace ostrel::hidraw {

// What the system tells of one hidraw node: its device file, the ids of the HID device it belongs
// to and that device's report descriptor.
struct HidrawNode {
    std::string devnode;  // "/dev/hidraw3"
    unsigned number = 0;  // 3: nodes are listed in this order
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::vector<uint8_t> reportDescriptor;
    std::string problem;  // why the ids or the descriptor could not be read; empty when they were
};

// One interface as the transport lists it: a top-level collection of a node, as Windows shows it.
struct HidrawInterface {
    HidInterfaceInfo info;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Why the node's lengths are unknown (they are 0 then): an unreadable or malformed descriptor.
    std::string problem;
};

// The vendor and product id of a HID device's "HID_ID=bus:vendor:product" line in its uevent text.
std::optional<std::pair<uint16_t, uint16_t>> ParseHidId(std::string_view uevent);

// The number of a node named "hidrawN"; nothing for another name.
std::optional<unsigned> HidrawNumber(std::string_view name);

// Reads the ids and the report descriptor of node `devnode` from its HID device's folder in sysfs
// (`hidDevice`: its "uevent" and "report_descriptor" files). A failure is kept in `problem`.
HidrawNode ReadHidrawNode(const std::string& devnode, unsigned number,
                          const std::filesystem::path& hidDevice);

// The interfaces of the nodes: one per top-level collection of each node's descriptor, in node
// number order, then in descriptor order; they share the node's path. A node whose descriptor
// cannot be used, or has no collection, is still listed once, with lengths 0.
std::vector<HidrawInterface> InterfacesOfNodes(std::vector<HidrawNode> nodes);

}  // namespace ostrel::hidraw
