// Display-driver codes: the driver name table, the Voodoo family and the PCI id matching.
#include "config/display_drivers.h"

#include <climits>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::string kVacant = "\x8C\x87\x94\xD4";

TEST(DriverName, EveryCodeHasItsEntry) {
    const std::string expected[kDriverNameCount] = {
        "VooDoo", "Mystique", "Rendition V1000", kVacant, kVacant,
        "SOFTWARE VERSION (VIDEO MEMORY)", kVacant, "SOFTWARE VERSION (SYSTEM MEMORY)",
        "3D RAGE PRO", "VooDoo RUSH", kVacant, "RIVA128", "PERMEDIA2", "Millennium2",
        "Rendition V2200", "Intel740", "Mystique G200", "VooDoo2", "Unknown Card", "RIVA TNT",
        "Voodoo Banshee", "3D RAGE LT", "Savage", "Millennium G200",
    };
    for (int code = 0; code < kDriverNameCount; ++code) {
        EXPECT_EQ(expected[code], driverName(code)) << "code " << code;
    }
    EXPECT_EQ(4u, std::strlen(driverName(3)));
}

TEST(DriverName, CodesOutsideTheTableGiveUnknownCard) {
    for (const DisplayDriverCode code : {-1, -2, 24, 25, 1000, INT_MIN, INT_MAX}) {
        ASSERT_NE(nullptr, driverName(code));
        EXPECT_STREQ("Unknown Card", driverName(code)) << "code " << code;
    }
}

TEST(VoodooFamily, OnlyVoodooAndVoodoo2) {
    for (DisplayDriverCode code = -3; code <= kDriverNameCount + 1; ++code) {
        EXPECT_EQ(code == 0 || code == 17, voodooFamily(code)) << "code " << code;
    }
}

DisplayDriverCode match(std::string text) { return matchHardwareId(&text[0]); }

TEST(MatchHardwareId, EveryKnownIdGivesItsCode) {
    const struct {
        const char* id;
        DisplayDriverCode code;
    } cases[] = {
        {"VEN_121A&DEV_0001", 0},  {"VEN_102B&DEV_051A", 1},  {"VEN_1163&DEV_0001", 2},
        {"VEN_1002&DEV_4750", 8},  {"VEN_1142&DEV_643D", 9},  {"VEN_12D2&DEV_0018", 11},
        {"VEN_104C&DEV_3D07", 12}, {"VEN_102B&DEV_051B", 13}, {"VEN_1163&DEV_2000", 14},
        {"VEN_8086&DEV_7800", 15}, {"VEN_102B&DEV_0521", 16}, {"VEN_121A&DEV_0002", 17},
        {"VEN_10DE&DEV_0020", 19}, {"VEN_121A&DEV_0003", 20}, {"VEN_1002&DEV_4C50", 21},
        {"VEN_5333&DEV_8A20", 22},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, match(c.id)) << c.id;
        EXPECT_EQ(c.code, match(std::string("PCI\\") + c.id + "&SUBSYS_00000000&REV_01\\BUS_01"))
            << c.id;
    }
}

TEST(MatchHardwareId, FirstIdInTableOrderWinsAndNearMissesDoNot) {
    const struct {
        const char* text;
        DisplayDriverCode code;
    } cases[] = {
        // Two ids: the one earlier in the table decides, wherever it stands in the text.
        {"PCI\\VEN_10DE&DEV_0020 VEN_121A&DEV_0001", 0},
        {"PCI\\VEN_5333&DEV_8A20 VEN_1002&DEV_4750", 8},
        {"PCI\\VEN_121A&DEV_0002 VEN_102B&DEV_0521", 16},
        {"PCI\\VEN_8086&DEV_7800 VEN_5333&DEV_8A20", 22},  // the Intel740 comes last
        {"PCI\\VEN_121A&DEV_0004", -1},
        {"PCI\\VEN_121A DEV_0001", -1},
        {"PCI\\VEN_121A&DEV_000", -1},
        {"PCI\\VEN_8086&DEV_1229", -1},
        {"", -1},
        {"ven_121b&dev_0001", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.code, match(c.text)) << c.text;
}

TEST(MatchHardwareId, UpperCasesTheTextInPlaceBeforeMatching) {
    char text[] = "pci\\ven_10de&dev_0020&subsys_0000\xE9z";
    EXPECT_EQ(19, matchHardwareId(text));
    EXPECT_STREQ("PCI\\VEN_10DE&DEV_0020&SUBSYS_0000\xE9Z", text);

    char mixed[] = "PCI\\Ven_1002&Dev_4c50";
    EXPECT_EQ(21, matchHardwareId(mixed));
    EXPECT_STREQ("PCI\\VEN_1002&DEV_4C50", mixed);

    char none[] = "root\\*pnp0a03";
    EXPECT_EQ(-1, matchHardwareId(none));
    EXPECT_STREQ("ROOT\\*PNP0A03", none);
}

}  // namespace
