// Giving a dialog's controls a font, for pages that enumerate their children.
#pragma once

#include <windows.h>

// EnumChildWindows callback: gives the child the font passed as lParam, with redraw, and
// aspect-ratio filtering to the font mapper of its drawing context. Goes on to the next child.
BOOL CALLBACK setChildFont(HWND child, LPARAM font);
