// The title window as the launcher creates it: its place and size, the drag region, the
// highlight under keys and pointer, quitting, the first-start readme and notice, and the
// watch timer started by the resume message.
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "install/child_watch.h"
#include "install/component_offers.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

constexpr DWORD kNoReadmeNoNotice = 15;

// What the title window looked like while the readme viewer was open over it.
struct ViewerSeen {
    std::string text;
    HWND owner = nullptr;
    HWND titleWindowThen = nullptr;
    bool titleVisible = false;
    int busy[kMenuItemCount] = {};
    int closedAs = 0;  // nextEventNumber() as its OK was pressed
};

// Closes a readme viewer with OK, and records what the title window looked like meanwhile.
ViewerSeen closeViewer(HWND viewer) {
    ViewerSeen seen;
    seen.text = dialogItemText(viewer, IDC_README_TEXT);
    seen.owner = GetWindow(viewer, GW_OWNER);
    seen.titleWindowThen = titleWindow;
    seen.titleVisible = titleWindow && IsWindowVisible(titleWindow);
    std::memcpy(seen.busy, busyFlags, sizeof seen.busy);
    seen.closedAs = nextEventNumber();
    clickButton(viewer, IDOK);
    waitUntilGone(viewer, 5000);
    return seen;
}

// Closes every readme viewer that opens until stopped.
class ReadmeViewerWatch : public DialogWatch<ViewerSeen> {
public:
    ReadmeViewerWatch() : DialogWatch<ViewerSeen>(IDC_README_TEXT, closeViewer) {}
};

int countQueued(HWND window, UINT message) {
    int count = 0;
    MSG queued;
    while (PeekMessageA(&queued, window, message, message, PM_REMOVE)) ++count;
    return count;
}

// The exit code of a quit message waiting in the queue, or -1 without one.
int queuedQuitCode() {
    MSG queued;
    if (PeekMessageA(&queued, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(queued.wParam);
    return -1;
}

std::vector<int> highlighted() { return std::vector<int>(highlight, highlight + kMenuItemCount); }
std::vector<int> busy(const int* flags = busyFlags) { return std::vector<int>(flags, flags + kMenuItemCount); }
const std::vector<int> kNone(kMenuItemCount, 0);
std::vector<int> only(int item) {
    std::vector<int> flags = kNone;
    flags[item] = 1;
    return flags;
}

class TitleWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
    }
    void TearDown() override {
        closeTitleWindow();
        std::memset(busyFlags, 0, sizeof busyFlags);
        childWatch = {nullptr, 0};
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }

    // Creates the title window as the launcher does, with "OTHERS" as given (none when
    // negative), answering every box it shows; the resume message is left in the queue.
    HWND create(long long others = kNoReadmeNoNotice) {
        if (others >= 0) {
            EXPECT_TRUE(setRegDword(kSettingsKey, "OTHERS", static_cast<DWORD>(others)));
        }
        MessageBoxWatch watch;
        window_ = openTitleWindow();
        boxes_ = watch.stop();
        return window_;
    }
    // Created, with the resume message handled and the window painted.
    HWND open() {
        HWND window = create();
        pumpMessagesFor(100);
        return window;
    }

    // Input as the window receives it.
    void key(WPARAM virtualKey) { SendMessageA(window_, WM_KEYDOWN, virtualKey, 0); }
    void pointAt(int x, int y) { SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void clickAt(int x, int y) { SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    HWND window_ = nullptr;
    std::vector<AnsweredBox> boxes_;
    CurrentFolder folder_{"title-window"};
};

TEST_F(TitleWindowTest, OpensCentredAt640x480WithPlayHighlighted) {
    ASSERT_NE(nullptr, open());
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(window_, titleWindow);
    EXPECT_TRUE(IsWindowVisible(window_));

    RECT rect;
    GetWindowRect(window_, &rect);
    const LONG left = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    EXPECT_EQ((std::vector<LONG>{left, top, 640, 480}),
              (std::vector<LONG>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}));

    EXPECT_EQ(only(0), highlighted());
    EXPECT_EQ(kNone, busy());
    EXPECT_EQ("QUARLOCK2", windowText(window_));
}

TEST_F(TitleWindowTest, InitialisationQueuesOneResumeMessageWhichStartsTheWatchTimer) {
    ASSERT_NE(nullptr, create());
    // Nothing but the resume message starts the timer.
    EXPECT_FALSE(KillTimer(window_, kWatchTimerId));
    EXPECT_EQ(1, countQueued(window_, kResumeMessage));

    SendMessageA(window_, kResumeMessage, 0, 0);
    EXPECT_TRUE(KillTimer(window_, kWatchTimerId));
}

TEST_F(TitleWindowTest, HitTestAnswersCaptionOnThePictureAndNotOverTheItems) {
    ASSERT_NE(nullptr, open());
    const POINT dragPoints[] = {
        {10, 10},   {324, 50},  {620, 50},  {600, 29},  {400, 89},  {400, 149}, {400, 209},
        {400, 269}, {400, 329}, {400, 389}, {472, 390}, {472, 420}, {472, 448}, {400, 449},
        {560, 449}, {600, 460},
    };
    for (POINT point : dragPoints) {
        SCOPED_TRACE(testing::Message() << "(" << point.x << ", " << point.y << ")");
        EXPECT_EQ(HTCAPTION, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, point.x, point.y)));
    }
    const POINT itemPoints[] = {
        {325, 30},  {619, 88},  {325, 90},  {400, 148}, {400, 150}, {400, 210}, {400, 270},
        {400, 330}, {619, 388}, {325, 390}, {471, 448}, {473, 390}, {619, 448},
    };
    for (POINT point : itemPoints) {
        SCOPED_TRACE(testing::Message() << "(" << point.x << ", " << point.y << ")");
        EXPECT_EQ(HTCLIENT, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, point.x, point.y)));
    }

    // Partly off the screen, positions left of and above the screen are negative.
    MoveWindow(window_, -300, -60, 640, 480, FALSE);
    EXPECT_EQ(HTCAPTION, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, 10, 10)));
    EXPECT_EQ(HTCAPTION, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, 400, 29)));
    EXPECT_EQ(HTCLIENT, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, 400, 31)));
}

