// Giving a dialog's controls a font.
#include "common/child_font.h"

BOOL CALLBACK setChildFont(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    HDC dc = GetDC(child);
    SetMapperFlags(dc, 1);
    ReleaseDC(child, dc);
    return TRUE;
}
