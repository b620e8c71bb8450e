// Drive letters of the test prefix, changed and given back.
#pragma once

#include <windows.h>

#include <set>
#include <string>

// Drive letters changed through Wine's mount manager, as winecfg does: unlike a new dosdevices
// link, GetLogicalDriveStrings and GetDriveType see the change at once, without restarting
// the wineserver, and every process of the prefix sees it. Every letter changed is removed
// again, C: given back to the prefix's drive_c and D: to the demo CD.
class DriveLayout {
public:
    DriveLayout() = default;
    ~DriveLayout();
    DriveLayout(const DriveLayout&) = delete;
    DriveLayout& operator=(const DriveLayout&) = delete;

    bool define(char letter, UINT type, const std::string& folder);
    // A letter for a folder of the Unix side, such as /proc, whose file system has no room.
    bool defineUnix(char letter, UINT type, const std::string& unixFolder);
    bool remove(char letter) { return defineUnix(letter, DRIVE_NO_ROOT_DIR, ""); }

private:
    std::set<char> touched_;
};
