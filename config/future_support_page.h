// The sheet's third page: four raw values for later patches.
#pragma once

#include <windows.h>

INT_PTR CALLBACK futureSupportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
