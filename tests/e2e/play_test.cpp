// Play on the running launcher: the CD's game stand-in starts in the CD root with the launch
// values completed, and the launcher ends.
#include "tests/support/launcher_e2e.h"

#include "tests/support/stand_ins.h"

namespace {

class Play : public LauncherTest {};

TEST_F(Play, StartsTheCdGameInTheCdRootAndEnds) {
    // The launcher hands its environment on to the game.
    StandInSettings standIns("play-e2e");
    standIns.set("STANDIN_MIRELP_RUN_MS", "0");
    ASSERT_TRUE(startAtTitleScreen());
    PostMessageA(title_, WM_KEYDOWN, VK_RETURN, 1);  // on Play, highlighted at start
    expectExitCode(0);

    StandInValues game = waitForReport(standIns.reportFile("MirelP"));
    ASSERT_FALSE(game.empty()) << "the game did not run";
    expectReport(game, {{"module", "D:\\regist\\MirelP.exe"}, {"working_directory", "D:\\"}, {"Launch", "1"},
                        {"Option", "127338391"}, {"Install Flag", "768"}, {"Display Mode", "0"}});
    EXPECT_NE(std::string::npos, game["Save Path"].find("\\ORVANE\\QUARLOCK2\\"));
    expectRegDword(kSettingsKey, "Launch", 1);
}

}  // namespace
