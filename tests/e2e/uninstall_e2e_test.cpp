// The launcher started from the CD: what its starts leave in the Windows folder, the registry
// and the Start menu, and "Uninstall" running the CD's uninstaller while the launcher waits.
#include "standin_e2e.h"

#include <initguid.h>
#include <objbase.h>
#include <shlguid.h>
#include <shlobj.h>

#include <map>

namespace {

const RegPlace kUninstallEntry{HKEY_LOCAL_MACHINE,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARLOCK2"};
const RegPlace kShellFolders{HKEY_CURRENT_USER,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
constexpr const char* kUninstallerMutex = "QUARLOCK2 PC Uninstall DoubleStart Check";
constexpr const char* kStandInClass = "QUARLOCK2 stand-in";
constexpr const char* kUninstallerCaption = "QUARLOCK2 Uninstall (stand-in)";

std::string windowsFolder() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string tempFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

std::string readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

void removeFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// "target | working folder | description" as the shell reads the shortcut back.
std::string shortcutAt(const std::string& path) {
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return "<no shell link object>";
    }
    std::string result = "<unreadable>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring widePath(path.begin(), path.end());
        if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ))) {
            char target[MAX_PATH] = "", folder[MAX_PATH] = "", description[MAX_PATH] = "";
            link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
            link->GetWorkingDirectory(folder, MAX_PATH);
            link->GetDescription(description, MAX_PATH);
            result = std::string(target) + " | " + folder + " | " + description;
        }
        file->Release();
    }
    link->Release();
    return result;
}

std::map<std::string, std::string> lastReport(const std::string& file) {
    std::map<std::string, std::string> block;
    const std::string text = readFile(file);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        if (line.rfind("program=", 0) == 0) block.clear();
        const size_t equals = line.find('=');
        if (equals != std::string::npos) block[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return block;
}

bool uninstallerRunning() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kUninstallerMutex);
    if (mutex) CloseHandle(mutex);
    return mutex != nullptr;
}

// Each test begins on a machine without the uninstaller copy or its entry, with the shell's
// Programs folder in a folder of the test's own.
class CdStart : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        removeFile(copy_);
        ASSERT_TRUE(deleteRegTree(kUninstallEntry));
        savedPrograms_ = copyRegValue(kShellFolders, "Programs");
        CreateDirectoryA(programs_.c_str(), nullptr);
        ASSERT_TRUE(setRegString(kShellFolders, "Programs", programs_.c_str()));
    }
    void TearDown() override {
        LauncherTest::TearDown();
        restoreRegValue(kShellFolders, "Programs", savedPrograms_);
        removeFile(gameLink_);
        removeFile(uninstallLink_);
        RemoveDirectoryA((programs_ + "\\ORVANE\\QUARLOCK2").c_str());
        RemoveDirectoryA((programs_ + "\\ORVANE").c_str());
        RemoveDirectoryA(programs_.c_str());
        removeFile(copy_);
        EXPECT_TRUE(deleteRegTree(kUninstallEntry));
    }

    void closeLauncher(HWND title) {
        PostMessageA(title, WM_CLOSE, 0, 0);
        expectExitCode(0);
    }

    const std::string copy_ = windowsFolder() + "\\Qlk2_uninst.exe";
    const std::string programs_ = tempFolder("cd-start-programs");
    const std::string gameLink_ = programs_ + "\\ORVANE\\QUARLOCK2\\QUARLOCK2.lnk";
    const std::string uninstallLink_ = programs_ + "\\ORVANE\\QUARLOCK2\\Uninstall.lnk";
    RegValueCopy savedPrograms_;
};

