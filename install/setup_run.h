// "Install": running the CD's setup.
#pragma once

#include <windows.h>

// Starts regist\Qlk2_inst.exe where the file lookup finds it (normally on the CD), in its own
// folder and without a command line, and waits for it to end, whatever its exit code. 0 when
// the Uninstall action is running (silently) or setup is nowhere (after the lookup's message);
// 1 otherwise, also when it could not be started (after kSetupStartError, in a box without owner).
int runSetup(HWND owner, bool uninstallRunning);
