// Starting the game executable: from where setup registered it, or from the CD.
#include "install/game_launch.h"

#include "common/message_catalogue.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/program_start.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

int launchGame(HWND owner, bool anotherActionRunning) {
    if (anotherActionRunning) return 0;
    if (!prepareLaunchValues()) {
        showBox(owner, kLaunchValuesError, MB_OK, kSystemCaption);
        return 0;
    }
    char executable[kPathBufferSize];
    if (!locateRegisteredGame(executable) && !locateFile(kGameRelativeName, owner, executable))
        return 0;

    char folder[kPathBufferSize];
    gameWorkingFolder(executable, folder);
    // The game is not watched: both its handles are closed on the way out.
    StartedProcess started;
    if (!startProgram(executable, nullptr, folder, started)) {
        showBox(owner, kGameStartError, MB_OK, kSystemCaption);
        return 0;
    }
    // The launcher is about to end; it keeps no folder of the CD or the game busy meanwhile.
    SetCurrentDirectoryA("\\");
    return 1;
}
