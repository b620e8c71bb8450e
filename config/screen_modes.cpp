// The driver list of the Screen adjustment page, its two mappings and the screen mode table.
#include "config/screen_modes.h"

#include "common/text_format.h"

DisplayModeRecord displayModeTable[kDisplayModeRows];

namespace {

struct DriverListEntry {
    const char* text;  // nullptr: the driver name table's entry for the code
    DisplayDriverCode code;
};

// The list spells four cards differently from the driver name table; the list's spelling is what
// the user picks from.
const DriverListEntry kDriverList[kDriverListCount] = {
    {"Voodoo", 0},
    {"Voodoo2", 17},
    {nullptr, 20},  // Voodoo Banshee
    {"Voodoo RUSH", 9},
    {nullptr, 1},   // Mystique
    {nullptr, 16},  // Mystique G200
    {nullptr, 23},  // Millennium G200
    {nullptr, 13},  // Millennium2
    {nullptr, 2},   // Rendition V1000
    {nullptr, 14},  // Rendition V2200
    {nullptr, 11},  // RIVA128
    {nullptr, 19},  // RIVA TNT
    {nullptr, 8},   // 3D RAGE PRO
    {nullptr, 21},  // 3D RAGE LT
    {nullptr, 12},  // PERMEDIA2
    {nullptr, 15},  // Intel740
    {nullptr, 22},  // Savage
    {"Unknown card.", 18},
    {nullptr, 5},   // SOFTWARE VERSION (VIDEO MEMORY)
    {nullptr, 7},   // SOFTWARE VERSION (SYSTEM MEMORY)
};

struct ScreenMode {
    const char* name;
    int32_t width;
    int32_t height;
    int32_t kind;
    const char* description;
};

constexpr int32_t kModeBitDepth = 16;

const ScreenMode kStandardModes[kStandardModeCount] = {
    {"320 x 240 16BitColour FullScreen", 320, 240, 1, "Launch on 320x240 full-screen."},
    {"640 x 480 16BitColour FullScreen", 640, 480, 1, "Launch on 640x480 full-screen."},
    {"320 x 240 (640 x 480) 16BitColour FullScreen", 640, 480, 2,
     "Launch on 640x480 full-screen but on 320x240 game running."},
    {"320 x 240 -> 640 x 480 16BitColour FullScreen", 640, 480, 3,
     "Launch on 640x480 full-screen but game running on 320x240."},
    {"320 x 240 16BitColour Window", 320, 240, 0, "Launch on 320x240 window."},
    {"640 x 480 16BitColour Window", 640, 480, 0, "Launch on 640x480 window."},
    {"320 x 240 -> 640 x 480 16BitColour Window", 640, 480, -1,
     "Launch on 640x480 window but game running on 320x240."},
};

// Voodoo and Voodoo2 run the game in this one mode only.
const ScreenMode kVoodooMode = {"640 x 480 16BitColour FullScreen", 640, 480, 1,
                              "Launch on 640x480 full-screen."};

void fillRow(DisplayModeRecord& row, const ScreenMode& mode) {
    row.width = mode.width;
    row.height = mode.height;
    row.bitDepth = kModeBitDepth;
    row.kind = mode.kind;
    formatText(row.name, sizeof row.name, "%s", mode.name);
}

}  // namespace

const char* driverListText(int position) {
    if (position < 0 || position >= kDriverListCount) return nullptr;
    const DriverListEntry& entry = kDriverList[position];
    return entry.text ? entry.text : driverName(entry.code);
}

DisplayDriverCode driverForListPosition(int position) {
    if (position < 0 || position >= kDriverListCount) return kDriverSoftwareSystemMemory;
    return kDriverList[position].code;
}

int listPositionForDriver(DisplayDriverCode code) {
    for (int position = 0; position < kDriverListCount; ++position) {
        if (kDriverList[position].code == code) return position;
    }
    return kSoftwareSystemMemoryPosition;
}

void buildDisplayModeTable(bool voodooFamilyCard) {
    for (DisplayModeRecord& row : displayModeTable) {
        row.width = 0;
        row.height = 0;
        row.bitDepth = 0;
        row.kind = 0;
        row.name[0] = '\0';
    }
    if (voodooFamilyCard) {
        fillRow(displayModeTable[0], kVoodooMode);
        return;
    }
    for (int position = 0; position < kStandardModeCount; ++position) {
        fillRow(displayModeTable[position], kStandardModes[position]);
    }
}

int displayModeCount() {
    int count = 0;
    while (count < kDisplayModeRows && displayModeTable[count].width != 0) ++count;
    return count;
}

const char* modeDescription(int position, bool voodooFamilyCard) {
    if (voodooFamilyCard) return position == 0 ? kVoodooMode.description : kNoModeDescription;
    if (position < 0 || position >= kStandardModeCount) return kNoModeDescription;
    return kStandardModes[position].description;
}
