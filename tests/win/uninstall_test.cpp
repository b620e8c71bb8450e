// "Uninstall": the CD's uninstaller stand-in started in its own folder and waited for, the
// busy guard, and the messages when it cannot be found or started.
#include <windows.h>

#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "install/drive_survey.h"
#include "install/path_rules.h"
#include "install/uninstall.h"
#include "launcher/title_window.h"
#include "settings/launcher_settings.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

const RegPlace kSettings{HKEY_LOCAL_MACHINE, kSettingsKeyPath};
constexpr const char* kCdUninstaller = "D:\\regist\\Qlk2_uninst.exe";
constexpr const char* kUninstallerMutex = "QUARLOCK2 PC Uninstall DoubleStart Check";

std::string tempFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

std::string currentFolder() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

bool uninstallerRunning() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kUninstallerMutex);
    if (mutex) CloseHandle(mutex);
    return mutex != nullptr;
}

// The last block of a stand-in's report, key by key; empty when there is no report.
std::map<std::string, std::string> lastReport(const std::string& file) {
    std::map<std::string, std::string> block;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return block;
    std::string text(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ReadFile(handle, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(handle);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        if (line.rfind("program=", 0) == 0) block.clear();
        const size_t equals = line.find('=');
        if (equals != std::string::npos) block[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return block;
}

// The lookup sees only the CD in D: (or nothing), an empty save folder and no install folder;
// the stand-in runs without a window and reports into a folder of the test's own. Everything
// process-wide that a test changes is put back afterwards.
class Uninstall : public testing::Test {
protected:
    void SetUp() override {
        savedDrives_ = driveTable;
        savedSettings_ = launcherSettings;
        std::memcpy(savedBusy_, busyFlags, sizeof savedBusy_);
        savedFolder_ = currentFolder();
        std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
        std::strcpy(driveTable.cdromDrives[0].name, "D:");
        launcherSettings.savePath[0] = '\0';
        std::memset(busyFlags, 0, sizeof busyFlags);
        ASSERT_TRUE(deleteRegTree(kSettings));
        ASSERT_NE(GetFileAttributesA(kCdUninstaller), INVALID_FILE_ATTRIBUTES) << "no demo CD in D:";

        reportFolder_ = tempFolder("uninstall-test");
        ASSERT_TRUE(CreateDirectoryA(reportFolder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        DeleteFileA(reportFile().c_str());
        SetEnvironmentVariableA("STANDIN_REPORT_DIR", reportFolder_.c_str());
        SetEnvironmentVariableA("STANDIN_QLK2_UNINST_RUN_MS", "0");
        SetEnvironmentVariableA("STANDIN_QLK2_UNINST_EXIT_CODE", nullptr);
        owner_ = CreateWindowExA(0, "STATIC", "uninstall test owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    }

    void TearDown() override {
        DestroyWindow(owner_);
        for (const char* name : {"STANDIN_REPORT_DIR", "STANDIN_QLK2_UNINST_RUN_MS", "STANDIN_QLK2_UNINST_HIDDEN",
                                 "STANDIN_QLK2_UNINST_EXIT_CODE"}) {
            SetEnvironmentVariableA(name, nullptr);
        }
        DeleteFileA(reportFile().c_str());
        RemoveDirectoryA(reportFolder_.c_str());
        if (!brokenFolder_.empty()) {
            DeleteFileA((brokenFolder_ + "\\regist\\Qlk2_uninst.exe").c_str());
            RemoveDirectoryA((brokenFolder_ + "\\regist").c_str());
            RemoveDirectoryA(brokenFolder_.c_str());
        }
        SetCurrentDirectoryA(savedFolder_.c_str());
        driveTable = savedDrives_;
        launcherSettings = savedSettings_;
        std::memcpy(busyFlags, savedBusy_, sizeof savedBusy_);
        EXPECT_TRUE(deleteRegTree(kSettings));
    }

    std::string reportFile() const { return reportFolder_ + "\\Qlk2_uninst.txt"; }

    // Starts from a folder of its own, so that a change of the current folder shows.
    int runFromTempFolder() {
        const std::string folder = tempFolder("");
        EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str()));
        return runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags));
    }

    // A save folder whose regist\Qlk2_uninst.exe is found first but is no program.
    void putBrokenUninstallerInTheSaveFolder() {
        brokenFolder_ = tempFolder("broken-cd");
        CreateDirectoryA(brokenFolder_.c_str(), nullptr);
        CreateDirectoryA((brokenFolder_ + "\\regist").c_str(), nullptr);
        HANDLE file = CreateFileA((brokenFolder_ + "\\regist\\Qlk2_uninst.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, "not a program", 13, &written, nullptr);
        CloseHandle(file);
        std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
        formatPath(launcherSettings.savePath, "%s\\", brokenFolder_.c_str());
    }

    HWND owner_ = nullptr;
    std::string reportFolder_, brokenFolder_;

private:
    DriveTable savedDrives_;
    LauncherSettings savedSettings_;
    int savedBusy_[kMenuItemCount];
    std::string savedFolder_;
};

TEST_F(Uninstall, RunsTheCdsUninstallerInItsOwnFolderAndWaitsForItsEnd) {
    SetEnvironmentVariableA("STANDIN_QLK2_UNINST_RUN_MS", "700");
    SetEnvironmentVariableA("STANDIN_QLK2_UNINST_HIDDEN", "1");
    ASSERT_TRUE(setRegString(kSettings, "Install Path", "C:\\No Such Folder\\QUARLOCK2"));
    std::strcpy(launcherSettings.installPath, "C:\\No Such Folder\\QUARLOCK2");
    MessageBoxWatch boxes;

    const DWORD start = GetTickCount();
    EXPECT_EQ(1, runFromTempFolder());
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_GE(elapsed, 650u) << "returned before the uninstaller's run time was over";
    EXPECT_FALSE(uninstallerRunning());
    auto report = lastReport(reportFile());
    ASSERT_FALSE(report.empty()) << "the uninstaller left no report";
    EXPECT_EQ(report["module"], kCdUninstaller);
    EXPECT_EQ(report["working_directory"], "D:\\regist");
    EXPECT_EQ(report["command_line"], std::string("\"") + kCdUninstaller + "\"") << "no arguments";
    EXPECT_EQ(report["mutex"], "created");
    EXPECT_EQ(report["Install Path"], "C:\\No Such Folder\\QUARLOCK2");
    // The uninstaller removed the value; the launcher's record is as it was.
    expectRegMissing(kSettings, "Install Path");
    EXPECT_STREQ(launcherSettings.installPath, "C:\\No Such Folder\\QUARLOCK2");
    EXPECT_EQ(currentFolder(), tempFolder("").substr(0, 3)) << "the launcher goes on from its drive's root";
}

// 259 is STILL_ACTIVE: a launcher that polled the exit code would wait for ever.
class UninstallExitCode : public Uninstall, public testing::WithParamInterface<const char*> {};

TEST_P(UninstallExitCode, AnyExitCodeEndsTheWaitAlike) {
    SetEnvironmentVariableA("STANDIN_QLK2_UNINST_EXIT_CODE", GetParam());
    MessageBoxWatch boxes;

    EXPECT_EQ(1, runFromTempFolder());

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_FALSE(uninstallerRunning());
    EXPECT_EQ(lastReport(reportFile())["exit_code"], GetParam());
    EXPECT_EQ(currentFolder(), tempFolder("").substr(0, 3));
}

INSTANTIATE_TEST_SUITE_P(Codes, UninstallExitCode, testing::Values("0", "1", "259", "3010"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(Uninstall, RefusesSilentlyWhileInstallIsBusy) {
    busyFlags[kItemInstall] = 1;
    MessageBoxWatch boxes;

    EXPECT_EQ(0, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_TRUE(lastReport(reportFile()).empty()) << "the uninstaller ran";
}

// Uninstall's own flag is set by its caller; no other action's flag stops it.
TEST_F(Uninstall, EveryOtherBusyFlagLetsItRun) {
    for (int item = 0; item < kMenuItemCount; ++item) busyFlags[item] = item != kItemInstall;

    EXPECT_EQ(1, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    EXPECT_EQ(lastReport(reportFile())["result"], "nothing_installed");
}

TEST_F(Uninstall, AnUninstallerThatCannotStartGivesItsMessage) {
    putBrokenUninstallerInTheSaveFolder();
    auto box = answerNextMessageBox();

    EXPECT_EQ(1, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    const AnsweredBox shown = box.get();
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.text, "Error:CreateProcess Uninstall.exe");
    EXPECT_EQ(shown.caption, "Error") << "the system's default caption";
    EXPECT_EQ(shown.owner, owner_);
    EXPECT_EQ(shown.buttons, std::vector<int>{IDOK});
}

TEST_F(Uninstall, NowhereToBeFoundGivesTheLookupMessage) {
    std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
    auto box = answerNextMessageBox();

    EXPECT_EQ(0, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    const AnsweredBox shown = box.get();
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.text, "Could not find the file: regist\\Qlk2_uninst.exe.\nPlease check that you have "
                          "inserted the QUARLOCK2 CD in your CD-ROM drive and click OK.");
    EXPECT_EQ(shown.caption, "QUARLOCK2");
    EXPECT_EQ(shown.owner, owner_);
    EXPECT_TRUE(lastReport(reportFile()).empty());
}

}  // namespace
