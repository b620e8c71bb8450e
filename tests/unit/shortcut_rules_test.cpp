// The paths of the uninstaller copy and the Start-menu shortcuts: whole or not made, never cut.
#include "install/shortcut_rules.h"

#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

// A folder name of exactly length characters, "C:\" followed by x's.
std::string folderOfLength(size_t length) { return "C:\\" + std::string(length - 3, 'x'); }

// "\ORVANE" adds 7 characters, "\ORVANE\QUARLOCK2" 17 and either shortcut 31; a path of 259
// characters still fits with its terminating zero, one of 260 does not.
TEST(StartMenuPaths, APathThatDoesNotFitIsLeftOutWithEverythingBelowIt) {
    const struct {
        size_t programsLength;
        int result;
        bool folders, links;
    } cases[] = {
        {228, 1, true, true},    // shortcuts of 259 characters
        {229, 1, true, false},   // shortcuts of 260: folders only
        {242, 1, true, false},   // game folder of 259
        {243, 0, false, false},  // game folder of 260: nothing, not even ORVANE alone
        {259, 0, false, false},
    };
    for (const auto& c : cases) {
        const std::string programs = folderOfLength(c.programsLength);
        StartMenuPaths paths;
        std::memset(&paths, 'z', sizeof paths);
        EXPECT_EQ(c.result, composeStartMenuPaths(programs.c_str(), paths)) << c.programsLength;
        const std::string game = programs + "\\ORVANE\\QUARLOCK2";
        EXPECT_EQ(c.folders ? programs + "\\ORVANE" : "", paths.publisherFolder) << c.programsLength;
        EXPECT_EQ(c.folders ? game : "", paths.gameFolder) << c.programsLength;
        EXPECT_EQ(c.links ? game + "\\QUARLOCK2.lnk" : "", paths.gameLink) << c.programsLength;
        EXPECT_EQ(c.links ? game + "\\Uninstall.lnk" : "", paths.uninstallLink) << c.programsLength;
    }
}

TEST(ShortcutWorkingFolder, TheTargetsFolderWithARootKeptWhole) {
    const struct {
        const char* target;
        int result;
        const char* folder;
    } cases[] = {
        {"D:\\Qlk2_launch.exe", 1, "D:\\"},  // the CD root, not D:'s current folder
        {"C:\\WINDOWS\\Qlk2_uninst.exe", 1, "C:\\WINDOWS"},
        {"C:\\Games\\Q2\\Qlk2_launch.exe", 1, "C:\\Games\\Q2"},
        {"\\\\server\\cd\\Qlk2_launch.exe", 1, "\\\\server\\cd"},
        {"\\Qlk2_launch.exe", 1, "\\"},
        {"Qlk2_launch.exe", 0, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        auto folder = std::make_unique<char[]>(kPathBufferSize);
        EXPECT_EQ(c.result, shortcutWorkingFolder(c.target, folder.get())) << c.target;
        EXPECT_STREQ(c.folder, folder.get()) << c.target;
    }
}

TEST(ShortcutWorkingFolder, ATargetTooLongForAPathGivesNone) {
    auto folder = std::make_unique<char[]>(kPathBufferSize);
    const std::string fits = folderOfLength(250) + "\\Q2.exe";  // 257 characters
    EXPECT_EQ(1, shortcutWorkingFolder(fits.c_str(), folder.get()));
    EXPECT_EQ(folderOfLength(250), folder.get());
    const std::string tooLong = folderOfLength(253) + "\\Q2.exe";  // 260 characters
    EXPECT_EQ(0, shortcutWorkingFolder(tooLong.c_str(), folder.get()));
    EXPECT_STREQ("", folder.get());
}

}  // namespace
