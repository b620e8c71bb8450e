// Shared ground of the end-to-end tests: fixture, launcher windows, title screen captures.
#include "tests/support/launcher_e2e.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "common/win_handles.h"

namespace {

// Solid pixels of exactly the text colour that a drawn line has at least; the artwork holds
// neither colour, so a line without text shows none.
constexpr int kMinimumInk = 5;
constexpr int kTextCellHeight = 14;

char inkLetter(const TitleShot::Ink& ink) {
    bool orange = ink.orange >= kMinimumInk, grey = ink.grey >= kMinimumInk;
    if (orange && ink.grey == 0) return 'O';
    if (grey && ink.orange == 0) return 'G';
    if (!orange && !grey) return '-';
    return 'X';
}

// "name=letter, ..." over the first lineCount lines.
template <typename Letter>
std::string summary(int lineCount, Letter letter) {
    std::string text;
    for (const MenuTextLine& line : menuTextLines()) {
        if (lineCount-- <= 0) break;
        text += (text.empty() ? "" : ", ") + menuLineName(line) + '=' + letter(line);
    }
    return text;
}

}  // namespace

std::string describeWindows(DWORD processId) {
    std::string text;
    for (HWND window : processWindows(processId)) {
        if (!IsWindowVisible(window)) continue;
        text += "[" + windowClass(window) + " \"" + windowText(window) + "\"";
        if (GetDlgItem(window, 0xFFFF)) text += " text \"" + messageBoxText(window) + "\"";
        text += "] ";
    }
    return text.empty() ? "no visible window" : text;
}

void postClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
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
    PostMessageA(title, WM_KEYDOWN, VK_DOWN, 0);
    postClick(title, 400, 180);
    Sleep(waitMs);
    return storedText(title) == "waiting";
}

bool waitHasEnded(HWND title) {
    return waitUntil([title] { return storedText(title) == kGameTitle; });
}

// ---- Title screen ------------------------------------------------------------------------

TextMeasure measureMenuText(const std::string& text) {
    constexpr int kOrigin = 20, kWidth = 700, kHeight = 30;
    WindowDC screen(nullptr);
    MemoryDC memory;
    memory.reset(CreateCompatibleDC(screen.get()));
    const HDC dc = memory.get();
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    GdiObject<HFONT> font(createMenuFont());
    SelectedObject selectedBitmap(dc, bitmap.get()), selectedFont(dc, font.get());
    SetMapperFlags(dc, 1);
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kOrange);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TextOutA(dc, kOrigin, 0, text.c_str(), static_cast<int>(text.size()));
    TextMeasure measure{size.cx, INT_MAX, INT_MIN};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (GetPixel(dc, x, y) != kOrange) continue;
            measure.inkLeft = std::min(measure.inkLeft, x - kOrigin);
            measure.inkRight = std::max(measure.inkRight, x - kOrigin);
        }
    }
    return measure;
}

RECT highlightPanel(int item) {
    const PanelPlace place = highlightPanelPlace(item);
    GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(place.wide ? IDB_HIGHLIGHT_WIDE : IDB_HIGHLIGHT_NARROW),
        IMAGE_BITMAP, 0, 0, 0)));
    BITMAP size = {};
    GetObjectA(bitmap.get(), sizeof size, &size);
    return {place.x, place.y, place.x + size.bmWidth, place.y + size.bmHeight};
}

TitleShot::TitleShot(HWND title) : ScreenPixels(clientAreaOnScreen(title)) {}

TitleShot::Ink TitleShot::ink(const MenuTextLine& line) const {
    Ink result;
    for (int y = line.y; y < line.y + kTextCellHeight; ++y) {
        for (int x = line.columnLeft; x < line.columnLeft + line.columnWidth; ++x) {
            const COLORREF colour = at(x, y);
            if (colour != kOrange && colour != kGrey) continue;
            ++(colour == kOrange ? result.orange : result.grey);
            result.left = std::min(result.left, x);
            result.right = std::max(result.right, x);
        }
    }
    return result;
}

std::string TitleShot::inkSummary(int lineCount) const {
    return summary(lineCount, [this](const MenuTextLine& line) { return inkLetter(ink(line)); });
}

