// Running the uninstaller from the CD.
#include "install/uninstall.h"

int runUninstaller(HWND) { return 0; }
