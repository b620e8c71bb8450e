// The small dialog that asks for a new folder's name and makes that folder.
#pragma once

#include <windows.h>

// The dialog's procedure. While it runs, launcherSettings.savePath holds the parent folder,
// ending with a backslash. It ends with 0 when it made the folder, savePath then holding the
// parent followed by the name (no final backslash), and with 1 when it made nothing.
INT_PTR CALLBACK newFolderNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs it modally over owner; its result, or -1 when it could not be shown.
INT_PTR runNewFolderNameDialog(HWND owner);
