// The watch over a background installer, with a real child process (this test program run
// with --sleep-ms) and the real title window, polled the way the launcher's loop does.
#include <windows.h>

#include <functional>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "install/component_rules.h"
#include "install/child_watch.h"
#include "install/component_offers.h"
#include "common/message_catalogue.h"
#include "launcher/startup.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "tests/support/launcher_state.h"
#include "tests/support/processes.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

ULONGLONG systemTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The watch timer as the design fixes it, and not as the launcher names it.
constexpr UINT_PTR kWatchTimer = 9999;
constexpr ULONGLONG kWatchPeriod = 3000 * 10000ULL;  // in the 100 ns of a system time

// What the launcher's loop saw while it ran.
struct LoopRun {
    int endsHandled = 0;
    int resumeMessages = 0;
    DWORD handledAt = 0;        // tick count
    MSG handledOn = {};         // the message before which the first end was handled
    ULONGLONG handledTime = 0;  // when, as a system time
    std::vector<ULONGLONG> earlierTicks;  // when the watch timer's ticks before it came
};

class ChildWatchTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        // No readme and no notice at initialisation.
        ASSERT_TRUE(setRegDword(kSettingsKey, "OTHERS", 15));
        ASSERT_NE(nullptr, openTitleWindow());
        timerStarted_ = systemTimeNow();
        pumpMessagesFor(100);  // the resume message starts the watch timer
        showPleaseWait(titleWindow);
        ASSERT_NE(nullptr, pleaseWaitWindow);
        pleaseWait_ = pleaseWaitWindow;
    }
    void TearDown() override {
        endChildWatch();
        if (IsWindow(pleaseWait_)) DestroyWindow(pleaseWait_);
        pleaseWaitWindow = nullptr;
        closeTitleWindow();
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }

    // The launcher's loop: waits for a message, polls the watch, dispatches the message;
    // for runMs, and stops early extraMs after the first handled end. afterEnd runs right
    // after the poll that handled the end, before anything else is dispatched.
    LoopRun runLoop(DWORD runMs, DWORD extraMs, const std::function<void()>& afterEnd = [] {}) {
        LoopRun run;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < runMs && !(run.endsHandled && GetTickCount() - run.handledAt >= extraMs)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
            const bool tick = message.message == WM_TIMER && message.wParam == kWatchTimer;
            if (pollChildWatch(titleWindow)) {
                if (++run.endsHandled == 1) {
                    run.handledAt = GetTickCount();
                    run.handledOn = message;
                    run.handledTime = systemTimeNow();
                    afterEnd();
                }
            } else if (tick && !run.endsHandled) {
                run.earlierTicks.push_back(systemTimeNow());
            }
            if (message.message == kResumeMessage && message.hwnd == titleWindow) ++run.resumeMessages;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return run;
    }

    HWND pleaseWait_ = nullptr;
    ULONGLONG timerStarted_ = 0;  // just before the resume message started the watch timer
};

