// Shortcuts and the uninstall entry as the shell and the registry hold them.
#pragma once

#include <string>

#include "tests/support/registry_expect.h"

extern const RegPlace kUninstallEntry;  // the game's Add/Remove Programs entry
extern const RegPlace kShellFolders;    // the user's shell folders, "Programs" among them

// "target | working folder | description" as the shell reads the shortcut back, through the
// SDK's own class and interface ids.
std::string shortcutAt(const std::string& path);
