// Running the uninstaller from the CD and waiting for it.
#include "install/uninstall.h"

#include "common/win_handles.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/program_start.h"
#include "install/shortcut_rules.h"
#include "settings/launcher_settings.h"

int runUninstaller(HWND owner, bool installRunning) {
    if (installRunning) return 0;
    char relativeName[kPathBufferSize];
    char path[kPathBufferSize];
    if (!uninstallerRelativeName(relativeName) || !locateFile(relativeName, owner, path)) return 0;
    char folder[kPathBufferSize];
    formatPath(folder, "%s", path);
    cutAtLastBackslash(folder);

    StartedProcess started;
    if (!startProgram(path, nullptr, folder, started)) {
        MessageBoxA(owner, kUninstallStartError, nullptr, MB_OK);
        return 1;
    }
    started.thread.reset();
    // The launcher waits here, unpainted, until the uninstaller ends; its exit code means
    // nothing to the launcher, which relies on no result of the uninstaller.
    waitForProgramEnd(started.process.get());
    started.process.reset();
    // As after a game start: the launcher goes on from the root of its current drive, where
    // the readme is looked for from now on.
    SetCurrentDirectoryA("\\");
    return 1;
}
