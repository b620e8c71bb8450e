// Showing the numbered user messages in a message box.
#pragma once

#include <windows.h>

#include <cstdint>

// Owner of the catalogue's boxes: none until the DirectX offer names the title window.
extern HWND messageOwner;

constexpr const char* kGameTitle = "QUARLOCK2";

void showMessage(uint32_t code);
