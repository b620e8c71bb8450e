// The machine's fixed disks and CD-ROM drives, surveyed once at start.
#include "install/drive_survey.h"

// The drive table is filled once the file lookup that reads it exists.
void surveyDrives() {}
