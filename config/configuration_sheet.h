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

// Gives each control of the page sheetFont; every page calls it when it is initialised.
void applySheetFont(HWND page);
// Destroys sheetFont if it is still held; every page calls it on OK and on Cancel.
void releaseSheetFont(HWND page);
// Tells the sheet that the page changed the settings. The first page does so once it is shown:
// comctl32 documents that the sheet answers 0, which the frame takes for Cancel, when OK was
// pressed and no page had reported a change.
void reportSheetChanged(HWND sheet, HWND page);
// Answers a sheet notification as handled without a veto, so OK and Cancel always close.
INT_PTR acceptSheetNotification(HWND page);
