// The machine's fixed disks and CD-ROM drives, surveyed once at start.
#pragma once

#include "install/path_rules.h"

constexpr int kDriveTableSize = 26;  // one entry per drive letter

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

extern DriveTable driveTable;

enum class DriveKind { Fixed, CdRom, Other };

// Adds a drive to the list of its kind, after that list's last entry; other kinds, names that
// do not fit an entry and drives beyond the 26th of a list are left out. 1 when it was added.
int recordDrive(DriveTable& table, const char* name, DriveKind kind);  // in path_rules.cpp

// Clears fixedDrives and records every fixed disk and CD-ROM drive of the machine; always 1.
// cdromDrives is only added to: the survey runs once per run.
int surveyDrives();
