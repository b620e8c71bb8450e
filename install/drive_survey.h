// The machine's fixed disks and CD-ROM drives, surveyed once at start.
#pragma once

void surveyDrives();
