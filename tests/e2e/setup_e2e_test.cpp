// "Install" on the title screen: the CD's setup runs in its own folder while the launcher waits
// for it, and the launcher goes on, unchanged, whatever setup's exit code.
#include "tests/support/launcher_e2e.h"

#include "tests/support/processes.h"
#include "tests/support/stand_ins.h"

namespace {

// Setup stays until the test closes its window, and installs into a folder of the test's own.
class InstallFromTheMenu : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        standIns_.set("STANDIN_QLK2_INST_RUN_MS", "-1");
        standIns_.set("STANDIN_QLK2_INST_INSTALL_DIR", installFolder_.root().c_str());
        // The restart code of the DirectX installer means nothing from setup.
        standIns_.set("STANDIN_QLK2_INST_EXIT_CODE", "3010");
    }
    void TearDown() override {
        LauncherTest::TearDown();
        closeStandIns(kSetupCaption);
    }

    StandInSettings standIns_{"install-e2e-reports"};
    ScratchFolder installFolder_{"install-e2e-game"};
};

TEST_F(InstallFromTheMenu, RunsTheCdsSetupWaitsForItAndGoesOn) {
    ASSERT_TRUE(startAtTitleScreen());

    postClick(title_, 400, 180);  // "Install QUARLOCK2"
    ASSERT_TRUE(waitForStandIn(kSetupCaption)) << "setup did not come; the launcher shows "
                                               << describeWindows(launcher_.id());
    EXPECT_TRUE(mutexExists(kSetupMutex));
    EXPECT_TRUE(waitsTakingNoInput(title_)) << "the launcher does not wait for setup, or answers nothing meanwhile";
    saveScreen("install-setup-running.bmp");

    closeStandIns(kSetupCaption);
    ASSERT_TRUE(waitHasEnded(title_));
    // Nothing queued during the wait acts: the keys move back from Play, and no second setup runs.
    expectNoBoxOnceQueueHandled(kItemPlay);
    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title_));

    expectReport(standIns_.lastReport("Qlk2_inst"),
                 {{"module", "D:\\regist\\Qlk2_inst.exe"}, {"working_directory", "D:\\regist"},
                  {"command_line", "\"D:\\regist\\Qlk2_inst.exe\""}, {"result", "installed"}, {"exit_code", "3010"}});
    expectRegString(kSettingsKey, "Install Path", installFolder_.root().c_str(), 0);

    closeLauncher();
}

}  // namespace
