// The machine's fixed disks and CD-ROM drives, surveyed once at start.
#pragma once

#include "drives/drive_table.h"

extern DriveTable driveTable;

// Clears fixedDrives and records every fixed disk and CD-ROM drive of the machine; always 1.
// cdromDrives is only added to: the survey runs once per run.
int surveyDrives();
