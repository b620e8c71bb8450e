// Start-up checks, the title window's creation and the message loop.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Held from the start's double-start check until the launcher ends; it is never owned, so
// closing it is all there is to letting it go.
extern KernelHandle launcherMutex;

constexpr const char* kLauncherMutexName = "QUARLOCK2 PC Launch DoubleStart Check";

// 1 when the launcher, the game, its setup or its uninstaller is already running.
int anotherProgramRunning();
// Creates the launch mutex into launcherMutex. 0 (and no mutex kept) when it existed already:
// another launcher started between the check above and now. A mutex that cannot be created
// at all leaves the launcher without the guard, and 1.
int claimLauncherMutex();

// The message loop: polls the child watch before each message is handled; answers the quit
// message's exit code, or 1 when the wait for a message fails.
int runMessageLoop();

// Runs the launcher and answers the process exit code.
int runLauncher(HINSTANCE instance);