std::string expectedInk(int highlightedItem, int lineCount) {
    return summary(lineCount,
                   [highlightedItem](const MenuTextLine& line) { return line.item == highlightedItem ? 'O' : 'G'; });
}

testing::AssertionResult textAt(const TitleShot& shot, const MenuTextLine& line, const std::string& text, int x) {
    const TextMeasure measure = measureMenuText(text);
    const TitleShot::Ink ink = shot.ink(line);
    if (ink.left == x + measure.inkLeft && ink.right == x + measure.inkRight) return testing::AssertionSuccess();
    return testing::AssertionFailure() << menuLineName(line) << " does not show \"" << text << "\" drawn from x " << x
                                       << ": ink from " << ink.left << " to " << ink.right << ", expected "
                                       << x + measure.inkLeft << " to " << x + measure.inkRight;
}

TitleShot waitForTextAt(HWND title, const MenuTextLine& line, const std::string& text, int x, DWORD timeoutMs) {
    const int left = x + measureMenuText(text).inkLeft;
    TitleShot shot(title);
    waitUntil([&] { return (shot = TitleShot(title)).ink(line).left == left; }, timeoutMs);
    return shot;
}

TitleShot waitForHighlight(HWND title, int item, DWORD timeoutMs) {
    const std::string wanted = expectedInk(item);
    TitleShot shot(title);
    waitUntil([&] { return (shot = TitleShot(title)).inkSummary() == wanted; }, timeoutMs);
    return shot;
}

Difference difference(const ScreenPixels& a, const ScreenPixels& b, const RECT& area) {
    Difference result;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            ++result.count;
            const RECT pixel = {x, y, x + 1, y + 1};
            UnionRect(&result.bounds, &result.bounds, &pixel);  // the first pixel replaces the empty bounds
        }
    }
    return result;
}

void saveScreenshot(const ScreenPixels& capture, const char* fileName) {
    const std::string folder = windowsPathOf(environmentValue("E2E_SCREENSHOT_DIR"));
    if (folder.empty()) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + fileName;
    if (!capture.writeBmp(path.c_str())) ADD_FAILURE() << "cannot write the screenshot " << path;
}

void saveScreen(const char* fileName) {
    if (environmentValue("E2E_SCREENSHOT_DIR").empty()) return;
    saveScreenshot(ScreenPixels({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}), fileName);
}

// ---- Fixture ------------------------------------------------------------------------------

void LauncherTest::SetUp() {
    // Wine keeps one pointer position for every process: one left over the menu by an earlier
    // test would move the highlight as soon as the title window shows.
    SetCursorPos(0, 0);
    ASSERT_TRUE(deleteRegTree(kSettingsKey));
}

void LauncherTest::TearDown() {
    launcher_.terminate();
    SetCursorPos(0, 0);
    EXPECT_TRUE(deleteRegTree(kSettingsKey));
}

void LauncherTest::setPromptFlags(DWORD flags) { ASSERT_TRUE(setRegDword(kSettingsKey, "OTHERS", flags)); }

bool LauncherTest::startLauncher(const LauncherOptions& options) {
    if (launcher_.start(options)) return true;
    ADD_FAILURE() << "the launcher did not start: " << launcher_.lastError();
    return false;
}

HWND LauncherTest::startAtTitleScreen(const LauncherOptions& options) {
    setPromptFlags(15);
    if (!startLauncher(options) || !waitForTitle()) return nullptr;
    expectHighlightAt(__FILE__, __LINE__, 0);  // the first item after start
    return title_;
}

HWND LauncherTest::waitForTitle(DWORD timeoutMs) {
    title_ = waitForWindow(kTitleWindowClass, kGameTitle, launcher_.id(), timeoutMs);
    if (!title_) ADD_FAILURE() << "no title window came; the launcher shows " << describeWindows(launcher_.id());
    return title_;
}

HWND LauncherTest::titleWindowOf() const {
    std::vector<HWND> windows = processWindows(launcher_.id(), kTitleWindowClass);
    return windows.empty() ? nullptr : windows.front();
}

