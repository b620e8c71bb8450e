// The launcher started from the CD: what a start leaves in the Windows folder, the registry and
// the Start menu, and what a refused one does not (a program of the game running, a display of
// fewer than 16 bits per pixel, no common-controls library); a second copy; and "Install" and
// "Uninstall" running the CD's setup and uninstaller while the launcher waits.
#include "tests/support/launcher_e2e.h"

#include "common/win_handles.h"
#include "tests/support/processes.h"
#include "tests/support/shortcuts.h"
#include "tests/support/stand_ins.h"

namespace {

// Each test begins on a machine without the uninstaller copy or its entry, with the shell's
// Programs folder in a folder of the test's own.
class CdStart : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        removeFile(copy_);
        ASSERT_TRUE(deleteRegTree(kUninstallEntry));
        ASSERT_TRUE(setRegString(kShellFolders, "Programs", programs_.root().c_str()));
    }
    void TearDown() override {
        LauncherTest::TearDown();
        removeFile(copy_);
        EXPECT_TRUE(deleteRegTree(kUninstallEntry));
    }

    // A refused start made nothing: no settings key, no uninstaller copy, entry or shortcut.
    void expectNothingMadeAt(const char* file, int line) {
        testing::ScopedTrace caller(file, line, "checked here");
        EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the refusal comes before anything else";
        EXPECT_EQ(GetFileAttributesA(copy_.c_str()), INVALID_FILE_ATTRIBUTES) << "the uninstaller was copied";
        EXPECT_FALSE(regKeyExists(kUninstallEntry));
        EXPECT_FALSE(isFolder(programs_ / "ORVANE"));
    }

    const std::string copy_ = windowsFolder() + "\\Qlk2_uninst.exe";
    ScratchFolder programs_{"cd-start-programs"};
    SavedRegValue savedPrograms_{kShellFolders, "Programs"};
};
#define expectNothingMade() expectNothingMadeAt(__FILE__, __LINE__)

TEST_F(CdStart, FirstStartMakesTheCopyItsEntryAndShortcutsToTheCdsLauncher) {
    ASSERT_TRUE(startAtTitleScreen());

    // The copy's attributes and the entry's values are checked under Wine, and so is the
    // uninstaller's shortcut.
    EXPECT_EQ(readFileText(copy_), readFileText("D:\\regist\\Qlk2_uninst.exe")) << "the copy is the CD's uninstaller";
    EXPECT_TRUE(regKeyExists(kUninstallEntry));
    // The CD's root is the launcher's working folder, not whatever folder is current on D:.
    EXPECT_EQ(shortcutAt(programs_ / "ORVANE\\QUARLOCK2\\QUARLOCK2.lnk"), "D:\\Qlk2_launch.exe | D:\\ | (C)ORVANE");
    closeLauncher();
}

// The game, its setup and its uninstaller each hold one of these while they run; the test program
// stands in for the running program by holding its mutex.
TEST_F(CdStart, WhileAProgramOfTheGameRunsTheLauncherEndsAtOnceMakingNothing) {
    for (const char* name : {kGameMutex, kSetupMutex, kUninstallerMutex}) {
        SCOPED_TRACE(name);
        KernelHandle mutex(CreateMutexA(nullptr, FALSE, name));
        const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
        ASSERT_TRUE(mutex.valid() && !existed) << "cannot create the mutex, or an earlier test left it behind";
        ASSERT_TRUE(startLauncher());
        expectEndsWithoutWindow(launcher_, 0);
        expectNothingMade();
    }
}

TEST_F(CdStart, EightBitsShowTheWarningAndEndWithOneMakingNothing) {
    const std::string display = environmentValue("LAUNCHER_TEST_DISPLAY_8");
    if (display.empty()) GTEST_SKIP() << "LAUNCHER_TEST_DISPLAY_8 names no 8-bit display";
    ASSERT_TRUE(startLauncher({display}));
    // Without a title window, and so without owner.
    HWND box = nextBox(kColourDepthWarning, {IDOK});
    ASSERT_TRUE(box);
    EXPECT_TRUE(messageBoxShowsIcon(box)) << "no icon shown";
    EXPECT_EQ(titleWindowOf(), nullptr) << "no title window at 8 bits per pixel";
    EXPECT_FALSE(regKeyExists(kSettingsKey)) << "the depth check comes before the settings";
    clickButton(box, IDOK);
    expectExitCode(1);
    expectNothingMade();
}

