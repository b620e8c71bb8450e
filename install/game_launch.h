// Starting the game executable, and the way every program of the CD is started.
#pragma once

#include <windows.h>

// Starts path as the launcher starts every program: path as application name, commandLine
// (may be nullptr; CreateProcessA may write into it), no inherited handles, a new console,
// the launcher's environment, folder as working directory (nullptr or "": the launcher's own).
// The caller owns and closes both handles in info on success.
BOOL startProgram(const char* path, char* commandLine, const char* folder,
                  PROCESS_INFORMATION& info);

// The game on the CD, relative to its root.
constexpr const char* kGameRelativeName = "regist\\MirelP.exe";

// "Play": completes the game's registry values, finds the game and starts it without waiting.
// 1 when the game was started (the caller then ends the launcher); 0 when another menu action
// is busy (silently) or after telling the user what failed.
int launchGame(HWND owner);
