// The uninstaller copy, its Add/Remove Programs entry and the Start-menu shortcuts.
#pragma once

int registerShortcutsAndUninstaller();
