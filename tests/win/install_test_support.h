// What the tests of the file lookup and the program starts share: drive letters changed in
// the test prefix, scratch files, and the reports of the demo CD's stand-in programs.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

// Drive letters changed through Wine's mount manager, as winecfg does: unlike a new dosdevices
// link, GetLogicalDriveStrings and GetDriveType see the change at once, without restarting
// the wineserver, and every process of the prefix sees it. Every letter changed is removed
// again, C: given back to the prefix's drive_c and D: to the demo CD.
class DriveLayout {
public:
    ~DriveLayout() {
        for (char letter : touched_) mount(letter, DRIVE_NO_ROOT_DIR, "");
        if (touched_.count('c')) mount('c', DRIVE_FIXED, environment("WINEPREFIX") + "/drive_c");
        if (touched_.count('d')) mount('d', DRIVE_CDROM, environment("DEMO_CD_DIR"));
    }
    bool define(char letter, UINT type, const std::string& folder) { return change(letter, type, unixPath(folder)); }
    // A letter for a folder of the Unix side, such as /proc, whose file system has no room.
    bool defineUnix(char letter, UINT type, const std::string& unixFolder) { return change(letter, type, unixFolder); }
    bool remove(char letter) { return change(letter, DRIVE_NO_ROOT_DIR, ""); }

private:
    struct UnixDrive {  // Wine's request to define a drive letter
        ULONG size, type, fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset, deviceOffset, labelOffset;
    };
    bool change(char letter, UINT type, const std::string& unixFolder) {
        touched_.insert(static_cast<char>(letter | 0x20));
        return mount(static_cast<char>(letter | 0x20), type, unixFolder);
    }
    static bool mount(char letter, UINT type, const std::string& unixFolder) {
        std::vector<char> request(sizeof(UnixDrive) + unixFolder.size() + 1);
        auto* drive = reinterpret_cast<UnixDrive*>(request.data());
        *drive = {static_cast<ULONG>(request.size()), type, 0, 0, 0, static_cast<WCHAR>(letter), 0, 0, 0};
        if (!unixFolder.empty()) drive->mountPointOffset = sizeof(UnixDrive);
        std::memcpy(request.data() + sizeof(UnixDrive), unixFolder.c_str(), unixFolder.size() + 1);
        HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD returned = 0;
        const BOOL done = DeviceIoControl(manager, CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                                          request.data(), static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return done != FALSE;
    }
    static std::string unixPath(const std::string& windowsPath) {
        auto toUnix = reinterpret_cast<char*(CDECL*)(const WCHAR*)>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        std::wstring wide(windowsPath.begin(), windowsPath.end());
        char* path = toUnix ? toUnix(wide.c_str()) : nullptr;
        std::string result = path ? path : "";
        if (path) HeapFree(GetProcessHeap(), 0, path);
        return result;
    }
    static std::string environment(const char* name) {
        char value[MAX_PATH] = "";
        GetEnvironmentVariableA(name, value, sizeof value);
        return value;
    }
    std::set<char> touched_;
};

// A file with its folders made as needed.
inline bool writeFile(const std::string& path, const char* content = "probe") {
    SHCreateDirectoryExA(nullptr, path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool done = file != INVALID_HANDLE_VALUE &&
                      WriteFile(file, content, static_cast<DWORD>(std::strlen(content)), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return done;
}

// A scratch folder in the temporary folder, removed with its content when the holder goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name) {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        root_ = temp + std::string(name) + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        std::string from = root_ + '\0';  // the list SHFileOperation wants ends with two zeros
        SHFILEOPSTRUCTA remove = {nullptr, FO_DELETE, from.c_str(), nullptr,
                                  FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT, FALSE, nullptr, nullptr};
        SHFileOperationA(&remove);
    }
    std::string operator/(const std::string& relative) const { return root_ + "\\" + relative; }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

// A value of the latest run in a stand-in's report (cdrom/STANDINS.md), waited for until that
// run has ended; the report is deleted then, so that the next wait sees only the next run.
class StandInReport {
public:
    bool waitFor(const std::string& reportFile, DWORD timeoutMs = 10000) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
            HANDLE file = CreateFileA(reportFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            text_.assign(GetFileSize(file, nullptr), '\0');
            DWORD read = 0;
            ReadFile(file, text_.data(), static_cast<DWORD>(text_.size()), &read, nullptr);
            CloseHandle(file);
            const size_t lastRun = text_.rfind("program=");
            if (lastRun == std::string::npos || text_.find("\r\nexit_code=", lastRun) == std::string::npos) continue;
            text_ = "\r\n" + text_.substr(lastRun);
            DeleteFileA(reportFile.c_str());
            return true;
        }
        return false;
    }
    std::string operator[](const std::string& key) const {
        const size_t at = text_.find("\r\n" + key + "=");
        if (at == std::string::npos) return "<not reported>";
        const size_t start = at + key.size() + 3;
        return text_.substr(start, text_.find("\r\n", start) - start);
    }

private:
    std::string text_;
};
