// Shared ground of the end-to-end tests: the fixture that starts the launcher from the CD
// drive and cleans up after it, its windows, reading the title screen off the display, and
// looking at a launcher that may be blocked in a wait.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/launcher_texts.h"
#include "common/message_texts.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"
#include "tests/support/files.h"
#include "tests/support/launcher_process.h"
#include "tests/support/menu_lines.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

constexpr DWORD kWindowTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 5000;

// Describes the process's visible top-level windows, for failure messages.
std::string describeWindows(DWORD processId);

// A press and release of the left button at a client point, posted as the mouse sends them.
void postClick(HWND window, int x, int y);

// Whether the thread that owns the window answers a message within the time.
bool answers(HWND window, UINT timeoutMs);
// While the launcher waits for a program it answers what other programs send, but takes none
// of its input: a text sent to the title window stays there for waitMs although a pointer move
// over "OPTIONS", a Down key and a click on "Install QUARLOCK2" are queued behind it. None of
// them acts when the wait is over.
bool waitsTakingNoInput(HWND title, DWORD waitMs = 500);
// Whether the wait that waitsTakingNoInput saw has ended, waited for: the title window's text is
// its own again once the title screen has been drawn after the wait.
bool waitHasEnded(HWND title);

// ---- The title screen as it shows on the display -------------------------------------

// How a text comes out in the menu font (bold 14-pixel Times New Roman) on this display: the
// width it measures, and the first and last columns that its glyphs colour, relative to
// where it is drawn.
struct TextMeasure {
    int extent = 0;
    int inkLeft = 0, inkRight = 0;
};
TextMeasure measureMenuText(const std::string& text);

// The highlight panel of an item where the menu table puts it, as large as its bitmap; right
// and bottom exclusive.
RECT highlightPanel(int item);

// The title window's client area, copied from the screen (the window must be on top).
class TitleShot : public ScreenPixels {
public:
    explicit TitleShot(HWND title);

    struct Ink {
        int orange = 0, grey = 0;
        int left = INT_MAX, right = INT_MIN;  // columns holding text colour, inclusive
    };
    Ink ink(const MenuTextLine& line) const;
    // One entry per line of the first lineCount, "Play QUARLOCK2=O, OPTIONS=G, ...": O orange
    // only, G grey only, - no text, X both.
    std::string inkSummary(int lineCount = kMenuTextLineCount) const;
};

// Whether the line's glyphs lie where text, measured in the menu font, puts them when drawn from
// x; where they lie otherwise.
testing::AssertionResult textAt(const TitleShot& shot, const MenuTextLine& line, const std::string& text, int x);
// Captures until the line's glyphs start where text drawn from x starts them, or the time is up;
// the last capture.
TitleShot waitForTextAt(HWND title, const MenuTextLine& line, const std::string& text, int x, DWORD timeoutMs = 3000);

// The summary a title screen with that item highlighted shows.
std::string expectedInk(int highlightedItem, int lineCount = kMenuTextLineCount);

// Captures until the screen shows that item highlighted, or the time is up; the last capture.
TitleShot waitForHighlight(HWND title, int item, DWORD timeoutMs = 3000);

// The differing pixels of two captures, bounded to an area.
struct Difference {
    int count = 0;
    RECT bounds = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};  // right and bottom exclusive
};
Difference difference(const ScreenPixels& a, const ScreenPixels& b, const RECT& area);

// Saves the capture, or the whole screen, under E2E_SCREENSHOT_DIR (a Windows or Unix folder),
// when it is set.
void saveScreenshot(const ScreenPixels& capture, const char* fileName);
void saveScreen(const char* fileName);

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
    HWND startAtTitleScreen(const LauncherOptions& options = {});
    // The title window once it shows, kept in title_; nullptr (with a failure) when none came.
    HWND waitForTitle(DWORD timeoutMs = kWindowTimeoutMs);
    // The title window even while it is still hidden, or nullptr.
    HWND titleWindowOf() const;
    // Asks the title window to close and expects the launcher to end with exit code 0.
    void closeLauncher();
    // Presses OPTIONS and answers the sheet that opens, or nullptr (with a failure).
    HWND openOptionsSheet();
    // Presses the sheet's button (PSBTN_OK, PSBTN_CANCEL) and expects the sheet to close.
    void closeOptionsSheet(HWND sheet, int button);

    // A folder without readme.txt, removed after the test.
    std::string folderWithoutReadme() const { return emptyFolder_.root(); }

    void expectExitCodeAt(const char* file, int line, DWORD code, DWORD timeoutMs = kExitTimeoutMs);
    void expectStillRunningAt(const char* file, int line);
    // The screen shows that item highlighted, waited for.
    void expectHighlightAt(const char* file, int line, int item);
    // The launcher has handled all that was queued for it, and no message box came of it: an Up
    // key moves the highlight back from the item given, and a second one, posted once the first has
    // acted (so after whatever the launcher posted itself meanwhile), moves it again. Up, because
    // the tests queue only moves downwards: no state on their way is one of these. Only while
    // the title screen takes input; answers the item highlighted then.
    int expectNoBoxOnceQueueHandledAt(const char* file, int line, int highlighted);
    // The process ends within the time with that code and shows no window meanwhile.
    void expectEndsWithoutWindowAt(const char* file, int line, LauncherProcess& process, DWORD code);
    // A message box of the launcher over its title window (none while there is none), with that
    // text and caption, and with these buttons when they are given; nullptr when none came.
    HWND nextBoxAt(const char* file, int line, const char* text, const std::vector<int>& buttons = {},
                   DWORD timeoutMs = kWindowTimeoutMs);
    // Presses the button of a box (nullptr: none) and waits until it has gone.
    void answer(HWND box, int button);

    LauncherProcess launcher_;
    HWND title_ = nullptr;

private:
    ScratchFolder emptyFolder_{"launcher-e2e-"};
};

#define expectExitCode(...) expectExitCodeAt(__FILE__, __LINE__, __VA_ARGS__)
#define expectStillRunning() expectStillRunningAt(__FILE__, __LINE__)
#define expectHighlight(item) expectHighlightAt(__FILE__, __LINE__, item)
#define expectNoBoxOnceQueueHandled(highlighted) expectNoBoxOnceQueueHandledAt(__FILE__, __LINE__, highlighted)
#define expectEndsWithoutWindow(process, code) expectEndsWithoutWindowAt(__FILE__, __LINE__, process, code)
#define nextBox(...) nextBoxAt(__FILE__, __LINE__, __VA_ARGS__)
