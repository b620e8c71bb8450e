// The OPTIONS property sheet: the frame around its three pages and the protocol they share.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// The font of every page's controls; held from the sheet's start until the first page sees
// OK or Cancel, or at the latest until the sheet has closed.
extern GdiObject<HFONT> sheetFont;

// Runs the sheet over owner; OK saves the settings record, Cancel puts back what the pages
// changed. Always answers 0.
int runConfigurationSheet(HWND owner);