TEST_F(TitleWindowTest, KeysMoveTheHighlightRoundTheMenu) {
    ASSERT_NE(nullptr, open());
    const struct {
        WPARAM key;
        int expected;
    } steps[] = {
        {VK_DOWN, 1}, {VK_TAB, 2}, {VK_UP, 1}, {VK_UP, 0}, {VK_UP, 7}, {VK_UP, 6},
        {VK_DOWN, 7}, {VK_DOWN, 0}, {VK_TAB, 1},
        // Keys without a meaning change nothing.
        {VK_ESCAPE, 1}, {VK_LEFT, 1}, {VK_RIGHT, 1}, {VK_SPACE, 1}, {'A', 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "key " << step.key);
        key(step.key);
        EXPECT_EQ(only(step.expected), highlighted());
    }
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(-1, queuedQuitCode());
}

TEST_F(TitleWindowTest, ThePointerHighlightsTheItemUnderIt) {
    ASSERT_NE(nullptr, open());
    const struct {
        int x, y, expected;
    } moves[] = {
        {400, 260, 3}, {619, 448, 7}, {325, 390, 6}, {471, 448, 6}, {619, 30, 0}, {400, 328, 4},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(testing::Message() << "(" << move.x << ", " << move.y << ")");
        pointAt(move.x, move.y);
        EXPECT_EQ(only(move.expected), highlighted());
    }
    // The keyboard goes on from where the pointer left the highlight.
    key(VK_DOWN);
    EXPECT_EQ(only(5), highlighted());
}

