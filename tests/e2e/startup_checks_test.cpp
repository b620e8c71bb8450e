// The launcher's refusals at start: a second copy or another program of the game running,
// and a display of fewer than 16 bits per pixel.
#include "tests/support/launcher_e2e.h"

#include "common/win_handles.h"
#include "tests/support/stand_ins.h"

namespace {

class DoubleStart : public LauncherTest {};

TEST_F(DoubleStart, SecondLauncherEndsAtOnceAndTheFirstRunsOn) {
    ASSERT_TRUE(startAtTitleScreen());

    LauncherProcess second;
    ASSERT_TRUE(second.start()) << second.lastError();
    expectEndsWithoutWindow(second, 0);

    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title_));
    expectRegValueCount(kSettingsKey, 1);
    expectRegDword(kSettingsKey, "OTHERS", 15);
}

// The game, its setup and its uninstaller each hold one of these while they run.
struct RunningProgram {
    const char* name;
    const char* mutex;
};
std::ostream& operator<<(std::ostream& out, const RunningProgram& program) { return out << program.name; }

const RunningProgram kRunningPrograms[] = {
    {"Game", kGameMutex},
    {"Setup", kSetupMutex},
    {"Uninstaller", kUninstallerMutex},
};

class ProductProgramRunning : public LauncherTest, public testing::WithParamInterface<RunningProgram> {};

// The test program stands in for the running program by holding its mutex.
TEST_P(ProductProgramRunning, LauncherEndsAtOnceWithoutWindowOrSettingsKey) {
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, GetParam().mutex));
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    ASSERT_TRUE(mutex.valid() && !existed) << "cannot create the mutex, or an earlier test left it behind";

    ASSERT_TRUE(startLauncher());
    expectEndsWithoutWindow(launcher_, 0);
    EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the refusal comes before anything else";
}

INSTANTIATE_TEST_SUITE_P(Mutexes, ProductProgramRunning, testing::ValuesIn(kRunningPrograms),
                         testing::PrintToStringParamName());

class ColourDepth : public LauncherTest {};

TEST_F(ColourDepth, EightBitsShowsTheWarningAndEndsWithOne) {
    std::string display = environmentValue("LAUNCHER_TEST_DISPLAY_8");
    if (display.empty()) GTEST_SKIP() << "LAUNCHER_TEST_DISPLAY_8 names no 8-bit display";
    ASSERT_TRUE(startLauncher({display}));

    HWND box = waitForMessageBox(launcher_.id());
    ASSERT_TRUE(box) << "no warning came; the launcher shows " << describeWindows(launcher_.id());
    EXPECT_EQ(messageBoxText(box), kColourDepthWarning);
    EXPECT_EQ(windowText(box), "QUARLOCK2");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_TRUE(messageBoxShowsIcon(box)) << "no icon shown";
    EXPECT_TRUE(GetDlgItem(box, IDOK));
    EXPECT_FALSE(GetDlgItem(box, IDCANCEL));
    EXPECT_EQ(titleWindowOf(), nullptr) << "no title window at 8 bits per pixel";
    EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the depth check comes before the settings";

    clickButton(box, IDOK);
    expectExitCode(1);
}

// 16 bits per pixel and more pass the check.
struct AcceptedDisplay {
    const char* name;
    const char* variable;  // names the display in the test command's environment
};
std::ostream& operator<<(std::ostream& out, const AcceptedDisplay& display) { return out << display.name; }

const AcceptedDisplay kAcceptedDisplays[] = {
    {"SixteenBits", "LAUNCHER_TEST_DISPLAY_16"},
    {"TwentyFourBits", "DISPLAY"},
};

class ColourDepthAccepted : public LauncherTest, public testing::WithParamInterface<AcceptedDisplay> {};

TEST_P(ColourDepthAccepted, TitleWindowAppears) {
    std::string display = environmentValue(GetParam().variable);
    if (display.empty()) GTEST_SKIP() << GetParam().variable << " names no display";
    setPromptFlags(15);
    ASSERT_TRUE(startLauncher({display}));
    ASSERT_TRUE(waitForTitle());
    closeLauncher();
}

INSTANTIATE_TEST_SUITE_P(Displays, ColourDepthAccepted, testing::ValuesIn(kAcceptedDisplays),
                         testing::PrintToStringParamName());

}  // namespace
