// Running the uninstaller from the CD.
#pragma once

#include <windows.h>

int runUninstaller(HWND owner);
