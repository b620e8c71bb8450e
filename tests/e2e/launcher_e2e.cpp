// Shared ground of the end-to-end tests: fixture, launcher windows, title screen captures.
#include "launcher_e2e.h"

#include <algorithm>
#include <climits>
#include <cstring>

const RegPlace kLauncherKey = {HKEY_LOCAL_MACHINE, "Software\\ORVANE\\QUARLOCK2"};

namespace {

// Solid pixels of exactly the text colour that a drawn line has at least; the artwork holds
// neither colour, so a line without text shows none.
constexpr int kMinimumInk = 5;
constexpr int kTextCellHeight = 14;

bool hasChild(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

std::string windowsPathOf(const std::string& folder) {
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

bool isReadmeViewer(HWND dialog) { return hasChild(dialog, kReadmeEditId) && !hasChild(dialog, 0xFFFF); }

std::string describeWindows(DWORD processId) {
    std::string text;
    for (HWND window : processWindows(processId)) {
        if (!IsWindowVisible(window)) continue;
        text += "[" + windowClass(window) + " \"" + windowText(window) + "\"";
        if (hasChild(window, 0xFFFF)) text += " text \"" + messageBoxText(window) + "\"";
        text += "] ";
    }
    return text.empty() ? "no visible window" : text;
}

LPARAM screenPointParam(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return MAKELPARAM(point.x, point.y);
}

// ---- Title screen ------------------------------------------------------------------------

const std::vector<MenuLine> kMenuLines = {
    {"Play", "Play QUARLOCK2", 0, 325, 295, 53},
    {"OPTIONS", "OPTIONS", 1, 325, 295, 104},
    {"driver", nullptr, 1, 325, 295, 120},
    {"Install", "Install QUARLOCK2", 2, 325, 295, 173},
    {"Uninstall", "Uninstall QUARLOCK2", 3, 325, 295, 233},
    {"SAVE_GAME_FOLDER", "SAVE GAME FOLDER", 4, 325, 295, 286},
    {"save_path", nullptr, 4, 325, 295, 300},
    {"Readme", "View Readme.txt", 5, 325, 295, 353},
    {"Quit", "Quit", 6, 325, 147, 413},
    {"HomePage", "Briskel's HomePage.", 7, 473, 147, 413},
};

const MenuLine& menuLine(const char* name) {
    for (const MenuLine& line : kMenuLines)
        if (std::strcmp(line.name, name) == 0) return line;
    return kMenuLines.front();
}

TextMeasure measureMenuText(const std::string& text) {
    constexpr int kOrigin = 20, kWidth = 700, kHeight = 30;
    TextMeasure measure;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
    SetMapperFlags(dc, 1);
    HGDIOBJ previousFont = SelectObject(dc, font);
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kOrange);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TextOutA(dc, kOrigin, 0, text.c_str(), static_cast<int>(text.size()));
    measure.extent = size.cx;
    measure.inkLeft = INT_MAX;
    measure.inkRight = INT_MIN;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (GetPixel(dc, x, y) != kOrange) continue;
            measure.inkLeft = std::min(measure.inkLeft, x - kOrigin);
            measure.inkRight = std::max(measure.inkRight, x - kOrigin);
        }
    }
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return measure;
}

RECT highlightPanel(int item) {
    if (item == 6) return {325, 390, 472, 450};
    if (item == 7) return {473, 390, 620, 450};
    return {325, 30 + 60 * item, 620, 90 + 60 * item};
}

static RECT clientArea(HWND title) {
    POINT origin = {0, 0};
    ClientToScreen(title, &origin);
    RECT client = {};
    GetClientRect(title, &client);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

TitleShot::TitleShot(HWND title) : pixels_(clientArea(title)) {}

TitleShot::Ink TitleShot::ink(const MenuLine& line) const {
    Ink result;
    for (int y = line.top; y < line.top + kTextCellHeight; ++y) {
        for (int x = line.left; x < line.left + line.width; ++x) {
            COLORREF colour = at(x, y);
            if (colour == kOrange)
                ++result.orange;
            else if (colour == kGrey)
                ++result.grey;
            else
                continue;
            if (x < result.left) result.left = x;
            if (x > result.right) result.right = x;
        }
    }
    return result;
}

static char inkLetter(const TitleShot::Ink& ink) {
    bool orange = ink.orange >= kMinimumInk, grey = ink.grey >= kMinimumInk;
    if (orange && ink.grey == 0) return 'O';
    if (grey && ink.orange == 0) return 'G';
    if (!orange && !grey) return '-';
    return 'X';
}

std::string TitleShot::inkSummary() const {
    std::string summary;
    for (const MenuLine& line : kMenuLines) {
        if (!summary.empty()) summary += ' ';
        summary += std::string(line.name) + ':' + inkLetter(ink(line));
    }
    return summary;
}

std::string expectedInk(int highlightedItem) {
    std::string summary;
    for (const MenuLine& line : kMenuLines) {
        if (!summary.empty()) summary += ' ';
        summary += std::string(line.name) + ':' + (line.item == highlightedItem ? 'O' : 'G');
    }
    return summary;
}

TitleShot waitForHighlight(HWND title, int item, DWORD timeoutMs) {
    const std::string wanted = expectedInk(item);
    DWORD start = GetTickCount();
    for (;;) {
        TitleShot shot(title);
        if (shot.inkSummary() == wanted || GetTickCount() - start >= timeoutMs) return shot;
        Sleep(30);
    }
}

Difference difference(const TitleShot& a, const TitleShot& b, const RECT& area) {
    Difference result;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            ++result.count;
            if (x < result.bounds.left) result.bounds.left = x;
            if (y < result.bounds.top) result.bounds.top = y;
            if (x + 1 > result.bounds.right) result.bounds.right = x + 1;
            if (y + 1 > result.bounds.bottom) result.bounds.bottom = y + 1;
        }
    }
    return result;
}

