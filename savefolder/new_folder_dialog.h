// The small dialog that asks for a new folder's name and makes that folder.
#pragma once

#include <windows.h>

#include "common/path_buffer.h"

// The dialog's procedure; the dialog's creation parameter is the path buffer it works on.
INT_PTR CALLBACK newFolderNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs it modally over owner on path, which holds the parent folder, ending with a backslash.
// It ends with 0 when it made the folder, path then holding the parent followed by the name
// (no final backslash), with 1 when it made nothing (path unchanged), and -1 when it could
// not be shown.
INT_PTR runNewFolderNameDialog(HWND owner, char (&path)[kPathBufferSize]);
