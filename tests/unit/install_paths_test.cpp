// The window-free rules of the file lookup and the game start: bounded joining, the game's
// working folder, the drive table's bounds, the not-found message's buffer, and which failed
// starts go to the shell.
#include "drives/drive_table.h"
#include "install/path_rules.h"
#include "install/program_start_rules.h"

#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/path_buffer.h"

namespace {

TEST(PathJoin, AResultThatDoesNotFitIsNotMade) {
    const std::string name = "regist\\MirelP.exe";
    const std::string fits(kPathBufferSize - 2 - name.size(), 'f');  // 259 characters joined
    auto out = pathBuffer();
    EXPECT_EQ(1, joinPath(out.get(), fits.c_str(), name.c_str()));
    EXPECT_EQ(fits + "\\" + name, out.get());
    EXPECT_EQ(0, joinPath(out.get(), (fits + "f").c_str(), name.c_str()));
    EXPECT_STREQ("", out.get()) << "no cut-off path is left behind";
    EXPECT_EQ(0, formatPath(out.get(), "%s\\ORVANE", std::string(5000, 'p').c_str()));
}

TEST(FileNotFoundMessage, HoldsTheLongestNameAPathBufferCanHoldWhole) {
    const std::string name(kPathBufferSize - 1, 'n');
    std::unique_ptr<char[]> message(new char[kFileNotFoundMessageSize]);
    fileNotFoundMessage(name.c_str(), message.get());
    EXPECT_EQ("Could not find the file: " + name +
                  ".\nPlease check that you have inserted the QUARLOCK2 CD in your CD-ROM drive and click OK.",
              message.get());
    fileNotFoundMessage(std::string(5000, 'n').c_str(), message.get());
    EXPECT_EQ(kFileNotFoundMessageSize - 1, static_cast<int>(std::strlen(message.get())))
        << "a longer name is cut inside the buffer";
}

TEST(GameFolder, IsTwoLevelsAboveTheExecutableButNeverAboveTheRoot) {
    const struct {
        const char* executable;
        const char* folder;
    } cases[] = {
        {"C:\\Games\\QUARLOCK2\\regist\\MirelP.exe", "C:\\Games\\QUARLOCK2"},
        {"D:\\regist\\MirelP.exe", "D:\\"},  // the root itself, not drive D's current folder
        {"C:\\Q2\\\\regist\\MirelP.exe", "C:\\Q2\\"},  // found through a save path's backslash
        {"\\\\server\\games\\Q2\\regist\\MirelP.exe", "\\\\server\\games\\Q2"},
        // Fewer than two folders above the file: its root, or the current folder if relative.
        {"D:\\MirelP.exe", "D:\\"},
        {"\\\\server\\games\\MirelP.exe", "\\\\server\\games\\"},
        {"\\MirelP.exe", "\\"},
        {"D:regist\\MirelP.exe", "D:"},
        {"regist\\MirelP.exe", ""},
        {"MirelP.exe", ""},
    };
    for (const auto& c : cases) {
        auto out = pathBuffer();
        EXPECT_EQ(1, gameWorkingFolder(c.executable, out.get())) << c.executable;
        EXPECT_STREQ(c.folder, out.get()) << c.executable;
    }
    auto out = pathBuffer();
    EXPECT_EQ(0, gameWorkingFolder(std::string(kPathBufferSize, 'g').c_str(), out.get()));
}

// Only a program named .exe that asks for administrator rights is started again, through the
// shell: a missing, locked or broken program keeps its message, and so does any other file.
TEST(FailedStart, OnlyAnExeAskingForElevationGoesToTheShell) {
    for (const char* program : {"D:\\regist\\iv5play.exe", "C:\\A\\SETUP.EXE", "x.Exe"})
        EXPECT_TRUE(startGoesToShell(740, program)) << program;
    for (unsigned long error : {0ul, 2ul, 3ul, 5ul, 32ul, 193ul, 1223ul})
        EXPECT_FALSE(startGoesToShell(error, "D:\\regist\\enduser.exe")) << error;
    for (const char* other : {"D:\\regist\\DXINST.bin", "D:\\regist\\exe", "D:\\a.exe.bin", "D:\\aexe", "exe", ""})
        EXPECT_FALSE(startGoesToShell(740, other)) << other;
}

TEST(DriveTableRecord, ListsStayWithinTheirEntries) {
    DriveTable table = {};
    EXPECT_EQ(0, recordDrive(table, "A:", DriveKind::Other));
    EXPECT_EQ(1, recordDrive(table, "D:", DriveKind::CdRom));
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char name[] = {letter, ':', '\0'};
        EXPECT_EQ(1, recordDrive(table, name, DriveKind::Fixed));
    }
    EXPECT_EQ(0, recordDrive(table, "C:", DriveKind::Fixed)) << "a 27th fixed disk";
    EXPECT_STREQ("Z:", table.fixedDrives[kDriveTableSize - 1].name);
    EXPECT_STREQ("D:", table.cdromDrives[0].name) << "the next list is untouched";
    EXPECT_EQ(0, recordDrive(table, "ABCD", DriveKind::CdRom)) << "a name too long for an entry";
    EXPECT_STREQ("", table.cdromDrives[1].name);
    char name[kDriveNameSize];
    EXPECT_EQ(0, driveNameFromRoot("ABCD:\\", name));
    EXPECT_EQ(1, driveNameFromRoot("E:\\", name));
    EXPECT_STREQ("E:", name);
}

}  // namespace
