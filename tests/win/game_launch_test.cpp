// Play: the registered game or the CD copy started in the folder two levels above it, with
// the launch values completed, the busy guard and the failures, using the demo CD's stand-in.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "drives/drive_survey.h"
#include "install/game_launch.h"
#include "launcher/title_window.h"
#include "settings/launcher_settings.h"
#include "tests/support/drive_layout.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/lookup_text.h"
#include "tests/support/registry_expect.h"
#include "tests/support/stand_ins.h"
#include "tests/support/window_driver.h"

namespace {

class GameLaunch : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        std::memset(busyFlags, 0, sizeof busyFlags);
        driveTable = {};
        surveyDrives();  // D: holds the demo CD
        launcherSettings.displayDriver = 5;
        launcherSettings.displayMode = 2;
        launcherSettings.optionBits = 0x12345678;
        std::strcpy(launcherSettings.savePath, "C:\\Saved\\");
        // The game inherits the launcher's environment.
        standIns_.set("STANDIN_MIRELP_RUN_MS", "0");
        SetCurrentDirectoryA(scratch_.root().c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }
    // Plays; the game's report when it ran (start 1), or the message shown (start 0).
    std::string play(int expected, StandInValues* game = nullptr) {
        MessageBoxWatch boxes;
        EXPECT_EQ(expected, launchGame(titleWindow_, actionBlocked(kItemPlay, busyFlags)));
        const auto shown = boxes.stop();
        if (game) {
            *game = waitForReport(standIns_.reportFile("MirelP"));
            EXPECT_FALSE(game->empty()) << "the game did not run";
        }
        if (shown.empty()) return "";
        EXPECT_EQ(titleWindow_.get(), shown[0].owner);
        return shown[0].text + "|" + shown[0].caption;
    }
    // The CD's copy starts, in the root, not in drive D's current folder.
    void expectTheCdCopyStarts() {
        StandInValues report;
        EXPECT_EQ("", play(1, &report));
        expectReport(report, {{"module", "D:\\regist\\MirelP.exe"}, {"working_directory", "D:\\"}, {"Launch", "1"}});
    }
    std::string installGame() {
        const std::string game = scratch_ / "Games\\Q2\\regist\\MirelP.exe";
        SHCreateDirectoryExA(nullptr, (scratch_ / "Games\\Q2\\regist").c_str(), nullptr);
        EXPECT_TRUE(CopyFileA("D:\\regist\\MirelP.exe", game.c_str(), FALSE));
        EXPECT_TRUE(setRegString(kSettingsKey, "Execute_Mirel", game.c_str()));
        return game;
    }

    SavedLauncherState saved_;
    ScratchFolder scratch_{"game-launch"};
    StandInSettings standIns_{"game-launch-reports"};
    DriveLayout drives_;
    TestWindow titleWindow_;
};

TEST_F(GameLaunch, RegisteredGameStartsWithoutTheCd) {
    const std::string game = installGame();
    ASSERT_TRUE(drives_.remove('D'));
    busyFlags[kItemPlay] = busyFlags[kItemHomePage] = 1;  // set by the caller / never busy
    StandInValues report;
    EXPECT_EQ("", play(1, &report));
    EXPECT_EQ("C:\\", currentFolder()) << "the launcher keeps no folder in use";
    // The values the game needs, completed before it starts; "Option" the game's default, not the record's bits.
    expectReport(report, {{"module", game}, {"working_directory", scratch_ / "Games\\Q2"}, {"Launch", "1"},
                          {"Display Driver", "5"}, {"Display Mode", "2"}, {"Save Path", "C:\\Saved\\"},
                          {"Option", "127338391"}, {"Install Flag", "768"}});
}

TEST_F(GameLaunch, WithoutARegisteredGameTheCdCopyStartsInTheCdRoot) { expectTheCdCopyStarts(); }

TEST_F(GameLaunch, ARegisteredGameThatIsGoneLeavesTheCdCopyToStart) {
    DeleteFileA(installGame().c_str());
    expectTheCdCopyStarts();
}

TEST_F(GameLaunch, LaunchIsSetEvenWhenTheGameCannotStart) {
    ASSERT_TRUE(drives_.remove('D'));
    EXPECT_EQ(fileNotFoundText("regist\\MirelP.exe") + "|QUARLOCK2", play(0));
    expectRegDword(kSettingsKey, "Launch", 1);

    ASSERT_TRUE(deleteRegValue(kSettingsKey, "Launch"));
    ASSERT_TRUE(writeFile(scratch_ / "regist\\MirelP.exe", "not a program"));
    ASSERT_TRUE(setRegString(kSettingsKey, "Execute_Mirel", (scratch_ / "regist\\MirelP.exe").c_str()));
    EXPECT_EQ("Error:CreateProcess QUARLOCK2|Error", play(0)) << "the system's own caption";
    expectRegDword(kSettingsKey, "Launch", 1);
    EXPECT_EQ(scratch_.root(), currentFolder());
}

TEST_F(GameLaunch, RegistryValuesThatCannotBeWrittenStopThePlay) {
    // No lasting key can be made below a volatile one.
    const RegPlace publisher{HKEY_LOCAL_MACHINE, "Software\\ORVANE"};
    ASSERT_TRUE(deleteRegTree(publisher));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, publisher.path, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_EQ("Error:Registory KAVRIS2|Error", play(0));
    EXPECT_TRUE(deleteRegTree(publisher));
}

TEST_F(GameLaunch, AnotherBusyActionRefusesSilently) {
    installGame();
    for (int item : {kItemOptions, kItemInstall, kItemUninstall, kItemSaveFolder, kItemReadme, kItemQuit}) {
        busyFlags[item] = 1;
        EXPECT_EQ("", play(0)) << "item " << item;
        busyFlags[item] = 0;
    }
    expectRegMissing(kSettingsKey, "Launch");
    EXPECT_TRUE(waitForReport(standIns_.reportFile("MirelP"), 300).empty()) << "no game started";
}

}  // namespace