TEST_F(ChildWatchTest, TheEndOfTheWatchedChildIsHandledOnceAtTheNextTimerTick) {
    HWND title = titleWindow;
    // Another window over the title window, which the end of the watch brings back up.
    TestWindow cover(true, {300, 200, 500, 300}, WS_EX_TOOLWINDOW);
    ASSERT_TRUE(isAbove(cover, title));

    SleepingChild child(300);
    ASSERT_TRUE(child.started());
    ASSERT_EQ(1, armChildWatch(child.open(SYNCHRONIZE)));
    EXPECT_EQ(1, childWatch.active);

    // While the child runs the poll leaves everything as it is.
    EXPECT_EQ(0, pollChildWatch(titleWindow));
    EXPECT_TRUE(IsWindow(pleaseWait_));
    EXPECT_EQ(1, childWatch.active);
    EXPECT_NE(nullptr, childWatch.process.get());
    pumpMessagesFor(50);
    ValidateRect(title, nullptr);

    LoopRun run = runLoop(8000, 300, [&] {
        // The timer stops with the watch; the resume message starts it again.
        EXPECT_FALSE(KillTimer(title, kWatchTimer));
        EXPECT_TRUE(!IsWindow(pleaseWait_) && pleaseWaitWindow == nullptr);
        EXPECT_TRUE(isAbove(title, cover));
        RECT update = {}, client = {};
        GetClientRect(title, &client);
        EXPECT_TRUE(GetUpdateRect(title, &update, FALSE) && EqualRect(&update, &client)) << "the whole window redraws";
    });

    EXPECT_EQ(1, run.endsHandled);
    EXPECT_EQ(1, run.resumeMessages);
    EXPECT_EQ(0, childWatch.active);
    EXPECT_EQ(nullptr, childWatch.process.get());
    // Nothing but the watch timer wakes the loop here: the first of its ticks that came after the
    // child ended finds it ended.
    EXPECT_EQ(run.handledOn.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(run.handledOn.wParam, kWatchTimer);
    EXPECT_GT(run.handledTime, child.endTime());
    // The child ended long before the timer's first tick, which comes one period after its start.
    EXPECT_GE(run.handledTime - timerStarted_, kWatchPeriod - kWatchPeriod / 30);
    for (ULONGLONG tick : run.earlierTicks) EXPECT_LT(tick, child.endTime());
    EXPECT_TRUE(KillTimer(title, kWatchTimer));

    // Later polls find nothing to do.
    EXPECT_EQ(0, pollChildWatch(titleWindow));
}

TEST_F(ChildWatchTest, ArmingWithoutAProcessIsRefused) {
    EXPECT_EQ(0, armChildWatch(nullptr));
    EXPECT_EQ(0, childWatch.active);
    EXPECT_EQ(nullptr, childWatch.process.get());
    EXPECT_EQ(0, pollChildWatch(titleWindow));
    EXPECT_TRUE(IsWindow(pleaseWait_));
}

TEST_F(ChildWatchTest, AWatchWhoseWaitFailsStaysActive) {
    SleepingChild child(0);
    ASSERT_TRUE(child.started());
    HANDLE unwaitable = child.open(PROCESS_QUERY_LIMITED_INFORMATION);
    ASSERT_NE(nullptr, unwaitable);
    armChildWatch(unwaitable);
    ASSERT_TRUE(child.waitForEnd());

    EXPECT_EQ(0, pollChildWatch(titleWindow));
    EXPECT_EQ(0, pollChildWatch(titleWindow));
    MSG resume;
    EXPECT_FALSE(PeekMessageA(&resume, titleWindow, kResumeMessage, kResumeMessage, PM_NOREMOVE));
    EXPECT_TRUE(KillTimer(titleWindow, kWatchTimer));
    EXPECT_EQ(1, childWatch.active);
    EXPECT_EQ(unwaitable, childWatch.process.get());
    EXPECT_TRUE(IsWindow(pleaseWait_));
}

// Alt+F4 while an installer is watched: its please-wait window goes with the title window,
// no handle outlives them, and the poll then ends the watch without touching a window.
TEST_F(ChildWatchTest, ClosingTheTitleWindowDuringAWatchLeavesNoStaleHandle) {
    DestroyWindow(pleaseWait_);
    HWND title = titleWindow;
    messageOwner = title;
    SleepingChild child(300);
    ASSERT_TRUE(child.started());
    StartedProcess started(PROCESS_INFORMATION{child.open(SYNCHRONIZE), nullptr, child.id(), 0});
    ASSERT_EQ(1, watchInstaller(started));
    HWND pleaseWait = pleaseWaitWindow;
    ASSERT_TRUE(IsWindow(pleaseWait));

    SendMessageA(title, WM_COMMAND, IDCANCEL, 0);

    EXPECT_FALSE(IsWindow(title));
    EXPECT_FALSE(IsWindow(pleaseWait));
    EXPECT_EQ(nullptr, titleWindow);
    EXPECT_EQ(nullptr, pleaseWaitWindow);
    ASSERT_TRUE(child.waitForEnd());
    EXPECT_EQ(1, pollChildWatch(titleWindow));
    EXPECT_EQ(0, childWatch.active);
    MSG queued;  // the quit message, and nothing for a window
    while (PeekMessageA(&queued, nullptr, 0, 0, PM_REMOVE)) EXPECT_NE(kResumeMessage, queued.message);
    messageOwner = nullptr;
}

// The watched installer ends and the next message is a click that opens the readme: the click
// keeps its meaning, and the next question comes once, when the viewer has closed.
TEST_F(ChildWatchTest, TheNextQuestionWaitsForTheDialogThatAClickOpened) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    SetCurrentDirectoryA("D:\\");  // the demo CD's readme.txt
    launcherSettings.promptFlags = 7;  // DirectX Media is yet to be offered
    SleepingChild child(0);
    ASSERT_TRUE(child.started());
    ASSERT_EQ(1, armChildWatch(child.open(SYNCHRONIZE)));
    ASSERT_TRUE(child.waitForEnd());
    PostMessageA(titleWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 350));  // View Readme.txt

    struct Seen {
        bool viewer = false, questionOverViewer = false;
        std::vector<std::string> questions;
    };
    const DWORD loopThread = GetCurrentThreadId();
    auto seen = std::async(std::launch::async, [loopThread] {
        Seen result;
        const DWORD self = GetCurrentProcessId();
        HWND viewer = waitForDialog(self, IDC_README_TEXT, 5000);
        result.viewer = viewer != nullptr;
        Sleep(500);  // time enough for the viewer's loop to dispatch what is queued
        for (HWND box; (box = visibleMessageBox(self)) != nullptr; waitUntilGone(box, 2000)) {
            result.questionOverViewer = true;
            result.questions.push_back(messageBoxText(box));
            clickButton(box, IDNO);
        }
        if (viewer) clickButton(viewer, IDOK);
        for (AnsweredBox box; (box = answerNextMessageBox(IDNO, 2000).get()).seen;)
            result.questions.push_back(box.text);
        PostMessageA(titleWindow, WM_CLOSE, 0, 0);
        if (!titleWindow) PostThreadMessageA(loopThread, WM_QUIT, 0, 0);
        return result;
    });
    EXPECT_EQ(0, runMessageLoop());
    const Seen result = seen.get();
    SetCurrentDirectoryA(folder);

    EXPECT_TRUE(result.viewer) << "the click was lost";
    EXPECT_FALSE(result.questionOverViewer);
    EXPECT_EQ(result.questions, std::vector<std::string>{componentOffer(RuntimeComponent::DirectXMedia).questionShort});
}

}  // namespace
