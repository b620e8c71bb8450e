// The title window as the launcher creates it: its place and size, the drag region, the
// highlight under keys and pointer, quitting, the first-start readme and notice, and the
// watch timer started by the resume message.
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/launcher_texts.h"
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
        endChildWatch();
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }

    // Creates the title window as the launcher does, with "OTHERS" as given, answering every
    // box it shows; the resume message is left in the queue.
    HWND create(DWORD others = kNoReadmeNoNotice) {
        EXPECT_TRUE(setRegDword(kSettingsKey, "OTHERS", others));
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

    // Activating the readme item shows the readme over the title window while the item's busy
    // flag is set.
    void expectReadmeItemShowsTheViewer(const std::function<void()>& activate) {
        writeFile("readme.txt", "Menu readme.\r\n");
        ASSERT_NE(nullptr, open());
        ReadmeViewerWatch viewers;
        activate();
        std::vector<ViewerSeen> seen = viewers.stop();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("Menu readme.\r\n", seen[0].text);
        EXPECT_EQ(window_, seen[0].owner);
        EXPECT_EQ(only(kItemReadme), busy(seen[0].busy));
        EXPECT_EQ(kNone, busy());
        EXPECT_TRUE(IsWindow(window_));
    }

    // Input as the window receives it, and the pointer moved as the mouse moves it.
    void key(WPARAM virtualKey) { SendMessageA(window_, WM_KEYDOWN, virtualKey, 0); }
    void pointAt(int x, int y) { SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void clickAt(int x, int y) { SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void movePointer(int x, int y) {
        movePointerTo(window_, x, y);
        pumpMessagesFor(50);
    }

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
        {560, 449}, {600, 460}, {400, 29},  {100, 100}, {0, 0},
    };
    for (POINT point : dragPoints) {
        SCOPED_TRACE(testing::Message() << "(" << point.x << ", " << point.y << ")");
        EXPECT_EQ(HTCAPTION, SendMessageA(window_, WM_NCHITTEST, 0, screenPoint(window_, point.x, point.y)));
    }
    const POINT itemPoints[] = {
        {325, 30},  {619, 88},  {325, 90},  {400, 148}, {400, 150}, {400, 210}, {400, 270},
        {400, 330}, {619, 388}, {325, 390}, {471, 448}, {473, 390}, {619, 448}, {400, 90},
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

// Real pointer input: the system routes it through the hit test, so that the item under the
// pointer lights up, while moves over the picture and between the items, and clicks there, never
// reach the dialog procedure.
TEST_F(TitleWindowTest, ThePointerHighlightsTheItemUnderItAndLeavingTheItemsKeepsTheHighlight) {
    ASSERT_NE(nullptr, open());
    const struct {
        int x, y, expected;
    } moves[] = {
        {400, 260, 3}, {619, 448, 7}, {325, 390, 6}, {471, 448, 6}, {619, 30, 0}, {400, 328, 4}, {400, 360, 5},
        {600, 440, 7}, {330, 215, 3}, {400, 250, 3}, {100, 100, 3}, {400, 269, 3} /* between items 3 and 4 */,
        {400, 89, 3},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(testing::Message() << "(" << move.x << ", " << move.y << ")");
        movePointer(move.x, move.y);
        EXPECT_EQ(only(move.expected), highlighted());
    }
    // The keyboard goes on from where the pointer left the highlight.
    key(VK_DOWN);
    EXPECT_EQ(only(4), highlighted());

    // A click between Quit and the home page starts a drag and activates neither.
    movePointer(472, 420);
    clickPointer();
    EXPECT_EQ(-1, pumpMessagesFor(300));
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(only(4), highlighted());
    movePointer(420, 400);
    EXPECT_EQ(only(6), highlighted());
    // Out of the way of the windows of later tests.
    SetCursorPos(0, 0);
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

TEST_F(TitleWindowTest, OtherCommandsAreIgnored) {
    ASSERT_NE(nullptr, open());
    SendMessageA(window_, WM_COMMAND, IDOK, 0);
    SendMessageA(window_, WM_COMMAND, 1234, 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(-1, queuedQuitCode());
}

// The first start: the readme before the title screen shows, then the notice. Which start shows
// which prompt, and how, is checked end to end.
TEST_F(TitleWindowTest, OnTheFirstStartTheReadmeThenTheNoticeComeBeforeTheTitleScreen) {
    writeFile("readme.txt", "Read me first.\r\n");
    ReadmeViewerWatch viewers;
    HWND window = create(0);
    std::vector<ViewerSeen> seen = viewers.stop();
    ASSERT_NE(nullptr, window);

    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Read me first.\r\n", seen[0].text);
    EXPECT_EQ(window, seen[0].owner);
    EXPECT_FALSE(seen[0].titleVisible) << "shown before the title screen itself";
    ASSERT_EQ(1u, boxes_.size());
    expectBox(boxes_[0], kRequirementsNotice, kGameTitle, window);
    EXPECT_FALSE(boxes_[0].hasIcon);
    EXPECT_GT(boxes_[0].answeredAs, seen[0].closedAs) << "the notice follows the readme";
    expectRegDword(kSettingsKey, "OTHERS", 1);
}

// Whichever prompts a start shows, the title window is the launcher's while the readme shows,
// and one resume message follows them.
TEST_F(TitleWindowTest, TheResumeMessageFollowsThePromptsWhicheverCome) {
    for (const bool readme : {true, false}) {
        for (const DWORD others : {0u, 1u, 14u, 15u}) {
            SCOPED_TRACE(testing::Message() << "OTHERS " << others << (readme ? ", readme" : ", no readme"));
            if (readme) writeFile("readme.txt", "Read me first.\r\n");
            else DeleteFileA("readme.txt");
            ReadmeViewerWatch viewers;
            HWND window = create(others);
            for (const ViewerSeen& seen : viewers.stop()) EXPECT_EQ(window, seen.titleWindowThen);
            EXPECT_EQ(1, countQueued(window, kResumeMessage));
            closeTitleWindow();
        }
    }
}

TEST_F(TitleWindowTest, AClickOnTheReadmeItemShowsTheViewerWhileItsBusyFlagIsSet) {
    expectReadmeItemShowsTheViewer([this] { clickAt(400, 350); });
}

TEST_F(TitleWindowTest, EnterOnTheReadmeItemShowsTheViewerWhileItsBusyFlagIsSet) {
    expectReadmeItemShowsTheViewer([this] {
        pointAt(400, 350);
        key(VK_RETURN);
    });
}

TEST_F(TitleWindowTest, WithoutReadmeTheReadmeItemDoesNothingVisible) {
    ASSERT_NE(nullptr, open());
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
