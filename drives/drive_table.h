// The drive table: the machine's fixed disks and CD-ROM drives by name; no Win32 here.
#pragma once

constexpr int kDriveTableSize = 26;  // one entry per drive letter
constexpr int kDriveNameSize = 4;    // "C:" and its zero, with room for one more

struct DriveEntry {
    char name[kDriveNameSize];  // "C:", no backslash; empty after the last drive of a list
};

// The fixed disks (for the save-folder chooser) and the CD-ROM drives (for the file lookup),
// each in the order the system lists them. A list of 26 has no empty end entry: readers
// stop at the first empty name or after the 26th entry.
struct DriveTable {
    DriveEntry fixedDrives[kDriveTableSize];
    DriveEntry cdromDrives[kDriveTableSize];
};

enum class DriveKind { Fixed, CdRom, Other };

// Adds a drive to the list of its kind, after that list's last entry; other kinds, names that
// do not fit an entry and drives beyond the 26th of a list are left out. 1 when it was added.
int recordDrive(DriveTable& table, const char* name, DriveKind kind);

// The drive name of a logical drive root: the root cut at its first backslash ("C:\" -> "C:").
// name holds kDriveNameSize characters; 0 (name emptied) when the name would not fit or is empty.
int driveNameFromRoot(const char* root, char* name);
