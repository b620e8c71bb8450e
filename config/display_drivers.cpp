// The driver name table and the PCI ids that identify the 3D cards the game supports.
#include "config/display_drivers.h"

#include <cstring>

namespace {

// Shift-JIS for "vacant number": the entries of the unassigned codes 3, 4, 6 and 10.
constexpr const char* kVacant = "\x8C\x87\x94\xD4";
constexpr DisplayDriverCode kDriverUnknownCard = 18;

const char* const kDriverNames[kDriverNameCount] = {
    "VooDoo",
    "Mystique",
    "Rendition V1000",
    kVacant,
    kVacant,
    "SOFTWARE VERSION (VIDEO MEMORY)",
    kVacant,
    "SOFTWARE VERSION (SYSTEM MEMORY)",
    "3D RAGE PRO",
    "VooDoo RUSH",
    kVacant,
    "RIVA128",
    "PERMEDIA2",
    "Millennium2",
    "Rendition V2200",
    "Intel740",
    "Mystique G200",
    "VooDoo2",
    "Unknown Card",
    "RIVA TNT",
    "Voodoo Banshee",
    "3D RAGE LT",
    "Savage",
    "Millennium G200",
};

struct HardwareId {
    const char* id;
    DisplayDriverCode code;
};

// Searched in this order; the first id contained in the text decides. The Intel740 comes
// last so that it never takes a text away from the cards listed before it.
const HardwareId kHardwareIds[] = {
    {"VEN_121A&DEV_0001", 0},  {"VEN_102B&DEV_051A", 1},  {"VEN_1163&DEV_0001", 2},
    {"VEN_1002&DEV_4750", 8},  {"VEN_1142&DEV_643D", 9},  {"VEN_12D2&DEV_0018", 11},
    {"VEN_104C&DEV_3D07", 12}, {"VEN_102B&DEV_051B", 13}, {"VEN_1163&DEV_2000", 14},
    {"VEN_102B&DEV_0521", 16}, {"VEN_121A&DEV_0002", 17}, {"VEN_10DE&DEV_0020", 19},
    {"VEN_121A&DEV_0003", 20}, {"VEN_1002&DEV_4C50", 21}, {"VEN_5333&DEV_8A20", 22},
    {"VEN_8086&DEV_7800", kDriverIntel740},
};

void upperCaseAscii(char* text) {
    for (; *text; ++text) {
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
    }
}

}  // namespace

const char* driverName(DisplayDriverCode code) {
    if (code < 0 || code >= kDriverNameCount) return kDriverNames[kDriverUnknownCard];
    return kDriverNames[code];
}

bool voodooFamily(DisplayDriverCode code) {
    return code == kDriverVoodoo || code == kDriverVoodoo2;
}

DisplayDriverCode matchHardwareId(char* text) {
    upperCaseAscii(text);
    for (const HardwareId& known : kHardwareIds) {
        if (std::strstr(text, known.id)) return known.code;
    }
    return -1;
}
