// Showing the numbered user messages in a message box.
#include "common/message_catalogue.h"

HWND messageOwner = nullptr;

void showMessage(uint32_t code) {
    const char* text = messageText(code);
    if (text) MessageBoxA(messageOwner, text, kGameTitle, MB_OK);
}
