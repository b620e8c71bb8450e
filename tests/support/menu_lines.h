// The title menu's text lines, taken from the product's table for the tests that look at them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/menu_layout.h"

// The colours the screen shows the menu texts in: the highlighted item's and the others'.
constexpr COLORREF kOrange = RGB(255, 120, 30);
constexpr COLORREF kGrey = RGB(184, 184, 184);

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
