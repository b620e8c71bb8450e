// The uninstaller's stand-in (Qlk2_uninst.exe): removes the game that setup copied, the folders
// that became empty, and the values "Install Path" and "Execute_Mirel".
#include "cdrom/install_layout.h"
#include "cdrom/standin.h"

namespace {

const StandInIdentity kUninstaller = {
    "Qlk2_uninst.exe",
    "QUARLOCK2 Uninstall (stand-in)",
    "Removing QUARLOCK2",
    "QUARLOCK2 PC Uninstall DoubleStart Check",
};

const char* const kSetupValues[] = {"Install Path", "Execute_Mirel"};

bool sameFolder(const std::string& a, const std::string& b) {
    return !a.empty() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Strictly below the folder; the uninstaller deletes nothing outside the install folder.
bool inside(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() + 1 &&
           path[folder.size()] == '\\' && sameFolder(path.substr(0, folder.size()), folder);
}

// Folders are removed only when empty: saved games may live in the install folder.
void removeFiles(StandIn& standIn, const std::string& folder, const std::string& game) {
    bool removedGame = false;
    std::string removedFolders;
    auto removeFolder = [&removedFolders](const std::string& path) {
        if (!RemoveDirectoryA(path.c_str())) return;
        removedFolders += (removedFolders.empty() ? "" : ";") + path;
    };
    if (inside(game, folder)) {
        SetFileAttributesA(game.c_str(), FILE_ATTRIBUTE_NORMAL);
        removedGame = DeleteFileA(game.c_str()) != 0;
        for (std::string path = folderOf(game); inside(path, folder); path = folderOf(path)) {
            removeFolder(path);
        }
        removeFolder(folder);
        if (sameFolder(folderOf(folder), publisherFolder())) removeFolder(folderOf(folder));
    }
    standIn.note("removed_game", removedGame ? game : std::string());
    standIn.note("removed_folders", removedFolders);
}

bool removeSetupValues() {
    RegistryKey key;
    if (key.open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_SET_VALUE) != ERROR_SUCCESS) return true;
    bool removed = true;
    for (const char* name : kSetupValues) {
        LONG result = RegDeleteValueA(key.get(), name);
        if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) removed = false;
    }
    return removed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StandIn standIn(kUninstaller);
    standIn.noteSettingsKey(StandIn::KeyShown::InReportOnly);
    std::string folder = readMachineString(kSettingsKey, "Install Path");
    std::string game = readMachineString(kSettingsKey, "Execute_Mirel");
    standIn.display("Removing: " + (game.empty() ? std::string("(nothing installed)") : game));
    standIn.run();

    removeFiles(standIn, folder, game);
    bool succeeded = removeSetupValues();
    standIn.note("result", !succeeded                      ? "failed"
                           : folder.empty() && game.empty() ? "nothing_installed"
                                                            : "uninstalled");
    return standIn.finish(succeeded);
}
