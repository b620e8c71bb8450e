// The launcher's message boxes: the numbered user messages and every other box.
#include "common/message_catalogue.h"

HWND messageOwner = nullptr;

void showMessage(uint32_t code) {
    const char* text = messageText(code);
    if (text) showBox(messageOwner, text);
}

int showBox(HWND owner, const char* text, UINT type, const char* caption) {
    return MessageBoxA(owner, text, caption, type);
}
