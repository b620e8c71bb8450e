// Composing the title screen: the pictures, the highlight panel and the menu texts.
#include "launcher/title_render.h"

#include "common/launcher_texts.h"
#include "common/module_instance.h"
#include "common/win_handles.h"
#include "config/display_drivers.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"

#include <cstring>

namespace {

enum TitleBitmap { kWidePanel, kNarrowPanel, kBackground, kTitleBitmapCount };
const WORD kBitmapIds[kTitleBitmapCount] = {IDB_HIGHLIGHT_WIDE, IDB_HIGHLIGHT_NARROW, IDB_TITLE};

GdiObject<HPALETTE> titlePalettes[kTitleBitmapCount];
DWORD paletteColours[kTitleBitmapCount];
// The one drawing context that holds a title palette.
SelectedPalette selectedPalette;

// The bitmap resource as stored: header, colour table, pixels. Resources need no freeing.
const BITMAPINFOHEADER* loadBitmapResource(WORD id) {
    HRSRC resource = FindResourceA(appInstance, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(appInstance, resource);
    if (!loaded) return nullptr;
    auto header = static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
    if (!header || SizeofResource(appInstance, resource) < sizeof(BITMAPINFOHEADER)) return nullptr;
    return header;
}

DWORD colourCount(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed) return header.biClrUsed;
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

HPALETTE createPaletteFromColourTable(const BITMAPINFOHEADER& header, DWORD colours) {
    SIZE_T bytes = sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY);
    GlobalBlock block(bytes);
    auto palette = static_cast<LOGPALETTE*>(block.data());
    if (!palette) return nullptr;
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    auto table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(&header) + header.biSize);
    for (DWORD entry = 0; entry < colours; ++entry) {
        palette->palPalEntry[entry].peRed = table[entry].rgbRed;
        palette->palPalEntry[entry].peGreen = table[entry].rgbGreen;
        palette->palPalEntry[entry].peBlue = table[entry].rgbBlue;
    }
    return CreatePalette(palette);
}

// Draws one bitmap resource at (x, y); 0 when it could not be loaded.
int drawBitmap(HDC dc, TitleBitmap bitmap, int x, int y) {
    const BITMAPINFOHEADER* header = loadBitmapResource(kBitmapIds[bitmap]);
    if (!header) return 0;
    if (titlePalettes[bitmap]) {
        selectedPalette.select(dc, titlePalettes[bitmap].get());
        RealizePalette(dc);
    }
    const BYTE* pixels =
        reinterpret_cast<const BYTE*>(header) + header->biSize + colourCount(*header) * sizeof(RGBQUAD);
    SetDIBitsToDevice(dc, x, y, header->biWidth, header->biHeight, 0, 0, 0, header->biHeight, pixels,
                      reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    return 1;
}

COLORREF lineColour(int highlighted) { return highlighted ? kHighlightTextColour : kMenuTextColour; }

int textWidth(HDC dc, const char* text, int length) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

int drawMenuLine(HDC dc, const MenuTextLine& line, const MenuHighlight& highlight) {
    SetTextColor(dc, lineColour(highlight[line.item]));
    if (line.kind == MenuTextKind::SavePath) {
        const char* path = launcherSettings.savePath;
        int length = static_cast<int>(strnlen(path, kPathBufferSize));
        static const RECT clip = {kSavePathClip.left, kSavePathClip.top, kSavePathClip.right,
                                  kSavePathClip.bottom};
        return ExtTextOutA(dc, savePathTextX(textWidth(dc, path, length)), line.y, ETO_CLIPPED, &clip,
                           path, length, nullptr);
    }
    const char* text = line.kind == MenuTextKind::DriverName ? driverName(launcherSettings.displayDriver)
                                                              : line.label;
    int length = static_cast<int>(std::strlen(text));
    int x = centredTextX(line.columnLeft, line.columnWidth, textWidth(dc, text, length));
    return TextOutA(dc, x, line.y, text, length);
}

}  // namespace

int loadTitlePalettes() {
    deleteTitlePalettes();
    // A bitmap that cannot be loaded ends the loading: it and the ones after it have no palette.
    for (int bitmap = 0; bitmap < kTitleBitmapCount; ++bitmap) {
        const BITMAPINFOHEADER* header = loadBitmapResource(kBitmapIds[bitmap]);
        if (!header) return 0;
        paletteColours[bitmap] = colourCount(*header);
        titlePalettes[bitmap].reset(createPaletteFromColourTable(*header, paletteColours[bitmap]));
    }
    return 1;
}

void deleteTitlePalettes() {
    selectedPalette.restore();
    for (GdiObject<HPALETTE>& palette : titlePalettes) palette.reset();
}

int drawTitleImages(HWND, HDC dc, const MenuHighlight& highlight) {
    if (!drawBitmap(dc, kBackground, 0, 0)) {
        static const RECT whole = {0, 0, kTitleWidth, kTitleHeight};
        FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    for (int item = 0; item < kMenuItemCount; ++item) {
        if (!highlight[item]) continue;
        PanelPlace place = highlightPanelPlace(item);
        drawBitmap(dc, place.wide ? kWidePanel : kNarrowPanel, place.x, place.y);
    }
    return 1;
}

int drawMenuTexts(HWND window, HDC dc, const MenuHighlight& highlight) {
    if (!SetWindowTextA(window, kGameTitle)) return 0;
    SetBkMode(dc, TRANSPARENT);
    GdiObject<HFONT> font(CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FF_ROMAN | DEFAULT_PITCH, "Times New Roman"));
    SetMapperFlags(dc, 1);
    SelectedObject selected(dc, font.get());
    for (int index = 0; index < kMenuTextLineCount; ++index)
        if (!drawMenuLine(dc, menuTextLine(index), highlight)) return 0;
    return 1;
}
