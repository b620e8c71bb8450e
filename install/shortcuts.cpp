// The uninstaller copy, its Add/Remove Programs entry and the Start-menu shortcuts.
#include "install/shortcuts.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/message_catalogue.h"
#include "common/registry_access.h"
#include "common/registry_text.h"
#include "common/win_handles.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/shortcut_rules.h"
#include "settings/launcher_settings.h"

namespace {

// The shell's link object and the two interfaces a shortcut is written through; defined
// here so that the launcher needs nothing beyond OLE32 for them.
const CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kShellLinkInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The copy is made, and registered, only when the Windows folder holds none: after an
// uninstall removed it, the next start puts it back.
void copyUninstallerOnce() {
    char found[kPathBufferSize];
    if (locateInWindowsFolder(kUninstallerFileName, found)) return;
    char folder[kPathBufferSize];
    char destination[kPathBufferSize];
    char source[kPathBufferSize];
    if (!windowsFolder(folder) || !joinPath(destination, folder, kUninstallerFileName)) return;
    if (!programFolder(folder) || !uninstallerSourcePath(folder, source)) return;
    if (!CopyFileA(source, destination, FALSE)) return;
    // A copy from the CD is read-only, which would stop the uninstaller deleting itself.
    SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL);
    registerUninstallEntry(destination);
}

void writeStartMenuShortcuts() {
    char programs[kPathBufferSize];
    StartMenuPaths paths;
    if (!readProgramsFolder(programs, kPathBufferSize) || !composeStartMenuPaths(programs, paths)) return;
    // An existing folder is what a second start expects; any other failure shows in the saves.
    // Field by field: an initialiser of constants would cost the file a .data section.
    SECURITY_ATTRIBUTES inheritable;
    inheritable.nLength = sizeof inheritable;
    inheritable.lpSecurityDescriptor = nullptr;
    inheritable.bInheritHandle = TRUE;
    CreateDirectoryA(paths.publisherFolder, &inheritable);
    CreateDirectoryA(paths.gameFolder, &inheritable);

    char target[kPathBufferSize];
    if (paths.gameLink[0] && programPath(target)) {
        createShellLink(target, paths.gameLink, kShortcutDescription);
    }
    // Written whether or not the copy exists: a later start may still make it.
    char folder[kPathBufferSize];
    if (paths.uninstallLink[0] && windowsFolder(folder) &&
        joinPath(target, folder, kUninstallerFileName)) {
        createShellLink(target, paths.uninstallLink, kShortcutDescription);
    }
}

}  // namespace

void registerShortcutsAndUninstaller() {
    copyUninstallerOnce();
    writeStartMenuShortcuts();
}

int registerUninstallEntry(const char* uninstallerPath) {
    // An entry whose UninstallString names some other, cut-off path is worse than none, and so
    // is a key with a name and no program.
    if (!fitsRegistryText(uninstallerPath)) return 0;
    RegistryKey key;
    if (createKeyToWrite(key, HKEY_LOCAL_MACHINE, kUninstallKeyPath) != ERROR_SUCCESS) return 0;
    return writeStringValue(key.get(), kDisplayNameValueName, kGameTitle) &&
           writeStringValue(key.get(), kUninstallStringValueName, uninstallerPath);
}

int readProgramsFolder(char* folder, DWORD size) {
    RegistryKey key;
    openKeyToRead(key, HKEY_CURRENT_USER, kShellFoldersKeyPath);
    // Without a name the folders would land in the root of the current drive.
    return readStringValue(key.get(), kProgramsValueName, folder, size) && folder[0] != '\0';
}

HRESULT createShellLink(const char* target, const char* linkFile, const char* description) {
    // Never balanced: the launcher's one thread keeps COM until the process ends.
    CoInitialize(nullptr);
    ComPointer<IShellLinkA> link;
    HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                      kShellLinkInterface, link.receive());
    if (FAILED(result)) return result;
    link->SetPath(target);
    char folder[kPathBufferSize];
    if (shortcutWorkingFolder(target, folder)) link->SetWorkingDirectory(folder);
    link->SetDescription(description);

    ComPointer<IPersistFile> file;
    result = link->QueryInterface(kPersistFileInterface, file.receive());
    if (FAILED(result)) return result;
    WCHAR wideName[kPathBufferSize];
    if (!MultiByteToWideChar(CP_ACP, 0, linkFile, -1, wideName, kPathBufferSize)) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return file->Save(wideName, TRUE);
}
