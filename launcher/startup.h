// Start-up checks, the title window's creation and the message loop.
#pragma once

#include <windows.h>

extern HINSTANCE appInstance;
extern HANDLE launcherMutex;

constexpr const char* kLauncherMutexName = "QUARLOCK2 PC Launch DoubleStart Check";
constexpr const char* kColourDepthWarning =
    "QUARLOCK2 can be run in 16-bit depth only.\nPlease change the color depth to 16-bit.";

// 1 when the launcher, the game, its setup or its uninstaller is already running.
int anotherProgramRunning();

// Runs the launcher and answers the process exit code.
int runLauncher(HINSTANCE instance);
