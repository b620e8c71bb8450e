// The OPTIONS property sheet.
#pragma once

#include <windows.h>

int runConfigurationSheet(HWND owner);
