// The machine's fixed disks and CD-ROM drives, surveyed once at start.
#include "drives/drive_survey.h"

#include <windows.h>

#include <cstring>

DriveTable driveTable;

namespace {

constexpr DWORD kRootListSize = 256;

DriveKind kindOfDrive(const char* root) {
    switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_CDROM: return DriveKind::CdRom;
    default: return DriveKind::Other;
    }
}

}  // namespace

int surveyDrives() {
    std::memset(driveTable.fixedDrives, 0, sizeof driveTable.fixedDrives);
    // Room for the list's closing empty string too, whatever the system answers.
    char roots[kRootListSize + 2] = {};
    const DWORD length = GetLogicalDriveStringsA(kRootListSize, roots);
    if (length == 0 || length > kRootListSize) return 1;
    for (const char* root = roots; *root && root < roots + length; root += std::strlen(root) + 1) {
        char name[kDriveNameSize];
        char driveRoot[kDriveNameSize + 1];
        if (!driveNameFromRoot(root, name)) continue;
        std::strcpy(driveRoot, name);
        std::strcat(driveRoot, "\\");
        recordDrive(driveTable, name, kindOfDrive(driveRoot));
    }
    return 1;
}