// Real pointer input: the system routes it through the hit test, so that moves over the
// picture and clicks on it never reach the dialog procedure.
void movePointerToScreen(POINT point) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (point.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (point.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    pumpMessagesFor(50);
}

void movePointerTo(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    movePointerToScreen(point);
}

void pressAndReleaseButton() {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

TEST_F(TitleWindowTest, ThePointerLeavingTheItemsKeepsTheHighlight) {
    ASSERT_NE(nullptr, open());
    movePointerTo(window_, 400, 250);
    EXPECT_EQ(only(3), highlighted());
    movePointerTo(window_, 100, 100);
    EXPECT_EQ(only(3), highlighted());
    movePointerTo(window_, 400, 269);  // the row between items 3 and 4
    EXPECT_EQ(only(3), highlighted());
    key(VK_DOWN);
    EXPECT_EQ(only(4), highlighted());

    // A click between Quit and the home page starts a drag and activates neither.
    movePointerTo(window_, 472, 420);
    pressAndReleaseButton();
    EXPECT_EQ(-1, pumpMessagesFor(300));
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(only(4), highlighted());
    // Out of the way of the windows of later tests.
    movePointerToScreen({0, 0});
}

TEST_F(TitleWindowTest, MovingWithinTheHighlightedItemRedrawsNothing) {
    ASSERT_NE(nullptr, open());
    // Every composition titles the window and invalidates it: both show a redraw.
    SetWindowTextA(window_, "untouched");
    ValidateRect(window_, nullptr);
    pointAt(330, 35);
    pointAt(600, 80);
    EXPECT_EQ("untouched", windowText(window_));
    EXPECT_FALSE(GetUpdateRect(window_, nullptr, FALSE));
    EXPECT_EQ(only(0), highlighted());

    pointAt(600, 100);
    EXPECT_EQ("QUARLOCK2", windowText(window_));
    EXPECT_TRUE(GetUpdateRect(window_, nullptr, FALSE));
    EXPECT_EQ(only(1), highlighted());
}

TEST_F(TitleWindowTest, TheScreenShowsThePanelBehindTheHighlightedItem) {
    ASSERT_NE(nullptr, open());
    const RECT area = clientAreaOnScreen(window_);
    // The top and bottom rows of a panel hold no text.
    auto rows = [](const ScreenPixels& screen, int top) {
        std::vector<COLORREF> pixels;
        for (int y : {top, top + 59})
            for (int x = 325; x < 620; ++x) pixels.push_back(screen.at(x, y));
        return pixels;
    };
    ScreenPixels before(area);
    key(VK_DOWN);
    pumpMessagesFor(100);
    ScreenPixels after(area);

    // The panel moved from item 0 to item 1, and the picture shows again behind item 0.
    EXPECT_EQ(rows(before, 30), rows(after, 90));
    EXPECT_NE(rows(before, 90), rows(after, 90));
    EXPECT_NE(rows(before, 30), rows(after, 30));
}

TEST_F(TitleWindowTest, InputIsIgnoredWhileAChildIsWatched) {
    ASSERT_NE(nullptr, open());
    childWatch.active = 1;

    key(VK_DOWN);
    key(VK_UP);
    key(VK_RETURN);
    pointAt(400, 260);
    clickAt(400, 420);  // Quit
    EXPECT_EQ(only(0), highlighted());
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(-1, queuedQuitCode());

    // A close request still ends the launcher.
    SendMessageA(window_, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(0, queuedQuitCode());
}

TEST_F(TitleWindowTest, QuitCloseAndCancelDestroyTheWindowAndPostQuitZero) {
    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"IDCANCEL", [this] { SendMessageA(window_, WM_COMMAND, IDCANCEL, 0); }},
        {"close request", [this] { SendMessageA(window_, WM_CLOSE, 0, 0); }},
        {"click on Quit", [this] { clickAt(400, 420); }},
        {"Enter on Quit",
         [this] {
             key(VK_UP);
             key(VK_UP);
             key(VK_RETURN);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(nullptr, open());
        c.act();
        EXPECT_EQ(0, pumpMessagesFor(1000));
        EXPECT_FALSE(IsWindow(window_));
        closeTitleWindow();
    }
}

TEST_F(TitleWindowTest, OtherCommandsAreIgnored) {
    ASSERT_NE(nullptr, open());
    SendMessageA(window_, WM_COMMAND, IDOK, 0);
    SendMessageA(window_, WM_COMMAND, 1234, 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(-1, queuedQuitCode());
}

TEST_F(TitleWindowTest, TheReadmeIsShownOnceAndTheNoticeUntilAllOffersWereMade) {
    const struct {
        const char* what;
        long long others;  // negative: no value
        bool readme;
        bool viewerShown, noticeShown;
        DWORD othersAfter;
    } cases[] = {
        {"first start", 0, true, true, true, 1},
        {"first start, no value yet", -1, true, true, true, 1},
        {"readme seen, offers pending", 1, true, false, true, 1},
        {"offers made, readme not yet seen", 14, true, true, false, 15},
        {"everything done", 15, true, false, false, 15},
        {"no readme", 0, false, false, true, 0},
        {"no readme, offers made", 14, false, false, false, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        if (c.readme) writeFile("readme.txt", "Read me first.\r\n");
        else DeleteFileA("readme.txt");

        ReadmeViewerWatch viewers;
        HWND window = create(c.others);
        std::vector<ViewerSeen> seen = viewers.stop();
        ASSERT_NE(nullptr, window);

        ASSERT_EQ(c.viewerShown ? 1u : 0u, seen.size());
        if (c.viewerShown) {
            EXPECT_EQ("Read me first.\r\n", seen[0].text);
            EXPECT_EQ(window, seen[0].owner);
            EXPECT_EQ(window, seen[0].titleWindowThen);
            // Shown before the title screen itself.
            EXPECT_FALSE(seen[0].titleVisible);
        }
        ASSERT_EQ(c.noticeShown ? 1u : 0u, boxes_.size());
        if (c.noticeShown) {
            EXPECT_EQ(kRequirementsNotice, boxes_[0].text);
            EXPECT_EQ("QUARLOCK2", boxes_[0].caption);
            EXPECT_EQ(window, boxes_[0].owner);
            EXPECT_EQ(std::vector<int>{IDOK}, boxes_[0].buttons);
            EXPECT_FALSE(boxes_[0].hasIcon);
            if (c.viewerShown) {
                EXPECT_GT(boxes_[0].answeredAs, seen[0].closedAs) << "the notice follows the readme";
            }
        }
        // The resume message follows the prompts.
        EXPECT_EQ(1, countQueued(window, kResumeMessage));
        expectRegDword(kSettingsKey, "OTHERS", c.othersAfter);

        closeTitleWindow();
    }
}

TEST_F(TitleWindowTest, TheReadmeItemShowsTheViewerWhileItsBusyFlagIsSet) {
    writeFile("readme.txt", "Menu readme.\r\n");
    ASSERT_NE(nullptr, open());

    const struct {
        const char* what;
        std::function<void()> activate;
    } ways[] = {
        {"click", [this] { clickAt(400, 350); }},
        {"Enter", [this] {
             pointAt(400, 350);
             key(VK_RETURN);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        ReadmeViewerWatch viewers;
        way.activate();
        std::vector<ViewerSeen> seen = viewers.stop();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("Menu readme.\r\n", seen[0].text);
        EXPECT_EQ(window_, seen[0].owner);
        EXPECT_EQ(only(kItemReadme), busy(seen[0].busy));
        EXPECT_EQ(kNone, busy());
        EXPECT_TRUE(IsWindow(window_));
    }

    // Without readme.txt the item does nothing visible.
    DeleteFileA("readme.txt");
    MessageBoxWatch boxes;
    ReadmeViewerWatch viewers;
    clickAt(400, 350);
    EXPECT_TRUE(viewers.stop().empty());
    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_EQ(kNone, busy());
    EXPECT_TRUE(IsWindow(window_));
}

// The home page goes to the shell's handler of web addresses, here a command that writes down
// what it receives; the title window stays as it was, highlight and picture included.
TEST_F(TitleWindowTest, TheHomePageItemHandsTheAddressToTheShellAndChangesNothing) {
    const RegPlace handler{HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command"};
    SavedRegValue saved(handler, "");
    const std::string received = tempPath("home-page.txt");
    DeleteFileA(received.c_str());
    ASSERT_TRUE(setRegString(handler, "", ("cmd.exe /c echo %1>" + received).c_str()));
    ASSERT_NE(nullptr, open());
    pointAt(400, 120);
    SetWindowTextA(window_, "untouched");
    ValidateRect(window_, nullptr);

    clickAt(550, 420);

    // The command's one line is whole once its line end is written.
    std::string address;
    waitUntil([&] { return (address = readFileText(received)).find("\r\n") != std::string::npos; }, 5000);
    DeleteFileA(received.c_str());
    EXPECT_EQ("http://www.briskel.example/\r\n", address);
    EXPECT_EQ(only(1), highlighted());
    EXPECT_EQ(kNone, busy());
    EXPECT_EQ("untouched", windowText(window_));
    EXPECT_FALSE(GetUpdateRect(window_, nullptr, FALSE));
    EXPECT_TRUE(IsWindow(window_));
}

}  // namespace
