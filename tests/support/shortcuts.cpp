// Shortcuts and the uninstall entry as the shell and the registry hold them.
#include "tests/support/shortcuts.h"

#include <windows.h>
#include <initguid.h>
#include <objbase.h>
#include <shlguid.h>
#include <shlobj.h>

#include "common/win_handles.h"

const RegPlace kUninstallEntry{HKEY_LOCAL_MACHINE,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARLOCK2"};
const RegPlace kShellFolders{HKEY_CURRENT_USER,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

std::string shortcutAt(const std::string& path) {
    CoInitialize(nullptr);
    ComPointer<IShellLinkA> link;
    ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.receive())))
        return "<no shell link object>";
    const std::wstring widePath(path.begin(), path.end());
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive())) ||
        FAILED(file->Load(widePath.c_str(), STGM_READ)))
        return "<unreadable>";
    char target[MAX_PATH] = "", folder[MAX_PATH] = "", description[MAX_PATH] = "";
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    link->GetDescription(description, MAX_PATH);
    return std::string(target) + " | " + folder + " | " + description;
}
