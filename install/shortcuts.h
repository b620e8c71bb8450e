// The uninstaller copy, its Add/Remove Programs entry and the Start-menu shortcuts.
#pragma once

#include <windows.h>

// At every start, before any window exists: when the Windows folder holds no uninstaller,
// copies the one from regist\ beside the launcher there (normal attributes, whatever the
// CD's file has) and registers it with Add/Remove Programs; then, when the shell names a
// Programs folder, (re)writes ORVANE\QUARLOCK2\QUARLOCK2.lnk to the running launcher and
// Uninstall.lnk to the copy. Silent: nothing here can stop the start.
void registerShortcutsAndUninstaller();

// The Add/Remove Programs entry "QUARLOCK2" under HKEY_LOCAL_MACHINE: "DisplayName" and
// "UninstallString" = uninstallerPath. 1 on success; 0 at the first failure, and before
// writing anything when uninstallerPath does not fit 259 characters.
int registerUninstallEntry(const char* uninstallerPath);

// The current user's "Programs" folder as the shell records it, into folder (size
// characters). 1 when read whole; 0 (folder empty) when missing, empty or too long.
int readProgramsFolder(char* folder, DWORD size);

// Saves the shortcut linkFile to target, with target's folder as working folder and the
// description. Answers the save's result, or that of the step that failed before it.
HRESULT createShellLink(const char* target, const char* linkFile, const char* description);
