// Shared ground of the end-to-end tests: the fixture that starts the launcher from the CD
// drive and cleans up after it, its windows, and reading the title screen off the display.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/launcher_process.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

extern const RegPlace kLauncherKey;  // HKLM\Software\ORVANE\QUARLOCK2

constexpr const char* kTitleClass = "TEST";
constexpr const char* kGameCaption = "QUARLOCK2";
constexpr int kReadmeEditId = 1030;
constexpr DWORD kWindowTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 5000;

bool isReadmeViewer(HWND dialog);
// Describes the process's visible top-level windows, for failure messages.
std::string describeWindows(DWORD processId);

// Where the client point (x, y) of the window lies on the screen, packed as a WM_NCHITTEST
// parameter wants it.
LPARAM screenPointParam(HWND window, int x, int y);

// ---- The title screen as it shows on the display -------------------------------------

// The menu's ten text lines as the title screen draws them (client coordinates): each is
// centred in its column, the save path while it fits 285 pixels.
struct MenuLine {
    const char* name;
    const char* text;  // nullptr: the driver name or the save path, which depend on settings
    int item;
    int left, width, top;
};
extern const std::vector<MenuLine> kMenuLines;
const MenuLine& menuLine(const char* name);

constexpr COLORREF kOrange = RGB(255, 120, 30);
constexpr COLORREF kGrey = RGB(184, 184, 184);

// How a text comes out in the menu font (bold 14-pixel Times New Roman) on this display: the
// width it measures, and the first and last columns that its glyphs colour, relative to
// where it is drawn.
struct TextMeasure {
    int extent = 0;
    int inkLeft = 0, inkRight = 0;
};
TextMeasure measureMenuText(const std::string& text);

// The highlight panel of an item, right and bottom exclusive (one row taller than the item).
RECT highlightPanel(int item);

// The title window's client area, copied from the screen (the window must be on top).
class TitleShot {
public:
    explicit TitleShot(HWND title);
    COLORREF at(int x, int y) const { return pixels_.at(x, y); }
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    bool writeBmp(const char* path) const { return pixels_.writeBmp(path); }

    struct Ink {
        int orange = 0, grey = 0;
        int left = INT_MAX, right = INT_MIN;  // columns holding text colour, inclusive
    };
    Ink ink(const MenuLine& line) const;
    // One word per line, "Play:O OPTIONS:G ...": O orange only, G grey only, - no text, X both.
    std::string inkSummary() const;

private:
    ScreenPixels pixels_;
};

// The summary a title screen with that item highlighted shows.
std::string expectedInk(int highlightedItem);

// Captures until the screen shows that item highlighted, or the time is up; the last capture.
TitleShot waitForHighlight(HWND title, int item, DWORD timeoutMs = 3000);

// The differing pixels of two captures, bounded to an area.
struct Difference {
    int count = 0;
    RECT bounds = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};  // right and bottom exclusive
};
Difference difference(const TitleShot& a, const TitleShot& b, const RECT& area);

// Saves the capture under E2E_SCREENSHOT_DIR (a Windows or Unix folder), when it is set.
void saveScreenshot(const TitleShot& shot, const char* fileName);

// ---- The fixture ------------------------------------------------------------------------

class LauncherTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Prompt flags ("OTHERS") for the next start; the key is created with that one value.
    void setPromptFlags(DWORD flags);

    // Starts the launcher from the CD drive; false (with a recorded failure) when it failed.
    bool startLauncher(const LauncherOptions& options = {});
    // Starts it with the prompts done, waits for the title window and for item 0 highlighted.
    HWND startAtTitleScreen();
    HWND waitForTitle(DWORD timeoutMs = kWindowTimeoutMs);
    // The title window even while it is still hidden, or nullptr.
    HWND titleWindowOf() const;

    // A folder without readme.txt, made on first use and removed after the test.
    std::string folderWithoutReadme();

    void expectExitCodeAt(const char* file, int line, DWORD code, DWORD timeoutMs = kExitTimeoutMs);
    void expectStillRunningAt(const char* file, int line);
    // The process ends within the time with that code and shows no window meanwhile.
    void expectEndsWithoutWindowAt(const char* file, int line, LauncherProcess& process, DWORD code);

    LauncherProcess launcher_;

private:
    std::string emptyFolder_;
};

#define expectExitCode(...) expectExitCodeAt(__FILE__, __LINE__, __VA_ARGS__)
#define expectStillRunning() expectStillRunningAt(__FILE__, __LINE__)
#define expectEndsWithoutWindow(process, code) expectEndsWithoutWindowAt(__FILE__, __LINE__, process, code)
