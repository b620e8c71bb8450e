// Giving a dialog's controls a font.
#include "common/child_font.h"

#include "common/win_handles.h"

BOOL CALLBACK setChildFont(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    WindowDC dc(child);
    SetMapperFlags(dc.get(), 1);
    return TRUE;
}
