// Finding the files the launcher starts, in the places where a CD's files can be.
#include "install/file_lookup.h"

#include <cstring>

#include "common/message_catalogue.h"
#include "common/win_handles.h"
#include "drives/drive_survey.h"
#include "install/path_rules.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

namespace {

// Probing a CD-ROM drive without a disc must fail quietly, not make the system ask for one.
class QuietDriveErrors {
public:
    QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietDriveErrors() { SetErrorMode(previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT previous_;
};

// folder + "\" + relativeName into path when that file exists. A candidate too long for a
// path buffer cannot be a file the launcher could start, so it is skipped.
int tryCandidate(const char* folder, const char* relativeName, char* path) {
    char candidate[kPathBufferSize];
    if (!joinPath(candidate, folder, relativeName) || !fileExists(candidate)) return 0;
    std::memcpy(path, candidate, kPathBufferSize);
    return 1;
}

int searchPlaces(const char* relativeName, char* path) {
    char folder[kPathBufferSize];
    // A module path without backslash stands for its own folder; an unreadable one for none.
    programFolder(folder);
    if (folder[0] && tryCandidate(folder, relativeName, path)) return 1;

    for (const DriveEntry& drive : driveTable.cdromDrives)
        if (drive.name[0] && tryCandidate(drive.name, relativeName, path)) return 1;

    if (tryCandidate(launcherSettings.savePath, relativeName, path)) return 1;

    if (readInstallPath() && tryCandidate(launcherSettings.installPath, relativeName, path)) return 1;

    return windowsFolder(folder) && tryCandidate(folder, relativeName, path);
}

}  // namespace

int fileExists(const char* path) {
    QuietDriveErrors quiet;
    KernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_READONLY, nullptr));
    return file.valid();
}

int programPath(char* path) {
    const DWORD length = GetModuleFileNameA(nullptr, path, kPathBufferSize);
    if (length == 0 || length >= static_cast<DWORD>(kPathBufferSize)) {
        path[0] = '\0';
        return 0;
    }
    return 1;
}

int programFolder(char* folder) { return programPath(folder) && cutAtLastBackslash(folder); }

int windowsFolder(char* folder) {
    const UINT length = GetWindowsDirectoryA(folder, kPathBufferSize);
    if (length == 0 || length >= static_cast<UINT>(kPathBufferSize)) {
        folder[0] = '\0';
        return 0;
    }
    return 1;
}

int locateFile(const char* relativeName, HWND owner, char* path) {
    if (searchPlaces(relativeName, path)) return 1;
    path[0] = '\0';
    char message[kFileNotFoundMessageSize];
    fileNotFoundMessage(relativeName, message);
    showBox(owner, message);
    return 0;
}

int locateRegisteredGame(char* path) {
    char registered[kPathBufferSize];
    if (!readGameExecutablePath(registered) || !fileExists(registered)) {
        path[0] = '\0';
        return 0;
    }
    std::memcpy(path, registered, kPathBufferSize);
    return 1;
}

int locateInWindowsFolder(const char* fileName, char* path) {
    char folder[kPathBufferSize];
    if (windowsFolder(folder) && tryCandidate(folder, fileName, path)) return 1;
    path[0] = '\0';
    return 0;
}
