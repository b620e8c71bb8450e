// Files and folders for the Windows tests.
#include "tests/support/files.h"

#include <shlobj.h>

#include "tests/support/processes.h"
#include "tests/support/window_driver.h"

std::string readFileText(const std::string& path) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file.valid()) return {};
    std::string text(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    if (!text.empty()) ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

bool writeFile(const std::string& path, const std::string& content) {
    const size_t folderEnd = path.find_last_of('\\');
    if (folderEnd != std::string::npos) SHCreateDirectoryExA(nullptr, path.substr(0, folderEnd).c_str(), nullptr);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    KernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.valid() &&
           WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void removeFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void removeFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            // What a link leads to is never removed through it.
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeFolderTree(path);
            else removeFile(path);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

namespace {

// What a call that fills a path buffer gives.
template <typename Fill>
std::string filledPath(Fill fill) {
    char path[MAX_PATH] = "";
    fill(path);
    return path;
}

}  // namespace

std::string tempPath(const std::string& name) {
    return filledPath([](char* path) { GetTempPathA(MAX_PATH, path); }) + name;
}
std::string currentFolder() { return filledPath([](char* path) { GetCurrentDirectoryA(MAX_PATH, path); }); }
std::string windowsFolder() { return filledPath([](char* path) { GetWindowsDirectoryA(path, MAX_PATH); }); }
std::string modulePath() { return filledPath([](char* path) { GetModuleFileNameA(nullptr, path, MAX_PATH); }); }
std::string programFolder() {
    const std::string program = modulePath();
    return program.substr(0, program.rfind('\\') + 1);
}
std::string plantedDllPath() { return programFolder() + "planted.dll"; }

ScratchFolder::ScratchFolder(const char* name) {
    static int made = 0;
    root_ = tempPath(name + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(made++));
    removeFolderTree(root_);
    CreateDirectoryA(root_.c_str(), nullptr);
}

CurrentFolder::CurrentFolder(const char* name) : ScratchFolder(name), previous_(currentFolder()) {
    SetCurrentDirectoryA(root().c_str());
}

std::string unixPathOf(const std::string& windowsPath) {
    using UnixFileName = char*(CDECL*)(const WCHAR* dosPath);
    auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unixPath = toUnix ? toUnix(wide.c_str()) : nullptr;
    if (!unixPath) return {};
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string windowsPathOf(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    using DosFileName = WCHAR*(CDECL*)(const char* unixPath);
    auto toDos = reinterpret_cast<DosFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* dos = toDos ? toDos(path.c_str()) : nullptr;
    if (!dos) return path;
    char narrow[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, dos, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return narrow;
}

namespace {

// Starts a program of the Unix side; Wine gives no handle that tells when it has ended.
void startUnixCommand(const char* program, const std::string& arguments) {
    StartedProcess started(startProcess(std::string("Z:") + program, program + (" " + arguments)));
}

}  // namespace

FolderLink::FolderLink(const std::string& link, const std::string& target) : link_(link) {
    const size_t nameStart = link.rfind('\\') + 1;
    const std::string folder = unixPathOf(link.substr(0, nameStart)), targetPath = unixPathOf(target);
    if (folder.empty() || targetPath.empty()) return;
    unixLink_ = folder + "/" + link.substr(nameStart);
    startUnixCommand("/bin/ln", "-s \"" + targetPath + "\" \"" + unixLink_ + "\"");
    waitUntil([this] { return made(); });
}

FolderLink::~FolderLink() {
    if (unixLink_.empty()) return;
    startUnixCommand("/bin/rm", "-f \"" + unixLink_ + "\"");
    waitUntil([this] { return GetFileAttributesA(link_.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

bool FolderLink::made() const {
    const DWORD attributes = GetFileAttributesA(link_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
