// The drive survey and the file lookup against Wine's drives, files and registry, with CD-ROM
// drives made in the test prefix.
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "drives/drive_survey.h"
#include "install/file_lookup.h"
#include "settings/launcher_settings.h"
#include "tests/support/drive_layout.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/lookup_text.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

// The names up to the first empty one, where every reader of the list stops, then "|" and the
// last entry.
std::string names(const DriveEntry (&list)[kDriveTableSize]) {
    std::string text;
    for (const DriveEntry& entry : list) {
        if (!entry.name[0]) break;
        text += std::string(entry.name) + " ";
    }
    return text + "|" + list[kDriveTableSize - 1].name;
}

class DriveLookup : public testing::Test {
protected:
    void SetUp() override {
        driveTable = {};
        deleteRegValue(kSettingsKey, "Install Path");
    }
    void TearDown() override {
        for (const std::string& copy : {programCopy_, windowsCopy_}) {
            DeleteFileA(copy.c_str());
            RemoveDirectoryA(copy.substr(0, copy.find_last_of('\\')).c_str());
        }
        deleteRegValue(kSettingsKey, "Install Path");
    }
    // What locateFile answers for the probe, and the text of the box it showed, if any.
    std::string locate(std::string* boxText = nullptr) {
        MessageBoxWatch boxes;
        char path[kPathBufferSize] = "stale";
        const int found = locateFile(name_.c_str(), nullptr, path);
        const auto shown = boxes.stop();
        EXPECT_EQ(found ? 0u : 1u, shown.size()) << "one message exactly when nothing was found";
        if (boxText && !shown.empty()) *boxText = shown[0].text + "|" + shown[0].caption;
        return path;
    }

    SavedLauncherState saved_;
    ScratchFolder scratch_{"drive-lookup"};
    DriveLayout drives_;
    const std::string name_ = "regist\\probe" + std::to_string(GetCurrentProcessId()) + ".bin";
    std::string programCopy_, windowsCopy_;  // made outside the scratch folder
};

TEST_F(DriveLookup, SurveyKeepsFixedDisksAndCdromDrivesApart) {
    // A floppy, the prefix's hard disks C: and Z:, a network drive, and no CD-ROM drive.
    ASSERT_TRUE(drives_.remove('D'));
    ASSERT_TRUE(drives_.define('A', DRIVE_REMOVABLE, scratch_.root()));
    ASSERT_TRUE(drives_.define('N', DRIVE_REMOTE, scratch_.root()));
    std::strcpy(driveTable.fixedDrives[5].name, "Q:");
    surveyDrives();
    EXPECT_EQ("C: Z: |", names(driveTable.fixedDrives));
    EXPECT_EQ("|", names(driveTable.cdromDrives));

    ASSERT_TRUE(drives_.define('D', DRIVE_CDROM, scratch_.root()));
    ASSERT_TRUE(drives_.define('E', DRIVE_CDROM, scratch_.root()));
    surveyDrives();
    EXPECT_EQ("D: E: |", names(driveTable.cdromDrives));
}

TEST_F(DriveLookup, TriesEachPlaceInTurn) {
    ASSERT_TRUE(drives_.define('D', DRIVE_CDROM, scratch_ / "empty"));
    ASSERT_TRUE(drives_.define('E', DRIVE_CDROM, scratch_ / "cd"));
    surveyDrives();
    const std::string programCopy = programCopy_ = programFolder() + name_;
    const std::string windowsCopy = windowsCopy_ = windowsFolder() + "\\" + name_;
    // The save path ends with a backslash; the candidate then holds a doubled one.
    std::strcpy(launcherSettings.savePath, (scratch_ / "save\\").c_str());
    const std::string saveCopy = scratch_ / "save\\\\" + name_, installCopy = scratch_ / "install\\" + name_;
    for (const std::string& copy : {programCopy, scratch_ / "cd\\" + name_, saveCopy, installCopy, windowsCopy})
        ASSERT_TRUE(writeFile(copy)) << copy;
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", (scratch_ / "install").c_str()));

    EXPECT_EQ(programCopy, locate()) << "the program's folder comes before every CD";
    DeleteFileA(programCopy.c_str());
    EXPECT_EQ("E:\\" + name_, locate()) << "the CD in the second CD-ROM drive";
    DeleteFileA((scratch_ / "cd\\" + name_).c_str());
    EXPECT_EQ(saveCopy, locate());
    DeleteFileA(saveCopy.c_str());
    EXPECT_EQ(installCopy, locate());
    ASSERT_TRUE(deleteRegValue(kSettingsKey, "Install Path"));
    EXPECT_EQ(windowsCopy, locate()) << "without \"Install Path\" that place is left out";
    DeleteFileA(windowsCopy.c_str());

    std::string box;
    EXPECT_EQ("", locate(&box));
    EXPECT_EQ(fileNotFoundText(name_.c_str()) + "|QUARLOCK2", box);
}

TEST_F(DriveLookup, ACandidateTooLongForAPathIsSkippedNotCut) {
    // The save folder's candidate is 261 characters. Cut to 259 it would name this file.
    const size_t room = kPathBufferSize - name_.size() - scratch_.root().size() - 2;
    const std::string save = scratch_ / std::string(room, 's') + "\\";
    const std::string candidate = save + "\\" + name_;
    ASSERT_EQ(kPathBufferSize + 1u, candidate.size());
    ASSERT_TRUE(writeFile(candidate.substr(0, kPathBufferSize - 1)));
    std::strcpy(launcherSettings.savePath, save.c_str());
    ASSERT_TRUE(writeFile(scratch_ / "install\\" + name_));
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", (scratch_ / "install").c_str()));
    EXPECT_EQ(scratch_ / "install\\" + name_, locate());
}

TEST_F(DriveLookup, AFileCountsOnlyWhenItCanBeOpenedForReading) {
    const std::string file = scratch_ / "locked";
    HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(0, fileExists(file.c_str())) << "held by a writer that shares nothing";
    CloseHandle(writer);
    EXPECT_EQ(1, fileExists(file.c_str()));
    EXPECT_EQ(0, fileExists(scratch_.root().c_str())) << "a folder";
}

}  // namespace
