// Running setup, and the once-per-machine offers of the runtime component installers.
#pragma once

#include <windows.h>

int runSetup(HWND owner);
int offerRuntimeComponents(HWND owner, int explainRequirement);
