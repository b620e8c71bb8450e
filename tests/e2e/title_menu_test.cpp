// Driving the title screen's menu: keys, presses outside the items, and the ways of ending the
// launcher.
#include "tests/support/launcher_e2e.h"

namespace {

// A key pressed and released, as the message loop would take it from the keyboard.
void postKey(HWND window, WPARAM virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

class TitleMenu : public LauncherTest {
protected:
    void key(WPARAM virtualKey) { postKey(title_, virtualKey); }
};

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
    for (const WPARAM other : std::initializer_list<WPARAM>{VK_ESCAPE, VK_SPACE, VK_LEFT, VK_RIGHT, 'A'}) key(other);
    key(VK_DOWN);
    expectHighlight(7);
    expectStillRunning();
}

// Outside the items lies the drag region (its hit test is checked under Wine): presses there reach
// no item, so nothing is activated (Quit lies next to them, and a click on it ends the launcher,
// below) and the highlight stays where it was.
TEST_F(TitleMenu, PressesOutsideTheItemsActivateNothing) {
    ASSERT_TRUE(startAtTitleScreen());
    for (const POINT place : {POINT{400, 449}, POINT{472, 420}, POINT{400, 89}, POINT{100, 100}})
        postClick(title_, place.x, place.y);
    key(VK_DOWN);
    expectHighlight(1);
    expectStillRunning();
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
