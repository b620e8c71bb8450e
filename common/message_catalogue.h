// Showing the numbered user messages in a message box.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/message_texts.h"

// Owner of the catalogue's boxes: none until the DirectX offer names the title window.
extern HWND messageOwner;

void showMessage(uint32_t code);
