// The drive table: the machine's fixed disks and CD-ROM drives by name.
#include "drives/drive_table.h"

#include <cstddef>
#include <cstring>

int recordDrive(DriveTable& table, const char* name, DriveKind kind) {
    DriveEntry* list = kind == DriveKind::Fixed   ? table.fixedDrives
                       : kind == DriveKind::CdRom ? table.cdromDrives
                                                  : nullptr;
    const size_t length = std::strlen(name);
    if (!list || length == 0 || length >= static_cast<size_t>(kDriveNameSize)) return 0;
    for (int entry = 0; entry < kDriveTableSize; ++entry) {
        if (list[entry].name[0]) continue;
        std::memcpy(list[entry].name, name, length + 1);
        return 1;
    }
    return 0;
}

int driveNameFromRoot(const char* root, char* name) {
    const char* backslash = std::strchr(root, '\\');
    const size_t length = backslash ? static_cast<size_t>(backslash - root) : std::strlen(root);
    if (length == 0 || length >= static_cast<size_t>(kDriveNameSize)) {
        name[0] = '\0';
        return 0;
    }
    std::memcpy(name, root, length);
    name[length] = '\0';
    return 1;
}
