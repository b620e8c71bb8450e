// The title menu's text lines, taken from the product's table, with their font and colours, for
// the tests that look at them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/menu_layout.h"

// The colours the screen shows the menu texts in: the highlighted item's and the others'.
constexpr COLORREF kOrange = RGB(255, 120, 30);
constexpr COLORREF kGrey = RGB(184, 184, 184);

// The font the title screen writes the menu in: bold 14-pixel Times New Roman.
inline HFONT createMenuFont() {
    return CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
}

inline std::vector<MenuTextLine> menuTextLines() {
    std::vector<MenuTextLine> lines;
    for (int index = 0; index < kMenuTextLineCount; ++index) lines.push_back(menuTextLine(index));
    return lines;
}

// The line that shows the driver name or the save path.
inline MenuTextLine menuLineOf(MenuTextKind kind) {
    for (const MenuTextLine& line : menuTextLines())
        if (line.kind == kind) return line;
    return menuTextLine(0);
}

// What a line is called in failure messages.
inline std::string menuLineName(const MenuTextLine& line) {
    if (line.kind == MenuTextKind::DriverName) return "driver name";
    return line.kind == MenuTextKind::SavePath ? "save path" : line.label;
}
