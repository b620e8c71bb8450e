// Composing the title screen: the pictures, the highlight panel and the menu texts.
#pragma once

#include <windows.h>

#include "launcher/menu_layout.h"

// Which items are drawn highlighted: 1 for each, at most one.
using MenuHighlight = int[kMenuItemCount];

// Builds one palette per drawn bitmap from its colour table; 0 when a bitmap is missing
// (the others are still built and drawn).
int loadTitlePalettes();
// Puts the original palette back into the context that holds a title palette, then deletes
// the palettes: none is ever deleted while selected.
void deleteTitlePalettes();

// Leaves the last bitmap's palette selected into dc (and no title palette in any other
// context) until the next drawing or deleteTitlePalettes.
int drawTitleImages(HWND window, HDC dc, const MenuHighlight& highlight);
// Sets the window title and draws the menu lines; 0 when it stopped early.
int drawMenuTexts(HWND window, HDC dc, const MenuHighlight& highlight);

constexpr COLORREF kMenuTextColour = RGB(184, 184, 184);
constexpr COLORREF kHighlightTextColour = RGB(255, 120, 30);
