// The Screen adjustment page's rules: the driver list with its two mappings, the mode table
// and the descriptions, out-of-range values included.
#include "config/screen_modes.h"

#include <climits>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

namespace {

// The codes are what the game reads: position by position, and back again.
TEST(DriverList, MappingsAreInverseOnTheListedCodes) {
    const DisplayDriverCode codes[kDriverListCount] = {0, 17, 20, 9, 1, 16, 23, 13, 2, 14,
                                                       11, 19, 8, 21, 12, 15, 22, 18, 5, 7};
    EXPECT_STREQ("Voodoo", driverListText(0));
    EXPECT_STREQ("Unknown card.", driverListText(17));
    EXPECT_STREQ("SOFTWARE VERSION (SYSTEM MEMORY)", driverListText(kSoftwareSystemMemoryPosition));
    std::set<DisplayDriverCode> listed;
    for (int position = 0; position < kDriverListCount; ++position) {
        const DisplayDriverCode code = driverForListPosition(position);
        EXPECT_EQ(codes[position], code) << "position " << position;
        EXPECT_TRUE(listed.insert(code).second) << "code " << code << " listed twice";
        EXPECT_EQ(position, listPositionForDriver(code)) << "code " << code;
    }
    EXPECT_EQ(20u, listed.size());
}

TEST(DriverList, EverythingElseFallsBackToSystemMemory) {
    for (const DisplayDriverCode code : {3, 4, 6, 10, -1, -2, 24, 100, INT_MIN, INT_MAX}) {
        EXPECT_EQ(kSoftwareSystemMemoryPosition, listPositionForDriver(code)) << "code " << code;
    }
    for (const int position : {-1, 20, 21, INT_MIN, INT_MAX}) {
        EXPECT_EQ(7, driverForListPosition(position)) << "position " << position;
        EXPECT_EQ(nullptr, driverListText(position)) << "position " << position;
    }
}

// The names are checked on the real page; here the values the list does not show.
TEST(DisplayModeTable, StandardCardsGetSevenSixteenBitModes) {
    const struct {
        int32_t width, height, kind;
    } expected[kStandardModeCount] = {{320, 240, 1}, {640, 480, 1}, {640, 480, 2}, {640, 480, 3},
                                      {320, 240, 0}, {640, 480, 0}, {640, 480, -1}};
    buildDisplayModeTable(false);
    ASSERT_EQ(kStandardModeCount, displayModeCount());
    for (int row = 0; row < kStandardModeCount; ++row) {
        const DisplayModeRecord& mode = displayModeTable[row];
        EXPECT_EQ(std::make_tuple(expected[row].width, expected[row].height, 16, expected[row].kind),
                  std::make_tuple(mode.width, mode.height, mode.bitDepth, mode.kind))
            << "row " << row;
    }
}

// A rebuild clears every row first, so a shorter list leaves nothing of a longer one behind.
TEST(DisplayModeTable, VoodooFamilyGetsOneModeAfterAnyEarlierFill) {
    buildDisplayModeTable(false);
    buildDisplayModeTable(true);
    ASSERT_EQ(1, displayModeCount());
    const DisplayModeRecord& only = displayModeTable[0];
    EXPECT_STREQ("640 x 480 16BitColour FullScreen", only.name);
    EXPECT_EQ(std::make_tuple(640, 480, 16, 1), std::make_tuple(only.width, only.height, only.bitDepth, only.kind));
    for (int row = 1; row < kDisplayModeRows; ++row) {
        const DisplayModeRecord& mode = displayModeTable[row];
        EXPECT_TRUE(mode.width == 0 && mode.height == 0 && mode.bitDepth == 0 && mode.kind == 0 &&
                    mode.name[0] == '\0')
            << "row " << row;
    }
    EXPECT_STREQ("Launch on 640x480 full-screen.", modeDescription(0, true));
    buildDisplayModeTable(false);
    EXPECT_EQ(kStandardModeCount, displayModeCount());
}

// Stored modes the list does not offer describe no mode, never a text past the table.
TEST(ModeDescription, PositionsOutsideTheListAskForAChoice) {
    const struct {
        int position;
        bool voodoo;
    } cases[] = {{-1, false}, {7, false}, {99, false}, {INT_MAX, false}, {INT_MIN, false},
                 {-1, true},  {1, true},  {6, true},   {INT_MAX, true}};
    for (const auto& c : cases) {
        EXPECT_STREQ(kNoModeDescription, modeDescription(c.position, c.voodoo))
            << "position " << c.position << (c.voodoo ? ", Voodoo family" : "");
    }
}

}  // namespace
