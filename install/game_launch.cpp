// Starting the game executable.
#include "install/game_launch.h"

int launchGame(HWND) { return 0; }
