// Setup's stand-in (Qlk2_inst.exe): copies the game from beside itself on the CD into the
// install folder and registers it in "Install Path" and "Execute_Mirel".
#include "cdrom/install_layout.h"
#include "cdrom/standin.h"

namespace {

const StandInIdentity kSetup = {
    "Qlk2_inst.exe",
    "QUARLOCK2 Setup (stand-in)",
    "Installing QUARLOCK2",
    "QUARLOCK2 PC Setup DoubleStart Check",
};

// STANDIN_INSTALL_DIR if set, else the default; without a closing backslash.
std::string chooseInstallFolder(const StandIn& standIn) {
    std::string folder = standIn.setting("INSTALL_DIR");
    if (folder.empty()) folder = defaultInstallFolder();
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool createFolders(const std::string& path) {
    for (size_t slash = path.find('\\'); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
    return isFolder(path);
}

bool writeString(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool fail(StandIn& standIn, const std::string& reason) {
    standIn.note("result", "failed");
    standIn.note("error", reason);
    return false;
}

bool install(StandIn& standIn, const std::string& folder) {
    if (folder.empty()) return fail(standIn, "ProgramFilesDir cannot be read");
    std::string source = standIn.moduleFolder() + "\\" + kGameFileName;
    std::string game = installedGamePath(folder);
    if (!createFolders(folderOf(game))) return fail(standIn, "cannot create " + folderOf(game));
    if (!CopyFileA(source.c_str(), game.c_str(), FALSE)) {
        return fail(standIn, "cannot copy " + source);
    }
    // A file copied from a CD keeps its read-only attribute, which would stop the uninstaller.
    SetFileAttributesA(game.c_str(), FILE_ATTRIBUTE_NORMAL);
    RegistryKey key;
    if (key.create(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_SET_VALUE) != ERROR_SUCCESS ||
        !writeString(key.get(), "Install Path", folder) ||
        !writeString(key.get(), "Execute_Mirel", game)) {
        return fail(standIn, "cannot write the settings key");
    }
    standIn.note("result", "installed");
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StandIn standIn(kSetup);
    standIn.noteSettingsKey(StandIn::KeyShown::InReportOnly);
    std::string folder = chooseInstallFolder(standIn);
    std::string game = folder.empty() ? std::string() : installedGamePath(folder);
    standIn.note("install_path", folder);
    standIn.note("execute_mirel", game);
    standIn.display("Copying the game to: " + (game.empty() ? "(no install folder)" : game));
    standIn.run();
    return standIn.finish(install(standIn, folder));
}
