// The dialog in which the user picks the folder for saved games.
#pragma once

#include <windows.h>

// Runs the chooser modally over owner. It opens on launcherSettings.savePath and works on a
// path of its own, which savePath follows while the dialog shows it: OK stores the chosen path
// ("Save Path"); Cancel, and a failed creation, leave savePath as the chooser found it. When
// making a folder failed, or the dialog could not be shown, the user is told and the result
// is 0; otherwise the dialog's own result, 0.
int chooseSaveFolder(HWND owner);

// The chooser's procedure.
INT_PTR CALLBACK saveFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
