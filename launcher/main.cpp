// Entry point of the launcher.
#include <windows.h>

#include "launcher/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return runLauncher(instance); }
