#include "platform/hidraw/hidraw_nodes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace ostrel::hidraw {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// The mouse's node: an input collection (report 0x05) and a feature collection (report 0x0C),
// 32 data bytes each.
const Bytes kMouseDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,  // vendor page, usage 1, application
    0x85, 0x05, 0x75, 0x08, 0x95, 0x20,        //   id 5, 8 x 32
    0x09, 0x01, 0x81, 0x02, 0xC0,              //   input
    0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01,  // vendor page, usage 2, application
    0x85, 0x0C, 0x09, 0x02, 0xB1, 0x02, 0xC0,  //   id 0x0C, feature 8 x 32
};
// A keyboard without report ids: 8 input bytes.
const Bytes kKeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // generic desktop, keyboard, application
    0x75, 0x08, 0x95, 0x08, 0x81, 0x02,  //   input 8 x 8
    0xC0,
};

TEST(HidrawNodesTest, HidIdLine) {
    struct Case {
        const char* name;
        std::string uevent;
        std::optional<std::pair<uint16_t, uint16_t>> ids;
    };
    const Case cases[] = {
        {"usb device among other lines",
         "DRIVER=hid-generic\nHID_ID=0003:0000248A:00005B2E\nHID_NAME=mouse\n",
         std::pair{0x248A, 0x5B2E}},
        {"lower-case hex, last line without line feed", "HID_ID=0006:0000248a:00005b2f",
         std::pair{0x248A, 0x5B2F}},
        {"no HID_ID line", "DRIVER=hid-generic\nHID_NAME=x\n", std::nullopt},
        {"a key that only starts like it", "XHID_ID=0003:0000248A:00005B2E\n", std::nullopt},
        {"vendor beyond 16 bits", "HID_ID=0003:0001248A:00005B2E\n", std::nullopt},
        {"missing product", "HID_ID=0003:0000248A\n", std::nullopt},
        {"not hex", "HID_ID=0003:0000248G:00005B2E\n", std::nullopt},
        {"empty field", "HID_ID=0003::00005B2E\n", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseHidId(c.uevent), c.ids) << c.name;
}

TEST(HidrawNodesTest, NodeNumbers) {
    EXPECT_EQ(HidrawNumber("hidraw0"), 0u);
    EXPECT_EQ(HidrawNumber("hidraw12"), 12u);
    EXPECT_EQ(HidrawNumber("hidraw"), std::nullopt);
    EXPECT_EQ(HidrawNumber("hidraw1a"), std::nullopt);
    EXPECT_EQ(HidrawNumber("hiddev0"), std::nullopt);
}

// A sysfs tree in a temporary folder: one folder per HID device with its "uevent" and
// "report_descriptor" files, as the kernel lays them out.
class FakeSysfs : public testing::Test {
protected:
    FakeSysfs()
        : m_root(fs::temp_directory_path() /
                 ("ostrel-sysfs-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(m_root);
    }
    ~FakeSysfs() override { fs::remove_all(m_root); }

    fs::path HidDevice(const std::string& name, const std::string* uevent,
                       const Bytes* descriptor) {
        const fs::path folder = m_root / name;
        fs::create_directories(folder);
        if (uevent != nullptr)
            std::ofstream(folder / "uevent", std::ios::binary) << *uevent;
        if (descriptor != nullptr) {
            std::ofstream(folder / "report_descriptor", std::ios::binary)
                .write(reinterpret_cast<const char*>(descriptor->data()),
                       static_cast<std::streamsize>(descriptor->size()));
        }
        return folder;
    }

    fs::path m_root;
};

TEST_F(FakeSysfs, NodesBecomeOneInterfacePerTopLevelCollectionInNodeOrder) {
    const std::string mouseIds = "HID_ID=0003:0000248A:00005B2E\n";
    const std::string keyboardIds = "HID_ID=0003:0000046D:0000C31C\n";
    const Bytes truncated(kMouseDescriptor.begin(), kMouseDescriptor.begin() + 9);
    const Bytes noCollection = {0x75, 0x08};
    const std::string noIds = "DRIVER=hid-generic\n";

    std::vector<HidrawNode> nodes = {
        ReadHidrawNode("/dev/hidraw10", 10,
                       HidDevice("0003:046D:C31C.000B", &keyboardIds, &kKeyboardDescriptor)),
        ReadHidrawNode("/dev/hidraw2", 2,
                       HidDevice("0003:248A:5B2E.0003", &mouseIds, &kMouseDescriptor)),
        ReadHidrawNode("/dev/hidraw3", 3, HidDevice("0003:248A:5B2E.0004", &mouseIds, &truncated)),
        ReadHidrawNode("/dev/hidraw4", 4, HidDevice("0003:248A:5B2E.0005", &mouseIds, nullptr)),
        ReadHidrawNode("/dev/hidraw5", 5,
                       HidDevice("0003:248A:5B2E.0006", &noIds, &kMouseDescriptor)),
        ReadHidrawNode("/dev/hidraw6", 6,
                       HidDevice("0003:248A:5B2E.0007", &mouseIds, &noCollection)),
    };
    const std::vector<HidrawInterface> listed = InterfacesOfNodes(nodes);

    struct Expected {
        std::string path;
        uint16_t vendor, product, input, feature, usage;
        std::string problemStart;
    };
    const std::vector<Expected> expected = {
        {"/dev/hidraw2", 0x248A, 0x5B2E, 33, 0, 1, ""},
        {"/dev/hidraw2", 0x248A, 0x5B2E, 0, 33, 2, ""},
        {"/dev/hidraw3", 0x248A, 0x5B2E, 0, 0, 0,
         "report descriptor: byte 9: collection not closed"},
        {"/dev/hidraw4", 0x248A, 0x5B2E, 0, 0, 0,
         (m_root / "0003:248A:5B2E.0005/report_descriptor").string() + ": No such file"},
        {"/dev/hidraw5", 0, 0, 0, 0, 0,
         (m_root / "0003:248A:5B2E.0006/uevent").string() + ": no usable HID_ID"},
        {"/dev/hidraw6", 0x248A, 0x5B2E, 0, 0, 0, "report descriptor: no top-level collection"},
        {"/dev/hidraw10", 0x046D, 0xC31C, 9, 0, 6, ""},
    };
    ASSERT_EQ(listed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const HidrawInterface& got = listed[i];
        EXPECT_EQ(got.info, (HidInterfaceInfo{e.path, e.vendor, e.product, e.input, e.feature}))
            << "member " << i;
        EXPECT_EQ(got.usage, e.usage) << "member " << i;
        EXPECT_EQ(got.problem.rfind(e.problemStart, 0), 0u)
            << "member " << i << ": " << got.problem;
        EXPECT_EQ(got.problem.empty(), e.problemStart.empty()) << "member " << i;
    }
}

TEST_F(FakeSysfs, MissingUeventNamesTheFile) {
    const HidrawNode node = ReadHidrawNode("/dev/hidraw7", 7, HidDevice("gone", nullptr, nullptr));
    EXPECT_EQ(node.problem, (m_root / "gone/uevent").string() + ": No such file or directory");
}

}  // namespace
}  // namespace ostrel::hidraw
