// The dialog in which the user picks the folder for saved games.
#include "savefolder/save_folder_dialog.h"

int chooseSaveFolder(HWND) { return 0; }
