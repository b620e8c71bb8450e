// The uninstaller copy, its Add/Remove Programs entry and the Start-menu shortcuts.
#include "install/shortcuts.h"

// Nothing is registered yet: the copy and the shortcuts come with the installation work.
int registerShortcutsAndUninstaller() { return 1; }
