// Geometry of the title screen's eight-item menu: hit areas, keyboard moves, text places.
#pragma once

constexpr int kTitleWidth = 640;
constexpr int kTitleHeight = 480;
constexpr int kMenuItemCount = 8;

enum MenuItem {
    kItemPlay = 0,
    kItemOptions = 1,
    kItemInstall = 2,
    kItemUninstall = 3,
    kItemSaveFolder = 4,
    kItemReadme = 5,
    kItemQuit = 6,
    kItemHomePage = 7,
};

// Right and bottom are exclusive.
struct MenuRect {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

MenuRect menuItemRect(int item);
// The first item whose rectangle holds the point, or -1 (the drag region).
int menuItemAt(int x, int y);

// Whether another running action keeps item's action from starting: Play waits while any other
// action (items 1 to 6) runs, Install while Uninstall does and Uninstall while Install does.
bool actionBlocked(int item, const int busyFlags[kMenuItemCount]);

// Keyboard moves: the lowest highlighted item passes the highlight on, wrapping round.
// Returns the new highlighted item, or -1 when none was highlighted.
int highlightAfterDown(const int highlight[kMenuItemCount]);
int highlightAfterUp(const int highlight[kMenuItemCount]);
int lowestHighlighted(const int highlight[kMenuItemCount]);

// One line of menu text: which item it follows, its column and the top of its text cell.
enum class MenuTextKind { Label, DriverName, SavePath };
struct MenuTextLine {
    MenuTextKind kind;
    const char* label;  // for Label lines
    int item;
    int columnLeft, columnWidth, y;
};
constexpr int kMenuTextLineCount = 10;
const MenuTextLine& menuTextLine(int index);

// Centred in its column without clamping: a text wider than the column starts left of it.
int centredTextX(int columnLeft, int columnWidth, int textWidth);
// The save path is centred while it is at most 285 pixels wide, then starts at 330.
int savePathTextX(int textWidth);
constexpr MenuRect kSavePathClip = {330, 270, 615, 329};

struct PanelPlace {
    bool wide;  // the full-column panel, else the half-width one
    int x, y;
};
PanelPlace highlightPanelPlace(int item);

// Title window centring: negative on screens smaller than the title picture.
int centredWindowOrigin(int screenExtent, int windowExtent);

// Pointer over the menu: highlights the item under (x, y) and clears the others. Returns
// false when that item was already highlighted (nothing changes, nothing to redraw).
bool highlightItemAt(int highlight[kMenuItemCount], int x, int y);
// Moves the highlight to item; -1 leaves it as it is.
void moveHighlightTo(int highlight[kMenuItemCount], int item);
