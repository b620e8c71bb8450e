// Names and paths of the uninstaller copy, its Add/Remove Programs entry and the Start-menu
// shortcuts.
#include "install/shortcut_rules.h"

#include <cstring>

#include "install/path_rules.h"

namespace {

constexpr const char* kPublisherName = "ORVANE";
constexpr const char* kGameName = "QUARLOCK2";
constexpr const char* kGameLinkName = "QUARLOCK2";
constexpr const char* kUninstallLinkName = "Uninstall";

}  // namespace

int uninstallerRelativeName(char* out) { return formatPath(out, "regist\\%s", kUninstallerFileName); }

int uninstallerSourcePath(const char* programFolder, char* out) {
    return formatPath(out, "%s\\regist\\%s", programFolder, kUninstallerFileName);
}

int composeStartMenuPaths(const char* programsFolder, StartMenuPaths& paths) {
    std::memset(&paths, 0, sizeof paths);
    if (!formatPath(paths.publisherFolder, "%s\\%s", programsFolder, kPublisherName) ||
        !formatPath(paths.gameFolder, "%s\\%s\\%s", programsFolder, kPublisherName, kGameName)) {
        std::memset(&paths, 0, sizeof paths);
        return 0;
    }
    formatPath(paths.gameLink, "%s\\%s\\%s\\%s.lnk", programsFolder, kPublisherName, kGameName,
               kGameLinkName);
    formatPath(paths.uninstallLink, "%s\\%s\\%s\\%s.lnk", programsFolder, kPublisherName,
               kGameName, kUninstallLinkName);
    return 1;
}

int shortcutWorkingFolder(const char* target, char* out) {
    if (!formatPath(out, "%s", target) || !cutAtLastBackslash(out)) {
        out[0] = '\0';
        return 0;
    }
    // A root keeps its backslash: "D:" or "" alone would name the current folder instead.
    const size_t length = std::strlen(out);
    if (length == 0 || (length == 2 && out[1] == ':')) {
        out[length] = '\\';
        out[length + 1] = '\0';
    }
    return 1;
}
