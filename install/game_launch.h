// Starting the game executable: from where setup registered it, or from the CD.
#pragma once

#include <windows.h>

// The game on the CD, relative to its root.
constexpr const char* kGameRelativeName = "regist\\MirelP.exe";

// "Play": completes the game's registry values, finds the game and starts it without waiting.
// 1 when the game was started (the caller then ends the launcher); 0 when another menu action
// is still running (silently) or after telling the user what failed.
int launchGame(HWND owner, bool anotherActionRunning);
