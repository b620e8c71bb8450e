// Showing the numbered user messages in a message box.
#include "launcher/message_catalogue.h"

#include "launcher/message_texts.h"

HWND messageOwner = nullptr;

void showMessage(uint32_t code) {
    const char* text = messageText(code);
    if (text) MessageBoxA(messageOwner, text, kGameTitle, MB_OK);
}
