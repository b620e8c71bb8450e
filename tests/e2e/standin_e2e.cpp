// Stand-in settings and reports, held files, and a look at a launcher that may be blocked.
#include "standin_e2e.h"

namespace {

constexpr int kPleaseWaitTextId = 1000;

std::string readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

// E2E_SCREENSHOT_DIR may be a Unix folder.
std::string windowsFolderOf(const std::string& folder) {
    if (folder.empty() || folder[0] != '/') return folder;
    using DosFileName = WCHAR*(CDECL*)(const char* unixPath);
    auto toDos = reinterpret_cast<DosFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* dos = toDos ? toDos(folder.c_str()) : nullptr;
    if (!dos) return folder;
    char narrow[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, dos, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return narrow;
}

}  // namespace

std::string scratchFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

void removeFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeFolderTree(path);
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

StandInSettings::StandInSettings(const char* reportFolderName) : folder_(scratchFolder(reportFolderName)) {
    CreateDirectoryA(folder_.c_str(), nullptr);
    set("STANDIN_REPORT_DIR", folder_.c_str());
}

StandInSettings::~StandInSettings() {
    for (const std::string& variable : variables_) SetEnvironmentVariableA(variable.c_str(), nullptr);
    removeFolderTree(folder_);
}

void StandInSettings::set(const char* variable, const char* value) {
    SetEnvironmentVariableA(variable, value);
    variables_.push_back(variable);
}

std::map<std::string, std::string> StandInSettings::lastReport(const char* program) const {
    std::map<std::string, std::string> block;
    const std::string text = readFile(folder_ + "\\" + program + ".txt");
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        if (line.rfind("program=", 0) == 0) block.clear();
        const size_t equals = line.find('=');
        if (equals != std::string::npos) block[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return block;
}

HWND waitForStandIn(const char* caption, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(kStandInClass, caption);
        if (window || GetTickCount() - start >= timeoutMs) return window;
        Sleep(20);
    }
}

void closeStandIns(const char* caption) {
    while (HWND window = FindWindowA(kStandInClass, caption)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!waitUntilGone(window, 5000)) return;
    }
}

HeldFile::HeldFile(const char* path)
    : file_(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldFile::~HeldFile() {
    if (held()) CloseHandle(file_);
}

bool answers(HWND window, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool waitsTakingNoInput(HWND title, DWORD waitMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("waiting"), SMTO_NORMAL, 2000, &result))
        return false;
    PostMessageA(title, WM_MOUSEMOVE, 0, MAKELPARAM(400, 120));
    Sleep(waitMs);
    return storedText(title) == "waiting";
}

std::string storedText(HWND window) {
    WCHAR text[512] = L"";
    InternalGetWindowText(window, text, 512);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

HWND waitForPleaseWait(DWORD processId, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : processWindows(processId, "#32770"))
            if (IsWindowVisible(window) && GetDlgItem(window, kPleaseWaitTextId)) return window;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

HWND waitForMessageBox(DWORD processId, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = visibleMessageBox(processId);
        if (box || GetTickCount() - start >= timeoutMs) return box;
        Sleep(20);
    }
}

std::vector<int> messageBoxButtons(HWND box) {
    std::vector<int> buttons;
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) buttons.push_back(id);
    }
    return buttons;
}

void saveScreen(const char* fileName) {
    const std::string folder = windowsFolderOf(environmentValue("E2E_SCREENSHOT_DIR"));
    if (folder.empty()) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    ScreenPixels screen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    const std::string path = folder + "\\" + fileName;
    if (!screen.writeBmp(path.c_str())) ADD_FAILURE() << "cannot write the screenshot " << path;
}