void saveScreenshot(const TitleShot& shot, const char* fileName) {
    std::string folder = windowsPathOf(environmentValue("E2E_SCREENSHOT_DIR"));
    if (folder.empty()) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\" + fileName;
    if (!shot.writeBmp(path.c_str())) ADD_FAILURE() << "cannot write the screenshot " << path;
}

// ---- Fixture ------------------------------------------------------------------------------

void LauncherTest::SetUp() {
    // Wine keeps one pointer position for every process: one left over the menu by an earlier
    // test would move the highlight as soon as the title window shows.
    SetCursorPos(0, 0);
    ASSERT_TRUE(deleteRegTree(kLauncherKey));
}

void LauncherTest::TearDown() {
    launcher_.terminate();
    SetCursorPos(0, 0);
    EXPECT_TRUE(deleteRegTree(kLauncherKey));
    if (!emptyFolder_.empty()) RemoveDirectoryA(emptyFolder_.c_str());
}

void LauncherTest::setPromptFlags(DWORD flags) { ASSERT_TRUE(setRegDword(kLauncherKey, "OTHERS", flags)); }

bool LauncherTest::startLauncher(const LauncherOptions& options) {
    if (launcher_.start(options)) return true;
    ADD_FAILURE() << "the launcher did not start: " << launcher_.lastError();
    return false;
}

HWND LauncherTest::startAtTitleScreen() {
    setPromptFlags(15);
    if (!startLauncher()) return nullptr;
    HWND title = waitForTitle();
    if (!title) return nullptr;
    TitleShot shot = waitForHighlight(title, 0);
    EXPECT_EQ(shot.inkSummary(), expectedInk(0)) << "the first item is highlighted after start";
    return title;
}

HWND LauncherTest::waitForTitle(DWORD timeoutMs) {
    HWND title = waitForWindow(kTitleClass, kGameCaption, launcher_.id(), timeoutMs);
    if (!title) ADD_FAILURE() << "no title window came; the launcher shows " << describeWindows(launcher_.id());
    return title;
}

HWND LauncherTest::titleWindowOf() const {
    std::vector<HWND> windows = processWindows(launcher_.id(), kTitleClass);
    return windows.empty() ? nullptr : windows.front();
}

std::string LauncherTest::folderWithoutReadme() {
    if (emptyFolder_.empty()) {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        emptyFolder_ = std::string(temp) + "launcher-e2e-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(emptyFolder_.c_str(), nullptr);
    }
    return emptyFolder_;
}

void LauncherTest::expectExitCodeAt(const char* file, int line, DWORD code, DWORD timeoutMs) {
    std::optional<DWORD> exitCode = launcher_.waitForExit(timeoutMs);
    if (!exitCode) {
        ADD_FAILURE_AT(file, line) << "the launcher still runs after " << timeoutMs << " ms; it shows "
                                   << describeWindows(launcher_.id());
        return;
    }
    if (*exitCode != code) ADD_FAILURE_AT(file, line) << "exit code " << *exitCode << ", expected " << code;
}

void LauncherTest::expectStillRunningAt(const char* file, int line) {
    if (!launcher_.running()) {
        std::optional<DWORD> exitCode = launcher_.waitForExit(0);
        ADD_FAILURE_AT(file, line) << "the launcher has ended, exit code " << (exitCode ? long(*exitCode) : -1L);
    }
}

void LauncherTest::expectEndsWithoutWindowAt(const char* file, int line, LauncherProcess& process, DWORD code) {
    std::string shown;
    DWORD start = GetTickCount();
    std::optional<DWORD> exitCode;
    while (!(exitCode = process.waitForExit(10)) && GetTickCount() - start < kExitTimeoutMs) {
        if (shown.empty()) {
            for (HWND window : processWindows(process.id()))
                if (IsWindowVisible(window)) shown = describeWindows(process.id());
        }
    }
    if (!exitCode) {
        ADD_FAILURE_AT(file, line) << "the process still runs after " << kExitTimeoutMs << " ms; it shows "
                                   << describeWindows(process.id());
        return;
    }
    if (*exitCode != code) ADD_FAILURE_AT(file, line) << "exit code " << *exitCode << ", expected " << code;
    if (!shown.empty()) ADD_FAILURE_AT(file, line) << "it showed " << shown;
}
