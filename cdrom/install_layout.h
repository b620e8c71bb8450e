// Where setup's stand-in puts the game and what its uninstaller therefore removes.
//
// <install folder>\regist\MirelP.exe mirrors the CD: the launcher runs the game in the folder
// two levels above the executable, which is then the install folder, as it is the CD root
// for the copy on the CD. The default install folder is <Program Files>\ORVANE\QUARLOCK2.
#pragma once

#include <string>

extern const char* const kGameFileName;  // "MirelP.exe", on the CD and installed

std::string installedGamePath(const std::string& installFolder);

// <Program Files>\ORVANE, the folder the default install folder lies in; empty when the
// Program Files folder is not in the registry.
std::string publisherFolder();
std::string defaultInstallFolder();
