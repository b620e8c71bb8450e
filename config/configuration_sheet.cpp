// The OPTIONS property sheet.
#include "config/configuration_sheet.h"

int runConfigurationSheet(HWND) { return 0; }
