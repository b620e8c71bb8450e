// Driving the title screen's menu: keys, the pointer, presses outside the items, and the
// ways of ending the launcher.
#include "tests/support/launcher_e2e.h"

namespace {

// A key pressed and released, as the message loop would take it from the keyboard.
void postKey(HWND window, WPARAM virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

class TitleMenu : public LauncherTest {
protected:
    void post(UINT message, WPARAM wParam, LPARAM lParam) { PostMessageA(title_, message, wParam, lParam); }
    void key(WPARAM virtualKey) { postKey(title_, virtualKey); }
    void expectHighlightAt(const char* file, int line, int item) {
        TitleShot shot = waitForHighlight(title_, item);
        if (shot.inkSummary() != expectedInk(item))
            ADD_FAILURE_AT(file, line) << "item " << item << " is not the one highlighted:\n  screen   "
                                       << shot.inkSummary() << "\n  expected " << expectedInk(item);
    }
    // Moves the pointer, as the mouse would, to a client point of the title window: the
    // launcher learns of it through hit testing, unlike a posted WM_MOUSEMOVE.
    void pointTo(int x, int y) {
        POINT point = {x, y};
        ClientToScreen(title_, &point);
        SetCursorPos(point.x, point.y);
    }
};
#define expectHighlight(item) expectHighlightAt(__FILE__, __LINE__, item)

TEST_F(TitleMenu, KeysMoveTheHighlightRoundTheMenu) {
    ASSERT_TRUE(startAtTitleScreen());
    key(VK_UP);
    expectHighlight(7);
    key(VK_DOWN);
    expectHighlight(0);
    key(VK_TAB);
    expectHighlight(1);
    for (int step = 0; step < 6; ++step) key(VK_DOWN);
    expectHighlight(7);
    key(VK_UP);
    expectHighlight(6);
    // Escape and other keys change nothing and end nothing; the Down behind them shows that
    // they were handled.
    key(VK_ESCAPE);
    key(VK_SPACE);
    key(VK_LEFT);
    key(VK_DOWN);
    expectHighlight(7);
    expectStillRunning();
}

TEST_F(TitleMenu, PointerHighlightsTheItemUnderIt) {
    ASSERT_TRUE(startAtTitleScreen());
    post(WM_MOUSEMOVE, 0, MAKELPARAM(400, 360));
    expectHighlight(5);
    post(WM_MOUSEMOVE, 0, MAKELPARAM(600, 440));
    expectHighlight(7);

    pointTo(330, 215);
    expectHighlight(3);
    // Over the picture the pointer belongs to the drag region: the last item stays lit.
    pointTo(100, 100);
    Sleep(300);
    expectHighlight(3);
    pointTo(400, 89);
    Sleep(300);
    expectHighlight(3);
    key(VK_DOWN);
    expectHighlight(4);
    pointTo(472, 420);
    Sleep(300);
    expectHighlight(4);
    pointTo(420, 400);
    expectHighlight(6);
    expectStillRunning();
}

TEST_F(TitleMenu, OutsideTheItemsIsTheDragRegion) {
    ASSERT_TRUE(startAtTitleScreen());
    struct Place {
        int x, y;
        LRESULT hit;
    };
    const Place places[] = {
        // Between items, beside and above them, and on the picture.
        {400, 89, HTCAPTION}, {400, 449, HTCAPTION}, {472, 420, HTCAPTION}, {324, 50, HTCAPTION},
        {620, 50, HTCAPTION}, {400, 29, HTCAPTION}, {100, 100, HTCAPTION}, {0, 0, HTCAPTION},
        // The corners of items.
        {325, 30, HTCLIENT}, {619, 88, HTCLIENT}, {400, 90, HTCLIENT}, {471, 448, HTCLIENT},
        {473, 390, HTCLIENT}, {619, 448, HTCLIENT},
    };
    for (const Place& place : places) {
        DWORD_PTR hit = 0;
        ASSERT_TRUE(SendMessageTimeoutA(title_, WM_NCHITTEST, 0, screenPoint(title_, place.x, place.y),
                                        SMTO_ABORTIFHUNG, 2000, &hit));
        EXPECT_EQ(static_cast<LRESULT>(hit), place.hit) << "at client point " << place.x << ", " << place.y;
    }

    // Presses there reach no item: nothing is activated (Quit lies next to them) and the
    // highlight stays where it was.
    for (const Place& place : {Place{400, 449, 0}, Place{472, 420, 0}, Place{400, 89, 0}, Place{100, 100, 0}})
        postClick(title_, place.x, place.y);
    key(VK_DOWN);
    expectHighlight(1);
    expectStillRunning();

    // A press on an item does activate it.
    post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(330, 395));
    expectExitCode(0);
}

// Each way of ending the launcher from its title screen; all end with exit code 0.
struct CloseWay {
    const char* name;
    void (*close)(HWND title);
};

const CloseWay kCloseWays[] = {
    {"EnterOnQuit",
     [](HWND title) {
         postKey(title, VK_UP);
         postKey(title, VK_UP);
         postKey(title, VK_RETURN);
     }},
    {"ClickOnQuit", [](HWND title) { postClick(title, 471, 448); }},
    // Alt+F4 typed on the keyboard, while the title window is the foreground window.
    {"AltF4Typed",
     [](HWND title) {
         SetForegroundWindow(title);
         ASSERT_TRUE(waitUntil([title] { return GetForegroundWindow() == title; }, 2000));
         keybd_event(VK_MENU, 0, 0, 0);
         keybd_event(VK_F4, 0, 0, 0);
         keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
         keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
     }},
    {"AltF4Posted",
     [](HWND title) { PostMessageA(title, WM_SYSKEYDOWN, VK_F4, 0x20000001 | (MapVirtualKeyA(VK_F4, 0) << 16)); }},
    {"SystemMenuClose", [](HWND title) { PostMessageA(title, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"CloseMessage", [](HWND title) { PostMessageA(title, WM_CLOSE, 0, 0); }},
};

std::ostream& operator<<(std::ostream& out, const CloseWay& way) { return out << way.name; }

class EndingTheLauncher : public LauncherTest, public testing::WithParamInterface<CloseWay> {};

TEST_P(EndingTheLauncher, EndsWithExitCodeZero) {
    ASSERT_TRUE(startAtTitleScreen());
    GetParam().close(title_);
    expectExitCode(0);
    EXPECT_FALSE(IsWindow(title_));
    // Quitting writes nothing.
    expectRegValueCount(kSettingsKey, 1);
    expectRegDword(kSettingsKey, "OTHERS", 15);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTheLauncher, testing::ValuesIn(kCloseWays), testing::PrintToStringParamName());

}  // namespace
