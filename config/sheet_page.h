// What a page of the OPTIONS sheet gives the sheet's frame. The frame runs what every page
// shares: the sheet's font on each control, the answers to OK and Cancel, the font's release.
#pragma once

#include <windows.h>

struct SheetPage {
    int templateId;
    const char* title;
    // When the page is made, after its controls were given the sheet's font.
    void (*initialise)(HWND page, HFONT sheetFont);
    // A command from the page's controls (WM_COMMAND's wParam); TRUE when the page took it.
    INT_PTR (*command)(HWND page, WPARAM wParam);
    // On OK, before the font goes: the page stores what it shows. nullptr for a page whose
    // choices reach the settings record as they are made.
    void (*apply)(HWND page);
    // Before the page paints, or nullptr: the page brings what it shows up to date.
    void (*refresh)(HWND page);
};
