// Composing the title screen: the pictures, the highlight panel and the menu texts.
#pragma once

#include <windows.h>

// Builds one palette per drawn bitmap from its colour table; 0 when a bitmap is missing
// (the others are still built and drawn).
int loadTitlePalettes();
void deleteTitlePalettes();

int drawTitleImages(HWND window, HDC dc);
// Sets the window title and draws the menu lines; 0 when it stopped early.
int drawMenuTexts(HWND window, HDC dc);

constexpr COLORREF kMenuTextColour = RGB(184, 184, 184);
constexpr COLORREF kHighlightTextColour = RGB(255, 120, 30);
