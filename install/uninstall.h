// Running the uninstaller from the CD and waiting for it.
#pragma once

#include <windows.h>

// "Uninstall": starts regist\Qlk2_uninst.exe where the file lookup finds it (normally on the
// CD) in its own folder, without a command line, and waits for it to end, whatever its exit
// code; the launcher's current folder is then the root of its drive. 0 when the Install
// action is running (silently) or the uninstaller is nowhere (after the lookup's message); 1
// otherwise, also when it could not be started (after kUninstallStartError).
int runUninstaller(HWND owner, bool installRunning);