// Wine told to load no comctl32.dll at all: the launcher, which loads it itself, ends as it
// would without its title window.
TEST_F(CdStart, WithoutTheCommonControlsTheStartEndsWithOneMakingNothing) {
    LauncherDllOverride noLibrary("comctl32", "");
    ASSERT_TRUE(noLibrary.set());
    ASSERT_TRUE(startLauncher());
    expectEndsWithoutWindow(launcher_, 1);
    expectNothingMade();
}

// 16 bits per pixel pass the check, as the 24 of every other test's display do.
TEST_F(CdStart, SixteenBitsShowTheTitleWindow) {
    const std::string display = environmentValue("LAUNCHER_TEST_DISPLAY_16");
    if (display.empty()) GTEST_SKIP() << "LAUNCHER_TEST_DISPLAY_16 names no 16-bit display";
    setPromptFlags(15);
    ASSERT_TRUE(startLauncher({display}));
    ASSERT_TRUE(waitForTitle());
    closeLauncher();
}

TEST_F(CdStart, ASecondLauncherEndsAtOnceAndTheFirstRunsOn) {
    ASSERT_TRUE(startAtTitleScreen());

    LauncherProcess second;
    ASSERT_TRUE(second.start()) << second.lastError();
    expectEndsWithoutWindow(second, 0);

    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title_));
    expectRegValueCount(kSettingsKey, 1);
    expectRegDword(kSettingsKey, "OTHERS", 15);
}

// Install and Uninstall on the title screen: the CD's program runs while the launcher waits for
// it, and the launcher goes on, unchanged. Where it runs and what it is handed and does, for any
// exit code, is checked under Wine.
struct MenuProgram {
    const char* name;
    int y;  // where the item is clicked
    const char *caption, *mutex;
    const char *report, *result;
};
std::ostream& operator<<(std::ostream& out, const MenuProgram& p) { return out << p.name; }

const MenuProgram kMenuPrograms[] = {
    {"Install", 180, kSetupCaption, kSetupMutex, "Qlk2_inst", "installed"},
    {"Uninstall", 230, kUninstallerCaption, kUninstallerMutex, "Qlk2_uninst", "uninstalled"},
};

// Every stand-in stays until the test closes its window, so the test sees the launcher blocked
// while it runs and back once it has gone; setup installs into a folder of the test's own.
class ProgramFromTheMenu : public CdStart, public testing::WithParamInterface<MenuProgram> {
protected:
    void SetUp() override {
        CdStart::SetUp();
        standIns_.set("STANDIN_RUN_MS", "-1");
        standIns_.set("STANDIN_QLK2_INST_INSTALL_DIR", installFolder_.root().c_str());
    }
    void TearDown() override {
        for (const MenuProgram& p : kMenuPrograms) closeStandIns(p.caption);
        CdStart::TearDown();
    }

    StandInSettings standIns_{"menu-program-e2e-reports"};
    ScratchFolder installFolder_{"menu-program-e2e-game"};
};

TEST_P(ProgramFromTheMenu, RunsTheCdsProgramWaitsForItAndGoesOn) {
    const MenuProgram& p = GetParam();
    ASSERT_TRUE(startAtTitleScreen());
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", "C:\\No Such Folder\\QUARLOCK2"));

    postClick(title_, 400, p.y);
    ASSERT_TRUE(waitForStandIn(p.caption)) << "the program did not come; the launcher shows "
                                           << describeWindows(launcher_.id());
    EXPECT_TRUE(mutexExists(p.mutex));
    EXPECT_TRUE(waitsTakingNoInput(title_)) << "the launcher does not wait for the program, or answers nothing";
    saveScreen((std::string(p.name) + "-program-running.bmp").c_str());

    closeStandIns(p.caption);
    ASSERT_TRUE(waitHasEnded(title_));
    // Nothing queued during the wait acts: the keys move back from Play, which they could not
    // while a program started by the click on Install held the launcher.
    expectNoBoxOnceQueueHandled(kItemPlay);
    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title_));

    EXPECT_EQ(standIns_.lastReport(p.report)["result"], p.result);
    closeLauncher();
}

INSTANTIATE_TEST_SUITE_P(Items, ProgramFromTheMenu, testing::ValuesIn(kMenuPrograms),
                         testing::PrintToStringParamName());

}  // namespace
