// Running setup, and the once-per-machine offers of the runtime component installers.
#include "install/setup_run.h"

int runSetup(HWND) { return 0; }
int offerRuntimeComponents(HWND, int) { return 1; }
