// The Screen adjustment page's rules: the driver list and its codes, the screen modes offered
// for a driver and the descriptions shown for them.
#pragma once

#include <cstdint>

#include "config/display_drivers.h"

// The driver list shows twenty entries in a fixed order; the last is the software fallback.
constexpr int kDriverListCount = 20;
constexpr int kSoftwareSystemMemoryPosition = 19;

// Text of the list entry at a position, or nullptr outside the list.
const char* driverListText(int position);
// The code of the entry at a position; no selection (-1) or any other position gives 7.
DisplayDriverCode driverForListPosition(int position);
// The entry for a code; unassigned codes and codes outside 0 to 23 give position 19.
int listPositionForDriver(DisplayDriverCode code);

constexpr int kDisplayModeRows = 100;
constexpr int kDisplayModeNameSize = 260;
constexpr int kStandardModeCount = 7;

// kind: 1 full screen, 2 and 3 full screen with the game running at 320 x 240,
// 0 window, -1 window with the game running at 320 x 240.
struct DisplayModeRecord {
    int32_t width;
    int32_t height;
    int32_t bitDepth;
    int32_t kind;
    char name[kDisplayModeNameSize];
};

// The modes offered for the current driver; a row whose width is 0 ends the list.
extern DisplayModeRecord displayModeTable[kDisplayModeRows];

// Clears every row, then fills the single Voodoo-family mode or the seven standard modes.
void buildDisplayModeTable(bool voodooFamilyCard);
// Rows before the first one whose width is 0.
int displayModeCount();

// Shown for a mode list without a selection, such as a stored mode the list does not offer.
constexpr const char* kNoModeDescription = "Choose a screen resolution from the list above.";

// Description of the mode at a position of the list offered for the card;
// kNoModeDescription for -1 and any position the list does not have.
const char* modeDescription(int position, bool voodooFamilyCard);
