// The title window: the 640 x 480 picture with its eight-item menu, and the menu actions.
#pragma once

#include <windows.h>

#include "common/message_texts.h"
#include "launcher/menu_layout.h"

extern HWND titleWindow;
extern int highlight[kMenuItemCount];
extern int busyFlags[kMenuItemCount];

constexpr const char* kTitleWindowClass = "TEST";
constexpr const char* kHomePageAddress = "http://www.briskel.example/";

// Registers class "TEST" of the title window's template; a class registered before stays.
void registerTitleWindowClass(HINSTANCE instance);

LRESULT CALLBACK titleClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK titleDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
