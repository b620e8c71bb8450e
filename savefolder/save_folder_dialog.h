// The dialog in which the user picks the folder for saved games.
#pragma once

#include <windows.h>

// Runs the chooser modally over owner. It works on launcherSettings.savePath: OK stores the
// chosen path ("Save Path"), Cancel puts back the path it opened with. When making a folder
// failed, or the dialog could not be shown, the user is told and the result is 0; otherwise
// the dialog's own result, 0.
int chooseSaveFolder(HWND owner);

// The chooser's procedure.
INT_PTR CALLBACK saveFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
