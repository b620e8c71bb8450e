// The launcher started from the CD: what its starts leave in the Windows folder, the registry
// and the Start menu, and "Uninstall" running the CD's uninstaller while the launcher waits.
#include "tests/support/launcher_e2e.h"

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

    const std::string copy_ = windowsFolder() + "\\Qlk2_uninst.exe";
    ScratchFolder programs_{"cd-start-programs"};
    const std::string gameLink_ = programs_ / "ORVANE\\QUARLOCK2\\QUARLOCK2.lnk";
    const std::string uninstallLink_ = programs_ / "ORVANE\\QUARLOCK2\\Uninstall.lnk";
    SavedRegValue savedPrograms_{kShellFolders, "Programs"};
};

TEST_F(CdStart, FirstStartMakesTheCopyItsEntryAndShortcutsToTheCdsLauncher) {
    ASSERT_TRUE(startAtTitleScreen());

    EXPECT_EQ(readFileText(copy_), readFileText("D:\\regist\\Qlk2_uninst.exe")) << "the copy is the CD's uninstaller";
    const DWORD attributes = GetFileAttributesA(copy_.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY));
    expectRegValueCount(kUninstallEntry, 2);
    expectRegString(kUninstallEntry, "DisplayName", "QUARLOCK2", 260);
    expectRegString(kUninstallEntry, "UninstallString", copy_.c_str(), 260);
    // The CD's root is the launcher's working folder, not whatever folder is current on D:.
    EXPECT_EQ(shortcutAt(gameLink_), "D:\\Qlk2_launch.exe | D:\\ | (C)ORVANE");
    EXPECT_EQ(shortcutAt(uninstallLink_), copy_ + " | " + windowsFolder() + " | (C)ORVANE");
    closeLauncher();
}

// A start refused because the game runs, or by the colour depth, leaves nothing behind.
TEST_F(CdStart, ARefusedStartMakesNoCopyEntryOrShortcut) {
    {
        KernelHandle game(CreateMutexA(nullptr, FALSE, kGameMutex));
        ASSERT_TRUE(startLauncher());
        expectEndsWithoutWindow(launcher_, 0);
    }
    const std::string display = environmentValue("LAUNCHER_TEST_DISPLAY_8");
    if (!display.empty()) {
        ASSERT_TRUE(startLauncher({display}));
        HWND warning = waitForMessageBox(launcher_.id());
        ASSERT_TRUE(warning);
        clickButton(warning, IDOK);
        expectExitCode(1);
    }
    EXPECT_EQ(GetFileAttributesA(copy_.c_str()), INVALID_FILE_ATTRIBUTES) << "the uninstaller was copied";
    EXPECT_FALSE(regKeyExists(kUninstallEntry));
    EXPECT_FALSE(isFolder(programs_ / "ORVANE"));
}

// The uninstaller stand-in stays until its window is closed, so the test sees the launcher
// blocked while it runs and back once it has gone.
class UninstallFromTheMenu : public CdStart {
protected:
    void SetUp() override {
        CdStart::SetUp();
        standIns_.set("STANDIN_QLK2_UNINST_RUN_MS", "-1");
    }
    void TearDown() override {
        closeStandIns(kUninstallerCaption);
        CdStart::TearDown();
    }

    StandInSettings standIns_{"uninstall-e2e-reports"};
};

TEST_F(UninstallFromTheMenu, RunsTheCdsUninstallerWaitsForItAndGoesOn) {
    ASSERT_TRUE(startAtTitleScreen());
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", "C:\\No Such Folder\\QUARLOCK2"));

    postClick(title_, 400, 230);  // "Uninstall"
    HWND standIn = waitForStandIn(kUninstallerCaption);
    ASSERT_TRUE(standIn) << "the uninstaller did not come; the launcher shows " << describeWindows(launcher_.id());
    EXPECT_TRUE(mutexExists(kUninstallerMutex));
    EXPECT_TRUE(waitsTakingNoInput(title_)) << "the launcher does not wait for the uninstaller, or answers nothing";

    PostMessageA(standIn, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitHasEnded(title_));
    // Nothing queued during the wait acts: the keys move back from Play, and setup never runs.
    expectNoBoxOnceQueueHandled(kItemPlay);
    EXPECT_TRUE(standIns_.lastReport("Qlk2_inst").empty()) << "the click made during the wait ran setup";
    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title_));

    expectReport(standIns_.lastReport("Qlk2_uninst"),
                 {{"module", "D:\\regist\\Qlk2_uninst.exe"}, {"working_directory", "D:\\regist"},
                  {"command_line", "\"D:\\regist\\Qlk2_uninst.exe\""}, {"result", "uninstalled"}});
    expectRegMissing(kSettingsKey, "Install Path");

    closeLauncher();
}

}  // namespace
