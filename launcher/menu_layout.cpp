// Geometry of the title screen's eight-item menu.
#include "launcher/menu_layout.h"

#include "common/launcher_texts.h"

namespace {

constexpr int kColumnLeft = 325;
constexpr int kColumnWidth = 295;
constexpr int kHalfColumnWidth = 147;
constexpr int kHomePageLeft = 473;
constexpr int kSavePathMaxCentredWidth = 285;
constexpr MenuRect kQuitRect = {kColumnLeft, 390, 472, 449};
constexpr MenuRect kHomePageRect = {kHomePageLeft, 390, 620, 449};

constexpr MenuTextLine kTextLines[kMenuTextLineCount] = {
    {MenuTextKind::Label, kPlayLabel, kItemPlay, kColumnLeft, kColumnWidth, 53},
    {MenuTextKind::Label, kOptionsLabel, kItemOptions, kColumnLeft, kColumnWidth, 104},
    {MenuTextKind::DriverName, nullptr, kItemOptions, kColumnLeft, kColumnWidth, 120},
    {MenuTextKind::Label, kInstallLabel, kItemInstall, kColumnLeft, kColumnWidth, 173},
    {MenuTextKind::Label, kUninstallLabel, kItemUninstall, kColumnLeft, kColumnWidth, 233},
    {MenuTextKind::Label, kSaveFolderLabel, kItemSaveFolder, kColumnLeft, kColumnWidth, 286},
    {MenuTextKind::SavePath, nullptr, kItemSaveFolder, kColumnLeft, kColumnWidth, 300},
    {MenuTextKind::Label, kReadmeLabel, kItemReadme, kColumnLeft, kColumnWidth, 353},
    {MenuTextKind::Label, kQuitLabel, kItemQuit, kColumnLeft, kHalfColumnWidth, 413},
    {MenuTextKind::Label, kHomePageLabel, kItemHomePage, kHomePageLeft, kHalfColumnWidth, 413},
};

}  // namespace

MenuRect menuItemRect(int item) {
    if (item >= 0 && item < kItemQuit)
        return {kColumnLeft, 30 + 60 * item, kColumnLeft + kColumnWidth, 89 + 60 * item};
    if (item == kItemQuit) return kQuitRect;
    if (item == kItemHomePage) return kHomePageRect;
    return {0, 0, 0, 0};
}

int menuItemAt(int x, int y) {
    for (int item = 0; item < kMenuItemCount; ++item)
        if (menuItemRect(item).contains(x, y)) return item;
    return -1;
}

bool actionBlocked(int item, const int busyFlags[kMenuItemCount]) {
    switch (item) {
    case kItemPlay:
        for (int other = kItemOptions; other <= kItemQuit; ++other)
            if (busyFlags[other]) return true;
        return false;
    case kItemInstall: return busyFlags[kItemUninstall] != 0;
    case kItemUninstall: return busyFlags[kItemInstall] != 0;
    default: return false;
    }
}

int lowestHighlighted(const int highlight[kMenuItemCount]) {
    for (int item = 0; item < kMenuItemCount; ++item)
        if (highlight[item]) return item;
    return -1;
}

int highlightAfterDown(const int highlight[kMenuItemCount]) {
    int current = lowestHighlighted(highlight);
    return current < 0 ? -1 : (current + 1) % kMenuItemCount;
}

int highlightAfterUp(const int highlight[kMenuItemCount]) {
    int current = lowestHighlighted(highlight);
    return current < 0 ? -1 : (current + kMenuItemCount - 1) % kMenuItemCount;
}

const MenuTextLine& menuTextLine(int index) { return kTextLines[index]; }

int centredTextX(int columnLeft, int columnWidth, int textWidth) {
    return columnLeft + (columnWidth - textWidth) / 2;
}

int savePathTextX(int textWidth) {
    int shown = textWidth < kSavePathMaxCentredWidth ? textWidth : kSavePathMaxCentredWidth;
    return centredTextX(kColumnLeft, kColumnWidth, shown);
}

PanelPlace highlightPanelPlace(int item) {
    const MenuRect rect = menuItemRect(item);
    return {item < kItemQuit, rect.left, rect.top};
}

int centredWindowOrigin(int screenExtent, int windowExtent) {
    return (screenExtent - windowExtent) / 2;
}

bool highlightItemAt(int highlight[kMenuItemCount], int x, int y) {
    for (int item = 0; item < kMenuItemCount; ++item) {
        if (!menuItemRect(item).contains(x, y)) {
            highlight[item] = 0;
            continue;
        }
        if (highlight[item]) return false;
        highlight[item] = 1;
    }
    return true;
}

void moveHighlightTo(int highlight[kMenuItemCount], int item) {
    if (item < 0) return;
    for (int other = 0; other < kMenuItemCount; ++other) highlight[other] = 0;
    highlight[item] = 1;
}
