// The readme viewer: readme.txt of the current folder in a read-only text box.
#pragma once

#include <windows.h>

// 1 when readme.txt in the current folder can be opened for reading.
int readmeExists();
// 0 when closed with OK, -1 with Escape or a close request.
INT_PTR showReadme(HWND owner);
