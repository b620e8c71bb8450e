// The dialog in which the user picks the folder for saved games.
#pragma once

#include <windows.h>

int chooseSaveFolder(HWND owner);