TEST_F(CdStart, FirstStartMakesTheCopyItsEntryAndShortcutsToTheCdsLauncher) {
    HWND title = startAtTitleScreen();
    ASSERT_TRUE(title);

    EXPECT_EQ(readFile(copy_), readFile("D:\\regist\\Qlk2_uninst.exe")) << "the copy is the CD's uninstaller";
    const DWORD attributes = GetFileAttributesA(copy_.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY));
    expectRegValueCount(kUninstallEntry, 2);
    expectRegString(kUninstallEntry, "DisplayName", "QUARLOCK2", 260);
    expectRegString(kUninstallEntry, "UninstallString", copy_.c_str(), 260);
    // The CD's root is the launcher's working folder, not whatever folder is current on D:.
    EXPECT_EQ(shortcutAt(gameLink_), "D:\\Qlk2_launch.exe | D:\\ | (C)ORVANE");
    EXPECT_EQ(shortcutAt(uninstallLink_), copy_ + " | " + windowsFolder() + " | (C)ORVANE");
    closeLauncher(title);
}

// The uninstaller stand-in stays until its window is closed, so the test sees the launcher
// blocked while it runs and back once it has gone.
class UninstallFromTheMenu : public CdStart {
protected:
    void SetUp() override {
        CdStart::SetUp();
        CreateDirectoryA(reportFolder_.c_str(), nullptr);
        DeleteFileA(report().c_str());
        SetEnvironmentVariableA("STANDIN_REPORT_DIR", reportFolder_.c_str());
        SetEnvironmentVariableA("STANDIN_QLK2_UNINST_RUN_MS", "-1");
    }
    void TearDown() override {
        if (HWND standIn = FindWindowA(kStandInClass, kUninstallerCaption)) PostMessageA(standIn, WM_CLOSE, 0, 0);
        SetEnvironmentVariableA("STANDIN_REPORT_DIR", nullptr);
        SetEnvironmentVariableA("STANDIN_QLK2_UNINST_RUN_MS", nullptr);
        CdStart::TearDown();
        DeleteFileA(report().c_str());
        RemoveDirectoryA(reportFolder_.c_str());
    }
    std::string report() const { return reportFolder_ + "\\Qlk2_uninst.txt"; }

    const std::string reportFolder_ = tempFolder("uninstall-e2e-reports");
};

TEST_F(UninstallFromTheMenu, RunsTheCdsUninstallerWaitsForItAndGoesOn) {
    HWND title = startAtTitleScreen();
    ASSERT_TRUE(title);
    ASSERT_TRUE(setRegString(kLauncherKey, "Install Path", "C:\\No Such Folder\\QUARLOCK2"));

    PostMessageA(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 230));  // "Uninstall"
    PostMessageA(title, WM_LBUTTONUP, 0, MAKELPARAM(400, 230));
    HWND standIn = nullptr;
    for (DWORD start = GetTickCount(); !standIn && GetTickCount() - start < kWindowTimeoutMs; Sleep(20))
        standIn = FindWindowA(kStandInClass, kUninstallerCaption);
    ASSERT_TRUE(standIn) << "the uninstaller did not come; the launcher shows " << describeWindows(launcher_.id());
    EXPECT_TRUE(uninstallerRunning());
    EXPECT_TRUE(waitsTakingNoInput(title)) << "the launcher does not wait for the uninstaller, or answers nothing";

    PostMessageA(standIn, WM_CLOSE, 0, 0);
    for (DWORD start = GetTickCount(); uninstallerRunning() && GetTickCount() - start < kWindowTimeoutMs;) Sleep(20);
    EXPECT_EQ(waitForHighlight(title, 1).inkSummary(), expectedInk(1)) << "the move queued meanwhile";
    expectStillRunning();
    EXPECT_TRUE(IsWindowVisible(title));
    EXPECT_EQ(visibleMessageBox(launcher_.id()), nullptr) << describeWindows(launcher_.id());

    auto values = lastReport(report());
    EXPECT_EQ(values["module"], "D:\\regist\\Qlk2_uninst.exe");
    EXPECT_EQ(values["working_directory"], "D:\\regist");
    EXPECT_EQ(values["command_line"], "\"D:\\regist\\Qlk2_uninst.exe\"");
    EXPECT_EQ(values["result"], "uninstalled");
    expectRegMissing(kLauncherKey, "Install Path");

    closeLauncher(title);
}

}  // namespace
