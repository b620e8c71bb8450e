// Play on the running launcher: the CD's game stand-in starts in the CD root with the launch
// values completed, and the launcher ends.
#include "launcher_e2e.h"

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
    EXPECT_EQ("D:\\regist\\MirelP.exe", game["module"]);
    EXPECT_EQ("D:\\", game["working_directory"]);
    EXPECT_EQ("1", game["Launch"]);
    EXPECT_EQ("127338391", game["Option"]);
    EXPECT_EQ("768", game["Install Flag"]);
    EXPECT_EQ("0", game["Display Mode"]);
    EXPECT_NE(std::string::npos, game["Save Path"].find("\\ORVANE\\QUARLOCK2\\"));
    expectRegDword(kSettingsKey, "Launch", 1);
}

}  // namespace
