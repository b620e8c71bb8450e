// The launcher's module: every dialog template and bitmap is loaded from it.
#pragma once

#include <windows.h>

// Set once at start-up, before any window exists.
extern HINSTANCE appInstance;
