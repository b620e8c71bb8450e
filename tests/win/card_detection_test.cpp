// The 3D card detection over device keys made under HKEY_DYN_DATA "Config Manager\Enum".
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config/card_detection.h"
#include "tests/support/registry_expect.h"

namespace {

constexpr const char* kVoodoo2 = "PCI\\VEN_121A&DEV_0002&SUBSYS_00000000&REV_02\\BUS_01&DEV_0B&FUNC_00";
constexpr const char* kVoodoo = "PCI\\VEN_121A&DEV_0001&SUBSYS_00000000&REV_02";
constexpr const char* kRivaTnt = "PCI\\VEN_10DE&DEV_0020&SUBSYS_00000000&REV_04\\BUS_01&DEV_00&FUNC_00";
constexpr const char* kSavage = "PCI\\VEN_5333&DEV_8A20&SUBSYS_00000000&REV_03";
constexpr const char* kRagePro = "PCI\\VEN_1002&DEV_4750&SUBSYS_00000000&REV_5C";
constexpr const char* kIntel740 = "PCI\\VEN_8086&DEV_7800&SUBSYS_01001092&REV_21";
constexpr const char* kNetworkCard = "PCI\\VEN_8086&DEV_1229&SUBSYS_00000000&REV_05";

// Device keys are enumerated in the order of their names (Wine sorts them).
using Devices = std::vector<std::pair<const char*, const char*>>;

class CardDetectionTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(regKeyExists(RegPlace{HKEY_DYN_DATA, kDeviceListPath})); }

    DeviceKeys devices;  // its keys go with it
};

TEST_F(CardDetectionTest, VoodooFamilyWinsAndOtherwiseTheLastCardEnumerated) {
    const struct Case {
        const char* what;
        Devices list;
        DisplayDriverCode expected;
    } cases[] = {
        {"no devices", {}, 7},
        {"Voodoo2 before RIVA TNT", {{"QLK2_A", kVoodoo2}, {"QLK2_B", kRivaTnt}}, 17},
        {"RIVA TNT before Voodoo2", {{"QLK2_A", kRivaTnt}, {"QLK2_B", kVoodoo2}}, 17},
        {"Voodoo after two cards", {{"QLK2_A", kSavage}, {"QLK2_B", kRagePro}, {"QLK2_C", kVoodoo}}, 0},
        {"Voodoo before Voodoo2", {{"QLK2_A", kVoodoo}, {"QLK2_B", kVoodoo2}}, 0},
        {"RIVA TNT then Savage", {{"QLK2_A", kRivaTnt}, {"QLK2_B", kSavage}}, 22},
        {"Savage then RIVA TNT", {{"QLK2_A", kSavage}, {"QLK2_B", kRivaTnt}}, 19},
        {"order by name, not creation", {{"QLK2_B", kSavage}, {"qlk2_a", kRivaTnt}}, 22},
        {"unknown card after a known one", {{"QLK2_A", kRagePro}, {"QLK2_B", kNetworkCard}}, 8},
        {"unknown cards only", {{"QLK2_A", kNetworkCard}}, 7},
        {"Intel740", {{"QLK2_A", kIntel740}}, 15},
        {"Intel740 then RIVA TNT", {{"QLK2_A", kIntel740}, {"QLK2_B", kRivaTnt}}, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& device : c.list) ASSERT_TRUE(devices.add(device.first, device.second));
        EXPECT_EQ(c.expected, detectDisplayCard());
        devices.removeAll();
    }
}

TEST_F(CardDetectionTest, OnlyValuesBeginningWithUpperCasePciAreExamined) {
    const struct Case {
        const char* hardwareKey;
        DisplayDriverCode expected;
    } cases[] = {
        {"PCI\\VEN_10de&DEV_0020&SUBSYS_00000000&REV_04", 19},
        {"PCI\\ven_10de&dev_0020&subsys_00000000&rev_04", 19},
        {"pci\\VEN_10DE&DEV_0020&SUBSYS_00000000&REV_04", 7},
        {"Pci\\VEN_10DE&DEV_0020", 7},
        {"PCi\\VEN_10DE&DEV_0020", 7},
        {"ROOT\\VEN_121A&DEV_0002", 7},
        {"PCI", 7},
        {"PC", 7},
        {"", 7},
        {"PCIVEN_121A&DEV_0002", 17},  // the prefix is all that is asked of the text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hardwareKey);
        ASSERT_TRUE(devices.add("QLK2_A", c.hardwareKey));
        EXPECT_EQ(c.expected, detectDisplayCard());
        devices.removeAll();
    }
}

TEST_F(CardDetectionTest, UnreadableDevicesAreSkipped) {
    ASSERT_TRUE(devices.add("QLK2_A", kRagePro));
    ASSERT_TRUE(devices.add("QLK2_B"));  // no "HardWareKey"
    ASSERT_TRUE(devices.add("QLK2_C", REG_DWORD, "PCI\\"));
    const std::string tooLong = std::string("PCI\\VEN_121A&DEV_0002") + std::string(70000, 'X');
    ASSERT_TRUE(devices.add("QLK2_D", REG_SZ, tooLong + '\0'));
    EXPECT_EQ(8, detectDisplayCard());
}

TEST_F(CardDetectionTest, HardwareKeyOfAnyTypeAndWithoutTerminatorIsRead) {
    ASSERT_TRUE(devices.add("QLK2_A", REG_BINARY, "PCI\\VEN_10DE&DEV_0020"));
    EXPECT_EQ(19, detectDisplayCard());
}

// Fills the whole 65,535-byte buffer without a terminating zero.
TEST_F(CardDetectionTest, AHardwareKeyFillingTheWholeBufferIsRead) {
    const std::string id = "PCI\\VEN_121A&DEV_0002";
    ASSERT_TRUE(devices.add("QLK2_A", REG_SZ, id + std::string(65535 - id.size(), 'X')));
    EXPECT_EQ(17, detectDisplayCard());
}

// The id at the very end of a full buffer is still inside it.
TEST_F(CardDetectionTest, AnIdAtTheVeryEndOfAFullBufferIsFound) {
    ASSERT_TRUE(devices.add("QLK2_A", REG_SZ, "PCI" + std::string(65535 - 20, 'X') + "VEN_10DE&DEV_0020"));
    EXPECT_EQ(19, detectDisplayCard());
}

TEST_F(CardDetectionTest, MissingDeviceListGivesMinusTwo) {
    DeviceListRemoved noDeviceList;
    if (!noDeviceList.removed()) GTEST_SKIP() << "the device list key cannot be removed here";
    EXPECT_EQ(-2, detectDisplayCard());
}

}  // namespace
