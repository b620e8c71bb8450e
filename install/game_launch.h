// Starting the game executable.
#pragma once

#include <windows.h>

// 1 when the game was started.
int launchGame(HWND owner);
