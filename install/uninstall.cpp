// Running the uninstaller from the CD and waiting for it.
#include "install/uninstall.h"

#include "common/launcher_texts.h"
#include "install/program_start.h"
#include "install/shortcut_rules.h"
#include "settings/launcher_settings.h"

int runUninstaller(HWND owner, bool installRunning) {
    if (installRunning) return 0;
    char relativeName[kPathBufferSize];
    if (!uninstallerRelativeName(relativeName)) return 0;
    // As after a game start, the launcher goes on from the root of its current drive, where
    // the readme is looked for from now on.
    return runCdProgram({relativeName, kUninstallStartError, owner, true}, owner);
}
