// The sheet's first page: the display driver and the screen mode.
#pragma once

#include <windows.h>

#include "config/sheet_page.h"

extern const SheetPage kScreenAdjustmentPage;

// Rebuilds the mode table for the card family, fills the mode list from it and selects
// displayMode there; a Voodoo-family card sets displayMode to 0 first.
void fillDisplayModeList(HWND page, bool voodooFamilyCard);
