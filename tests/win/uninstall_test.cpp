// "Uninstall": the CD's uninstaller stand-in started in its own folder and waited for, the
// busy guard, and the messages when it cannot be found or started.
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "drives/drive_survey.h"
#include "install/path_rules.h"
#include "install/uninstall.h"
#include "launcher/readme_viewer.h"
#include "launcher/title_window.h"
#include "settings/launcher_settings.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/lookup_text.h"
#include "tests/support/processes.h"
#include "tests/support/registry_expect.h"
#include "tests/support/stand_ins.h"
#include "tests/support/window_driver.h"

namespace {

constexpr const char* kCdUninstaller = "D:\\regist\\Qlk2_uninst.exe";

// The lookup sees only the CD in D: (or nothing), an empty save folder and no install folder;
// the stand-in runs without a window and reports into a folder of the test's own. Everything
// process-wide that a test changes is put back afterwards.
class Uninstall : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
        std::strcpy(driveTable.cdromDrives[0].name, "D:");
        launcherSettings.savePath[0] = '\0';
        std::memset(busyFlags, 0, sizeof busyFlags);
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        ASSERT_NE(GetFileAttributesA(kCdUninstaller), INVALID_FILE_ATTRIBUTES) << "no demo CD in D:";
        standIns_.set("STANDIN_QLK2_UNINST_RUN_MS", "0");
    }

    void TearDown() override {
        SetCurrentDirectoryA(savedFolder_.c_str());
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }

    StandInValues report() const { return standIns_.lastReport("Qlk2_uninst"); }

    // Starts from a folder of its own, so that a change of the current folder shows.
    int runFromTempFolder() {
        EXPECT_TRUE(SetCurrentDirectoryA(tempPath("").c_str()));
        return runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags));
    }

    SavedLauncherState saved_;
    const std::string savedFolder_ = currentFolder();
    StandInSettings standIns_{"uninstall-test"};
    TestWindow owner_;
};

TEST_F(Uninstall, RunsTheCdsUninstallerInItsOwnFolderAndWaitsForItsEnd) {
    standIns_.set("STANDIN_QLK2_UNINST_RUN_MS", "700");
    standIns_.set("STANDIN_QLK2_UNINST_HIDDEN", "1");
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", "C:\\No Such Folder\\QUARLOCK2"));
    std::strcpy(launcherSettings.installPath, "C:\\No Such Folder\\QUARLOCK2");
    const auto record = storedValues(launcherSettings);
    ASSERT_TRUE(writeFile(tempPath("readme.txt")));
    MessageBoxWatch boxes;

    const DWORD start = GetTickCount();
    EXPECT_EQ(1, runFromTempFolder());
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_GE(elapsed, 650u) << "returned before the uninstaller's run time was over";
    EXPECT_FALSE(mutexExists(kUninstallerMutex));
    auto values = report();
    ASSERT_FALSE(values.empty()) << "the uninstaller left no report";
    expectReport(values, {{"module", kCdUninstaller}, {"working_directory", "D:\\regist"},
                          {"command_line", std::string("\"") + kCdUninstaller + "\""}, {"mutex", "created"},
                          {"Install Path", "C:\\No Such Folder\\QUARLOCK2"}});
    // The uninstaller removed the value; the launcher's record is as it was.
    expectRegMissing(kSettingsKey, "Install Path");
    EXPECT_STREQ(launcherSettings.installPath, "C:\\No Such Folder\\QUARLOCK2");
    EXPECT_EQ(storedValues(launcherSettings), record);
    // The launcher goes on from its drive's root, where the readme is looked for from now on.
    EXPECT_EQ(currentFolder(), tempPath("").substr(0, 3));
    EXPECT_FALSE(readmeExists()) << "the readme of the folder it ran from";
    ASSERT_TRUE(writeFile(currentFolder() + "readme.txt"));
    EXPECT_TRUE(readmeExists());
    removeFile(currentFolder() + "readme.txt");
    removeFile(tempPath("readme.txt"));
}

// 259 is STILL_ACTIVE: a launcher that polled the exit code would wait for ever.
class UninstallExitCode : public Uninstall, public testing::WithParamInterface<const char*> {};

TEST_P(UninstallExitCode, AnyExitCodeEndsTheWaitAlike) {
    standIns_.set("STANDIN_QLK2_UNINST_EXIT_CODE", GetParam());
    MessageBoxWatch boxes;

    EXPECT_EQ(1, runFromTempFolder());

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_FALSE(mutexExists(kUninstallerMutex));
    EXPECT_EQ(report()["exit_code"], GetParam());
    EXPECT_EQ(currentFolder(), tempPath("").substr(0, 3));
}

INSTANTIATE_TEST_SUITE_P(Codes, UninstallExitCode, testing::Values("0", "1", "259", "3010"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(Uninstall, RefusesSilentlyWhileInstallIsBusy) {
    busyFlags[kItemInstall] = 1;
    MessageBoxWatch boxes;

    EXPECT_EQ(0, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_TRUE(report().empty()) << "the uninstaller ran";
}

// Uninstall's own flag is set by its caller; no other action's flag stops it.
TEST_F(Uninstall, EveryOtherBusyFlagLetsItRun) {
    for (int item = 0; item < kMenuItemCount; ++item) busyFlags[item] = item != kItemInstall;

    EXPECT_EQ(1, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    EXPECT_EQ(report()["result"], "nothing_installed");
}

TEST_F(Uninstall, AnUninstallerThatCannotStartGivesItsMessage) {
    // Found first, in the save folder, but no program.
    ScratchFolder brokenCd("broken-cd");
    ASSERT_TRUE(writeFile(brokenCd / "regist\\Qlk2_uninst.exe", "not a program"));
    std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
    formatPath(launcherSettings.savePath, "%s\\", brokenCd.root().c_str());
    auto box = answerNextMessageBox();

    EXPECT_EQ(1, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    const AnsweredBox shown = box.get();
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.text, "Error:CreateProcess Uninstall.exe");
    EXPECT_EQ(shown.caption, "Error") << "the system's default caption";
    EXPECT_EQ(shown.owner, owner_.get());
    EXPECT_EQ(shown.buttons, std::vector<int>{IDOK});
}

TEST_F(Uninstall, NowhereToBeFoundGivesTheLookupMessage) {
    std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
    auto box = answerNextMessageBox();

    EXPECT_EQ(0, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    const AnsweredBox shown = box.get();
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.text, fileNotFoundText("regist\\Qlk2_uninst.exe"));
    EXPECT_EQ(shown.caption, "QUARLOCK2");
    EXPECT_EQ(shown.owner, owner_.get());
    EXPECT_TRUE(report().empty());
}

}  // namespace
