// The title menu's geometry: hit areas, keyboard moves and where the texts go.
#include "launcher/menu_layout.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct HitCase {
    int x, y, item;
};

TEST(MenuHitTest, ItemsCoverTheirRectanglesAndNothingElse) {
    const HitCase cases[] = {
        {325, 30, kItemPlay},      {619, 88, kItemPlay},        {324, 30, -1},
        {620, 30, -1},             {400, 29, -1},               {400, 89, -1},
        {400, 90, kItemOptions},   {400, 149, -1},              {400, 150, kItemInstall},
        {400, 209, -1},            {400, 269, -1},              {400, 270, kItemSaveFolder},
        {400, 329, -1},            {400, 388, kItemReadme},     {400, 389, -1},
        {325, 390, kItemQuit},     {471, 448, kItemQuit},       {472, 400, -1},
        {473, 400, kItemHomePage}, {619, 448, kItemHomePage},   {473, 449, -1},
        {620, 400, -1},            {100, 100, -1},              {0, 0, -1},
        {639, 479, -1},            {400, 210, kItemUninstall},
    };
    for (const HitCase& c : cases) EXPECT_EQ(menuItemAt(c.x, c.y), c.item) << c.x << "," << c.y;
}

TEST(MenuHitTest, ColumnItemsFollowTheSixtyPixelRule) {
    for (int item = 0; item < 6; ++item) {
        MenuRect rect = menuItemRect(item);
        EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}),
                  (std::vector<int>{325, 30 + 60 * item, 620, 89 + 60 * item}))
            << "item " << item;
    }
}

class MenuKeys : public testing::Test {
protected:
    int highlight[kMenuItemCount] = {};
    void highlightOnly(int item) {
        for (int& flag : highlight) flag = 0;
        highlight[item] = 1;
    }
};

TEST_F(MenuKeys, DownAndUpWrapAround) {
    highlightOnly(kItemHomePage);
    EXPECT_EQ(highlightAfterDown(highlight), kItemPlay);
    highlightOnly(kItemPlay);
    EXPECT_EQ(highlightAfterUp(highlight), kItemHomePage);
    highlightOnly(kItemReadme);
    EXPECT_EQ(highlightAfterDown(highlight), kItemQuit);
    EXPECT_EQ(highlightAfterUp(highlight), kItemSaveFolder);
}

TEST_F(MenuKeys, NothingHighlightedMovesNothing) {
    EXPECT_EQ(highlightAfterDown(highlight), -1);
    EXPECT_EQ(highlightAfterUp(highlight), -1);
    moveHighlightTo(highlight, -1);
    EXPECT_EQ(lowestHighlighted(highlight), -1);
}

TEST_F(MenuKeys, PointerHighlightsTheItemUnderItOnly) {
    highlightOnly(kItemPlay);
    EXPECT_TRUE(highlightItemAt(highlight, 400, 100));
    EXPECT_EQ(lowestHighlighted(highlight), kItemOptions);
    EXPECT_EQ(highlight[kItemPlay], 0);
    // Moving within the highlighted item changes nothing and needs no redraw.
    EXPECT_FALSE(highlightItemAt(highlight, 401, 101));
    EXPECT_EQ(highlight[kItemOptions], 1);
}

// Play waits for any other action; Install and Uninstall wait for each other; the other
// actions never wait.
TEST(MenuActions, WhichRunningActionsBlockWhich) {
    for (int busy = 0; busy < kMenuItemCount; ++busy) {
        int flags[kMenuItemCount] = {};
        flags[busy] = 1;
        for (int item = 0; item < kMenuItemCount; ++item) {
            const bool expected = (item == kItemPlay && busy >= kItemOptions && busy <= kItemQuit) ||
                                  (item == kItemInstall && busy == kItemUninstall) ||
                                  (item == kItemUninstall && busy == kItemInstall);
            EXPECT_EQ(expected, actionBlocked(item, flags)) << "item " << item << ", busy " << busy;
        }
    }
}

TEST(MenuTextPlaces, CentringIsNotClamped) {
    EXPECT_EQ(centredTextX(325, 295, 95), 425);
    EXPECT_EQ(centredTextX(325, 295, 96), 424);  // (295 - 96) / 2 truncates
    EXPECT_EQ(centredTextX(325, 147, 200), 299);  // wider than its column: starts left of it
    EXPECT_EQ(centredTextX(325, 295, 0), 472);
}

