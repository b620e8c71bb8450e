// The launcher's message boxes: the numbered user messages and every other box.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/launcher_texts.h"
#include "common/message_texts.h"

// Owner of the catalogue's boxes: none until the DirectX offer names the title window.
extern HWND messageOwner;

void showMessage(uint32_t code);

// Every box the launcher shows goes through here: text over owner (none for nullptr), with the
// buttons and icon of type and the caption (kSystemCaption for the low-level errors). Answers
// the button chosen.
int showBox(HWND owner, const char* text, UINT type = MB_OK, const char* caption = kGameTitle);
