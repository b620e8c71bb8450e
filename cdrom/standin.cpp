// The shared half of the stand-in programs: settings, mutex, window and report.
#include "cdrom/standin.h"

#include <cctype>
#include <cstdlib>

const char* const kSettingsKey = "Software\\ORVANE\\QUARLOCK2";

namespace {

constexpr int kDefaultRunMs = 1500;
constexpr int kClientWidth = 440;
constexpr int kMargin = 10;
constexpr UINT_PTR kRunTimer = 1;
constexpr DWORD kBroadcastTimeoutMs = 3000;
constexpr const char* kWindowClass = "QUARLOCK2 stand-in";

// The values of the settings key in the order the report lists them.
const char* const kSettingsValueNames[] = {
    "Display Driver", "Display Mode", "Save Path", "Option", "Install Flag", "DATA1", "DATA2",
    "DATA3", "DATA4", "OTHERS", "Launch", "Install Path", "Execute_Mirel",
};

// The window's lines; the program has one window and one thread.
struct WindowContents {
    const std::vector<std::string>* lines = nullptr;
    HFONT font = nullptr;
    GdiObject<HFONT> boldFont;
    int lineHeight = 16;
};
WindowContents contents;

std::string environmentValue(const std::string& name) {
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    if (length == 0 || length >= sizeof value) return {};
    return std::string(value, length);
}

// Whole decimal numbers only; anything else leaves the fallback.
int parseNumber(const std::string& text, int fallback) {
    if (text.empty()) return fallback;
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' ? static_cast<int>(number) : fallback;
}

// A report holds one value per line: control characters would break that.
std::string printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return text;
}

std::string currentDirectory() {
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length < sizeof folder ? std::string(folder, length) : std::string();
}

std::string modulePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length < sizeof path ? std::string(path, length) : std::string();
}

std::string baseName(const char* fileName) {
    std::string name = fileName;
    return name.substr(0, name.rfind('.'));
}

// A value as the report gives it, and as the window shows it (DWORDs in hexadecimal too).
struct ValueText {
    std::string report;
    std::string display;
};

ValueText describeValue(HKEY key, const char* name) {
    BYTE data[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof data - 1;
    if (!key || RegQueryValueExA(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) {
        return {"<missing>", "<missing>"};
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::string text = printable(reinterpret_cast<const char*>(data));
        return {text, text};
    }
    if (type == REG_DWORD && size == 4) {
        DWORD number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
        char hex[16];
        wsprintfA(hex, " (0x%08lX)", number);
        return {std::to_string(number), std::to_string(number) + hex};
    }
    std::string other = "<type " + std::to_string(type) + ", " + std::to_string(size) + " bytes>";
    return {other, other};
}

void paintContents(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    SetBkMode(dc, TRANSPARENT);
    int y = kMargin;
    for (size_t i = 0; i < contents.lines->size(); ++i) {
        SelectedObject font(dc, i == 0 ? contents.boldFont.get() : contents.font);
        RECT line = {kMargin, y, client.right - kMargin, y + contents.lineHeight};
        DrawTextA(dc, (*contents.lines)[i].c_str(), -1, &line,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        y += contents.lineHeight + (i == 0 ? kMargin / 2 : 0);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK standInWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: paintContents(window); return 0;
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void prepareFonts() {
    contents.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA bold = {};
    GetObjectA(contents.font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    contents.boldFont.reset(CreateFontIndirectA(&bold));
    WindowDC screen(nullptr);
    SelectedObject font(screen.get(), contents.font);
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(screen.get(), &metrics)) {
        contents.lineHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
    }
}

// Centred across the screen and below its middle, so that the launcher's please-wait box,
// which sits in the middle, stays visible beside it.
HWND createStandInWindow(const char* caption, int lineCount) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = standInWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, kClientWidth, 2 * kMargin + kMargin / 2 + lineCount * contents.lineHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) * 3 / 4;
    return CreateWindowExA(0, kWindowClass, caption, style, x, y, width, height, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace

StandIn::StandIn(const StandInIdentity& identity) : identity_(identity) {
    tag_ = baseName(identity.fileName);
    for (char& c : tag_) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string module = modulePath();
    moduleFolder_ = folderOf(module);
    std::string commandLine = printable(GetCommandLineA());
    std::string workingDirectory = currentDirectory();

    note("program", identity.fileName);
    note("pid", std::to_string(GetCurrentProcessId()));
    note("module", module);
    note("command_line", commandLine);
    note("working_directory", workingDirectory);
    if (identity.mutexName) {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, identity.mutexName);
        bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
        mutex_.reset(mutex);
        note("mutex", !mutex_.valid() ? "failed" : existed ? "existed" : "created");
    }

    display(identity.activity);
    display("Command line: " + commandLine);
    display("Working directory: " + workingDirectory);
}

std::string StandIn::setting(const char* name) const {
    std::string own = environmentValue("STANDIN_" + tag_ + "_" + name);
    return own.empty() ? environmentValue(std::string("STANDIN_") + name) : own;
}

void StandIn::note(const char* key, const std::string& value) {
    report_.emplace_back(key, printable(value));
}

void StandIn::display(const std::string& line) { lines_.push_back(line); }

void StandIn::noteSettingsKey(KeyShown shown) {
    RegistryKey key;
    key.open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE);
    for (const char* name : kSettingsValueNames) {
        ValueText value = describeValue(key.get(), name);
        note(name, value.report);
        if (shown == KeyShown::InWindowToo) display(std::string(name) + " = " + value.display);
    }
}

// A negative run time keeps the window until it is closed; 0 shows nothing at all.
void StandIn::run() {
    int runMs = parseNumber(setting("RUN_MS"), kDefaultRunMs);
    if (runMs == 0) return;
    contents.lines = &lines_;
    prepareFonts();
    HWND window = createStandInWindow(identity_.caption, static_cast<int>(lines_.size()));
    if (!window) return;
    if (runMs > 0) SetTimer(window, kRunTimer, static_cast<UINT>(runMs), nullptr);
    if (setting("HIDDEN") != "1") {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        SetForegroundWindow(window);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The report gains one block per run, written at once so that a reader never sees half of it.
// As installers do when they have changed the environment: every top-level window is told,
// and each is waited for. A window whose thread does not answer holds the broadcast up for the
// whole time-out (a real installer using SendMessage would wait for ever).
void StandIn::broadcastSettingChange() {
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                        SMTO_NORMAL, kBroadcastTimeoutMs, &result);
    note("broadcast", GetTickCount() - start < kBroadcastTimeoutMs ? "answered" : "timed_out");
}

int StandIn::finish(bool succeeded) {
    if (setting("BROADCAST") == "1") broadcastSettingChange();
    int exitCode = parseNumber(setting("EXIT_CODE"), succeeded ? 0 : 1);
    note("exit_code", std::to_string(exitCode));

    std::string folder = setting("REPORT_DIR");
    if (folder.empty()) return exitCode;
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string text;
    for (const auto& line : report_) text += line.first + "=" + line.second + "\r\n";
    text += "\r\n";
    KernelHandle file(CreateFileA((folder + baseName(identity_.fileName) + ".txt").c_str(),
                                  GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) {
        SetFilePointer(file.get(), 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    return exitCode;
}

std::string readMachineString(const char* keyPath, const char* valueName) {
    RegistryKey key;
    if (key.open(HKEY_LOCAL_MACHINE, keyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS) return {};
    char text[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    return text;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