TEST(MenuTextPlaces, SavePathIsCentredUpTo285PixelsThenStartsAt330) {
    EXPECT_EQ(savePathTextX(100), 422);
    EXPECT_EQ(savePathTextX(285), 330);
    EXPECT_EQ(savePathTextX(286), 330);
    EXPECT_EQ(savePathTextX(1000), 330);
}

// "text, item, column left + width, row" of a line, "<driver>" or "<save path>" for the texts
// that depend on the settings.
std::string describe(const MenuTextLine& line) {
    const std::string text = line.kind == MenuTextKind::Label      ? line.label
                             : line.kind == MenuTextKind::DriverName ? "<driver>"
                                                                     : "<save path>";
    return text + ", " + std::to_string(line.item) + ", " + std::to_string(line.columnLeft) + " + " +
           std::to_string(line.columnWidth) + ", " + std::to_string(line.y);
}

// The one table the title screen's tests under Wine and end to end read the lines from.
TEST(MenuTextPlaces, EachLineHasItsTextColumnAndRow) {
    const char* const expected[kMenuTextLineCount] = {
        "Play QUARLOCK2, 0, 325 + 295, 53",     "OPTIONS, 1, 325 + 295, 104",
        "<driver>, 1, 325 + 295, 120",          "Install QUARLOCK2, 2, 325 + 295, 173",
        "Uninstall QUARLOCK2, 3, 325 + 295, 233", "SAVE GAME FOLDER, 4, 325 + 295, 286",
        "<save path>, 4, 325 + 295, 300",       "View Readme.txt, 5, 325 + 295, 353",
        "Quit, 6, 325 + 147, 413",              "Briskel's HomePage., 7, 473 + 147, 413",
    };
    for (int index = 0; index < kMenuTextLineCount; ++index) EXPECT_EQ(expected[index], describe(menuTextLine(index)));
    const MenuRect clip = kSavePathClip;
    EXPECT_EQ((std::vector<int>{330, 270, 615, 329}), (std::vector<int>{clip.left, clip.top, clip.right, clip.bottom}));
}

TEST(MenuTextPlaces, LinesFollowTheirItems) {
    int driverLines = 0, pathLines = 0;
    for (int index = 0; index < kMenuTextLineCount; ++index) {
        const MenuTextLine& line = menuTextLine(index);
        MenuRect rect = menuItemRect(line.item);
        EXPECT_GE(line.y, rect.top) << index;
        EXPECT_LT(line.y, rect.bottom) << index;
        if (line.kind == MenuTextKind::DriverName) {
            ++driverLines;
            EXPECT_EQ(line.item, kItemOptions);
        }
        if (line.kind == MenuTextKind::SavePath) {
            ++pathLines;
            EXPECT_EQ(line.item, kItemSaveFolder);
        }
    }
    EXPECT_EQ(driverLines, 1);
    EXPECT_EQ(pathLines, 1);
}

// Where the design draws each panel: the wide one at (325, 30 + 60i), the narrow one behind Quit
// and behind the home page.
TEST(MenuTextPlaces, PanelsSitOnTheirItems) {
    const PanelPlace expected[kMenuItemCount] = {{true, 325, 30},  {true, 325, 90},  {true, 325, 150},
                                                 {true, 325, 210}, {true, 325, 270}, {true, 325, 330},
                                                 {false, 325, 390}, {false, 473, 390}};
    for (int item = 0; item < kMenuItemCount; ++item) {
        const PanelPlace place = highlightPanelPlace(item);
        EXPECT_EQ(std::make_tuple(expected[item].wide, expected[item].x, expected[item].y),
                  std::make_tuple(place.wide, place.x, place.y))
            << item;
    }
}

TEST(TitleWindowPlace, CentresAndGoesNegativeOnSmallScreens) {
    EXPECT_EQ(centredWindowOrigin(1024, 640), 192);
    EXPECT_EQ(centredWindowOrigin(768, 480), 144);
    EXPECT_EQ(centredWindowOrigin(640, 640), 0);
    EXPECT_EQ(centredWindowOrigin(600, 640), -20);
    EXPECT_EQ(centredWindowOrigin(479, 480), 0);  // -1 / 2 truncates toward zero
}

}  // namespace