void LauncherTest::closeLauncher() {
    PostMessageA(title_, WM_CLOSE, 0, 0);
    expectExitCode(0);
}

HWND LauncherTest::openOptionsSheet() {
    postClick(title_, 400, 110);
    HWND sheet = waitForWindow("#32770", kGameTitle, launcher_.id(), kWindowTimeoutMs);
    if (!sheet) ADD_FAILURE() << "no sheet came; the launcher shows " << describeWindows(launcher_.id());
    return sheet;
}

void LauncherTest::closeOptionsSheet(HWND sheet, int button) {
    pressSheetButton(sheet, button);
    EXPECT_TRUE(waitUntilGone(sheet, 5000)) << "the sheet is still open";
}

namespace {

// Reports at the caller's line a process that still runs after waitedMs (no exit code) or ended
// with another code; false when it still runs.
bool expectEndedAt(const char* file, int line, const LauncherProcess& process, std::optional<DWORD> exitCode,
                   DWORD code, DWORD waitedMs) {
    if (!exitCode) {
        ADD_FAILURE_AT(file, line) << "the process still runs after " << waitedMs << " ms; it shows "
                                   << describeWindows(process.id());
        return false;
    }
    if (*exitCode != code) ADD_FAILURE_AT(file, line) << "exit code " << *exitCode << ", expected " << code;
    return true;
}

}  // namespace

void LauncherTest::expectExitCodeAt(const char* file, int line, DWORD code, DWORD timeoutMs) {
    expectEndedAt(file, line, launcher_, launcher_.waitForExit(timeoutMs), code, timeoutMs);
}

void LauncherTest::expectStillRunningAt(const char* file, int line) {
    if (!launcher_.running()) {
        std::optional<DWORD> exitCode = launcher_.waitForExit(0);
        ADD_FAILURE_AT(file, line) << "the launcher has ended, exit code " << (exitCode ? long(*exitCode) : -1L);
    }
}

void LauncherTest::expectHighlightAt(const char* file, int line, int item) {
    const std::string shown = waitForHighlight(title_, item).inkSummary();
    if (shown != expectedInk(item))
        ADD_FAILURE_AT(file, line) << "item " << item << " is not the one highlighted:\n  screen   " << shown
                                   << "\n  expected " << expectedInk(item) << "\nthe launcher shows "
                                   << describeWindows(launcher_.id());
}

int LauncherTest::expectNoBoxOnceQueueHandledAt(const char* file, int line, int highlighted) {
    for (int step = 0; step < 2; ++step) {
        highlighted = (highlighted + kMenuItemCount - 1) % kMenuItemCount;
        PostMessageA(title_, WM_KEYDOWN, VK_UP, 0);
        expectHighlightAt(file, line, highlighted);
    }
    if (HWND box = visibleMessageBox(launcher_.id()))
        ADD_FAILURE_AT(file, line) << "unexpected box: \"" << messageBoxText(box) << "\"";
    return highlighted;
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
    if (expectEndedAt(file, line, process, exitCode, code, kExitTimeoutMs) && !shown.empty())
        ADD_FAILURE_AT(file, line) << "it showed " << shown;
}

HWND LauncherTest::nextBoxAt(const char* file, int line, const char* text, const std::vector<int>& buttons,
                             DWORD timeoutMs) {
    testing::ScopedTrace caller(file, line, "the box asked for here");
    HWND box = waitForMessageBox(launcher_.id(), timeoutMs);
    if (!box) {
        ADD_FAILURE() << "\"" << text << "\" did not come; the launcher shows " << describeWindows(launcher_.id());
        return nullptr;
    }
    EXPECT_EQ(messageBoxText(box), text);
    EXPECT_EQ(windowText(box), kGameTitle);
    EXPECT_EQ(GetWindow(box, GW_OWNER), titleWindowOf()) << "over the title window";
    if (!buttons.empty()) {
        EXPECT_EQ(messageBoxButtons(box), buttons);
    }
    return box;
}

void LauncherTest::answer(HWND box, int button) {
    if (!box) return;
    clickButton(box, button);
    EXPECT_TRUE(waitUntilGone(box));
}
