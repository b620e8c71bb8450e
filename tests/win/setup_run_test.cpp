// "Install" and "Uninstall" running the CD's setup and uninstaller stand-ins, the DirectX setup
// messages, the please-wait window over a waited-for installer, the watch over a background one,
// and the component questions when the installers are missing beside the program (as they are
// beside this test program).
#include <windows.h>

#include <climits>
#include <cstring>
#include <future>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "drives/drive_survey.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/program_start.h"
#include "install/setup_run.h"
#include "install/uninstall.h"
#include "install/child_watch.h"
#include "install/component_offers.h"
#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "launcher/readme_viewer.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "tests/support/files.h"
#include "tests/support/launcher_state.h"
#include "tests/support/lookup_text.h"
#include "tests/support/processes.h"
#include "tests/support/registry_expect.h"
#include "tests/support/stand_ins.h"
#include "tests/support/window_driver.h"

namespace {

constexpr const char* kCdSetup = "D:\\regist\\Qlk2_inst.exe";
constexpr const char* kNoSuchInstall = "C:\\No Such Folder\\QUARLOCK2";

// Setup for "Install" and the uninstaller for "Uninstall" run alike, but for the owner of their
// start error and the folder the launcher goes on from.
struct CdProgramCase {
    const char* name;
    int (*run)(HWND owner, bool otherRunning);
    int item, otherItem;  // their menu items: each waits for the other's
    const char* module;   // on the CD
    const char *report, *mutex, *result;
    const char* startError;
    bool startErrorOwned;  // by the title window; setup's box has no owner
    // The launcher goes on from its drive's root, where the readme is looked for from now on.
    bool goesToDriveRoot;
};
std::ostream& operator<<(std::ostream& out, const CdProgramCase& c) { return out << c.name; }

const CdProgramCase kCdPrograms[] = {
    {"Setup", runSetup, kItemInstall, kItemUninstall, kCdSetup, "Qlk2_inst", kSetupMutex, "installed",
     "Error:CreateProcess Setup", false, false},
    {"Uninstaller", runUninstaller, kItemUninstall, kItemInstall, "D:\\regist\\Qlk2_uninst.exe", "Qlk2_uninst",
     kUninstallerMutex, "uninstalled", "Error:CreateProcess Uninstall.exe", true, true},
};

// The lookup sees the CD in D: only; the stand-ins report into a folder of the test's own and
// show no window. Everything process-wide that a test changes is put back afterwards; the test
// runs in a folder of its own, so that a change of the current folder shows.
class SetupRun : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
        std::strcpy(driveTable.cdromDrives[0].name, "D:");
        launcherSettings.savePath[0] = '\0';
        launcherSettings.promptFlags = 0;
        std::memset(busyFlags, 0, sizeof busyFlags);
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        ASSERT_NE(GetFileAttributesA(kCdSetup), INVALID_FILE_ATTRIBUTES) << "no demo CD in D:";
        standIns_.set("STANDIN_RUN_MS", "0");
        standIns_.set("STANDIN_HIDDEN", "1");
        standIns_.set("STANDIN_QLK2_INST_INSTALL_DIR", installFolder_.root().c_str());
    }
    void TearDown() override {
        endChildWatch();
        if (pleaseWaitWindow) DestroyWindow(pleaseWaitWindow);
        pleaseWaitWindow = nullptr;
        messageOwner = nullptr;
        MSG pending;  // a resume message the watch posted without a title window
        while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&pending);
        EXPECT_TRUE(deleteRegTree(kSettingsKey));
    }

    StandInValues report(const char* program) const { return standIns_.lastReport(program); }
    // Hands a sleeping child to the watch, with its process id (which opens the process) or
    // without; childEnd_ sees it end, whatever the watch does with its handles.
    void watchASleepingChild(bool withId, PROCESS_INFORMATION* started) {
        messageOwner = owner_;
        *started = startSleepingChild(300);
        ASSERT_TRUE(started->hProcess);
        DuplicateHandle(GetCurrentProcess(), started->hProcess, GetCurrentProcess(), &childEnd_, SYNCHRONIZE, FALSE, 0);
        StartedProcess handedOver(*started);
        if (!withId) handedOver.id = 0;
        ASSERT_EQ(1, watchInstaller(handedOver));
        EXPECT_EQ(1, childWatch.active);
    }
    // The please-wait window shows over the message owner until the child ends; the next poll
    // ends the watch and removes the window.
    void expectTheWatchEndsWithTheChild() {
        HWND pleaseWait = visibleDialog(GetCurrentProcessId(), IDC_PLEASE_WAIT_TEXT);
        ASSERT_TRUE(pleaseWait);
        EXPECT_EQ(pleaseWait, pleaseWaitWindow);
        EXPECT_EQ(GetWindow(pleaseWait, GW_OWNER), owner_.get());
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(childEnd_, 5000));
        CloseHandle(childEnd_);
        EXPECT_EQ(1, pollChildWatch(titleWindow));
        EXPECT_EQ(0, childWatch.active);
        EXPECT_FALSE(IsWindow(pleaseWait));
    }
    int run(const CdProgramCase& c) { return c.run(owner_, actionBlocked(c.item, busyFlags)); }

    SavedLauncherState saved_;
    CurrentFolder folder_{"setup-run"};
    StandInSettings standIns_{"setup-run-reports"};
    ScratchFolder installFolder_{"setup-run-install"};
    TestWindow owner_;
    HANDLE childEnd_ = nullptr;
};

// ---- Setup and the uninstaller ------------------------------------------------------------------

// 259 is STILL_ACTIVE, which a launcher polling the exit code would take for a running program.
class CdProgramRun : public SetupRun,
                     public testing::WithParamInterface<std::tuple<CdProgramCase, const char*>> {};

TEST_P(CdProgramRun, RunsInItsOwnFolderAndIsWaitedForWhateverItsExitCode) {
    const CdProgramCase& c = std::get<0>(GetParam());
    const char* const code = std::get<1>(GetParam());
    standIns_.set("STANDIN_RUN_MS", "400");
    standIns_.set("STANDIN_EXIT_CODE", code);
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", kNoSuchInstall));
    std::strcpy(launcherSettings.installPath, kNoSuchInstall);
    const auto record = storedValues(launcherSettings);
    ASSERT_TRUE(writeFile(folder_ / "readme.txt"));
    MessageBoxWatch boxes;

    const DWORD start = GetTickCount();
    EXPECT_EQ(1, run(c));
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_TRUE(boxes.stop().empty());
    EXPECT_GE(elapsed, 350u) << "returned before the program's run time was over";
    EXPECT_FALSE(mutexExists(c.mutex));
    const StandInValues values = report(c.report);
    ASSERT_FALSE(values.empty()) << "the program left no report, so it had not ended";
    expectReport(values, {{"module", c.module}, {"working_directory", "D:\\regist"},
                          {"command_line", std::string("\"") + c.module + "\""}, {"mutex", "created"},
                          {"Install Path", kNoSuchInstall}, {"result", c.result}, {"exit_code", code}});
    // Setup wrote its folder, the uninstaller removed it; the launcher's record is as it was.
    if (c.goesToDriveRoot) expectRegMissing(kSettingsKey, "Install Path");
    else expectRegString(kSettingsKey, "Install Path", installFolder_.root().c_str(), 0);
    EXPECT_EQ(storedValues(launcherSettings), record);
    EXPECT_STREQ(launcherSettings.installPath, kNoSuchInstall);
    EXPECT_EQ(currentFolder(), c.goesToDriveRoot ? folder_.root().substr(0, 3) : folder_.root());
    EXPECT_EQ(!c.goesToDriveRoot, readmeExists() == 1) << "the readme of the folder the launcher ran in";
}

INSTANTIATE_TEST_SUITE_P(Codes, CdProgramRun,
                         testing::Combine(testing::ValuesIn(kCdPrograms), testing::Values("0", "1", "259", "3010")),
                         [](const testing::TestParamInfo<CdProgramRun::ParamType>& info) {
                             return std::get<0>(info.param).name + std::string(std::get<1>(info.param));
                         });

// Installers tell every window that a setting changed and wait for each answer, the launcher's
// too: each of its waits answers what other programs send, and takes none of its own input. The
// keys and clicks queued meanwhile are gone afterwards; other messages stay.
TEST_F(SetupRun, TheWaitsAnswerInstallersThatBroadcast) {
    standIns_.set("STANDIN_BROADCAST", "1");
    PostMessageA(owner_, WM_APP, 0, 0);
    PostMessageA(owner_, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(owner_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(owner_, WM_NCLBUTTONDOWN, HTCAPTION, 0);

    EXPECT_EQ(1, runSetup(owner_, actionBlocked(kItemInstall, busyFlags)));
    PROCESS_INFORMATION started = startProcess("D:\\regist\\DXINST.bin", "D:\\regist\\Directx");
    ASSERT_TRUE(started.hProcess);
    CloseHandle(started.hThread);
    DWORD exitCode = 1;
    EXPECT_EQ(1, waitBehindPleaseWait(started.hProcess, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(1, runUninstaller(owner_, actionBlocked(kItemUninstall, busyFlags)));

    for (const char* program : {"Qlk2_inst", "DXINST", "Qlk2_uninst"})
        EXPECT_EQ(report(program)["broadcast"], "answered") << program;
    MSG queued;
    EXPECT_TRUE(PeekMessageA(&queued, owner_, WM_APP, WM_APP, PM_REMOVE)) << "a wait took the queued message";
    EXPECT_FALSE(PeekMessageA(&queued, owner_, 0, 0, PM_REMOVE)) << "input made during a wait is left: " << queued.message;
}

// A program that asks for administrator rights is started through the shell, in its own folder,
// and waited for on the one handle the shell gives.
TEST_F(SetupRun, AProgramStartedThroughTheShellRunsInItsFolderAndIsWaitedFor) {
    standIns_.set("STANDIN_RUN_MS", "400");
    StartedProcess started;
    ASSERT_TRUE(startThroughShell(kCdSetup, nullptr, "D:\\regist", started));
    EXPECT_TRUE(started.process.valid() && !started.thread.valid() && started.id == 0);
    EXPECT_EQ(1, waitForProgramEnd(started.process.get()));
    expectReport(report("Qlk2_inst"), {{"module", kCdSetup}, {"working_directory", "D:\\regist"}, {"result", "installed"}});
}

// Each one's own flag is set by its caller; only the other one running refuses it, silently.
TEST_F(SetupRun, SetupAndTheUninstallerRefuseSilentlyWhileTheOtherRuns) {
    for (const CdProgramCase& c : kCdPrograms) {
        SCOPED_TRACE(c.name);
        std::memset(busyFlags, 0, sizeof busyFlags);
        busyFlags[c.otherItem] = 1;
        MessageBoxWatch boxes;
        EXPECT_EQ(0, run(c));
        EXPECT_TRUE(boxes.stop().empty());
        EXPECT_TRUE(report(c.report).empty()) << "it ran";
    }
}

// Setup first: the uninstaller then removes what it made.
TEST_F(SetupRun, NoOtherBusyFlagStopsSetupOrTheUninstaller) {
    for (const CdProgramCase& c : kCdPrograms) {
        SCOPED_TRACE(c.name);
        for (int item = 0; item < kMenuItemCount; ++item) busyFlags[item] = item != c.otherItem;
        EXPECT_EQ(1, run(c));
        EXPECT_EQ(report(c.report)["result"], c.result);
    }
}

// Found first, in the save folder, but no program: the start error, in the system's default caption.
TEST_F(SetupRun, AProgramThatCannotStartGivesItsStartError) {
    ScratchFolder brokenCd("setup-run-broken-cd");
    std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
    formatPath(launcherSettings.savePath, "%s\\", brokenCd.root().c_str());
    for (const CdProgramCase& c : kCdPrograms) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(brokenCd / (c.module + 3), "not a program"));
        auto box = answerNextMessageBox();
        EXPECT_EQ(1, run(c));
        expectBox(box.get(), c.startError, "Error", c.startErrorOwned ? owner_.get() : nullptr);
    }
}

TEST_F(SetupRun, NowhereToBeFoundGivesTheLookupMessage) {
    std::memset(&driveTable.cdromDrives, 0, sizeof driveTable.cdromDrives);
    for (const CdProgramCase& c : kCdPrograms) {
        SCOPED_TRACE(c.name);
        auto box = answerNextMessageBox();
        EXPECT_EQ(0, run(c));
        expectBox(box.get(), fileNotFoundText(c.module + 3), kGameTitle, owner_.get());
        EXPECT_TRUE(report(c.report).empty());
    }
}

// ---- DirectX setup messages ---------------------------------------------------------------------

TEST_F(SetupRun, EveryDirectXSetupCodeShowsItsMessageOverTheMessageOwner) {
    const char* const kLowSpace =
        "You need at least 15MB system drive space to install DirectX6.\nPlease clear enough free space and "
        "click OK.\nClick CANCEL to not install DirectX6.";
    const char* const kDamaged = "The CD-ROM may be dirty or be damaged.";
    const char* const kSystem = "There was an Error in system. Please reboot and try again.";
    const struct {
        int code;
        const char* text;  // nullptr: no message
        bool cancel;
    } cases[] = {
        {99, kLowSpace, true},
        {-1, "Your Windows(OS) is not support DirectX. Setup discontinued.", false},
        {-2, kDamaged, false}, {-3, kDamaged, false}, {-4, kDamaged, false}, {-7, kDamaged, false},
        {-5, kSystem, false}, {-9, kSystem, false},
        {-6, "Not enough free space in Windows'95 drive. Please make some room and try again.", false},
        {-8, "Cannot find a CD. Please insert a CD and try again.", true},
        {0, nullptr, false}, {98, nullptr, false}, {100, nullptr, false}, {-10, nullptr, false},
        {3010, nullptr, false}, {INT_MIN, nullptr, false}, {INT_MAX, nullptr, false},
    };
    for (HWND owner : {static_cast<HWND>(nullptr), owner_.get()}) {
        messageOwner = owner;
        for (const auto& c : cases) {
            for (int button : {IDOK, IDCANCEL}) {
                if (button == IDCANCEL && !c.cancel) continue;
                SCOPED_TRACE(testing::Message() << "code " << c.code << ", button " << button);
                MessageBoxWatch boxes(button);
                const int result = showDirectXSetupMessage(c.code);
                const std::vector<AnsweredBox> shown = boxes.stop();
                if (!c.text) {
                    EXPECT_TRUE(shown.empty());
                    EXPECT_EQ(0, result);
                    continue;
                }
                ASSERT_EQ(1u, shown.size());
                expectBox(shown[0], c.text, kGameTitle, owner,
                          c.cancel ? std::vector<int>{IDOK, IDCANCEL} : std::vector<int>{IDOK});
                EXPECT_FALSE(shown[0].hasIcon);
                EXPECT_EQ(c.cancel && button == IDOK ? 1 : 0, result);
            }
        }
    }
}

// Wine grants the privilege as NT does, disabled until the process enables it; Windows 9x has
// none, and there the calls fail without harm.
TEST_F(SetupRun, TheShutdownPrivilegeIsEnabledForTheRestartRequest) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES shutdown = {1, {{{0, 0}, 0}}};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown.Privileges[0].Luid));
    auto enabled = [&] {
        BYTE buffer[4096];
        DWORD length = 0;
        GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &length);
        const auto* held = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
        for (DWORD index = 0; index < held->PrivilegeCount; ++index)
            if (std::memcmp(&held->Privileges[index].Luid, &shutdown.Privileges[0].Luid, sizeof(LUID)) == 0)
                return (held->Privileges[index].Attributes & SE_PRIVILEGE_ENABLED) != 0;
        return false;
    };
    ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &shutdown, 0, nullptr, nullptr));  // disabled
    ASSERT_FALSE(enabled());

    enableShutdownPrivilege();

    EXPECT_TRUE(enabled());
    CloseHandle(token);
}

// ---- The please-wait window and the watch ---------------------------------------------------------

TEST_F(SetupRun, TheDirectXInstallerIsWaitedForBehindThePleaseWaitWindow) {
    standIns_.set("STANDIN_RUN_MS", "800");
    standIns_.set("STANDIN_EXIT_CODE", "3010");
    PROCESS_INFORMATION started = startProcess("D:\\regist\\DXINST.bin", "D:\\regist\\Directx");
    ASSERT_TRUE(started.hProcess);
    CloseHandle(started.hThread);
    messageOwner = owner_;
    // The please-wait window as a helper thread finds it while this thread waits.
    auto pleaseWait = std::async(std::launch::async, [this] {
        HWND window = waitForDialog(GetCurrentProcessId(), IDC_PLEASE_WAIT_TEXT, 5000);
        if (!window) return false;
        EXPECT_EQ(storedText(window), "QUARLOCK2");
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner_.get());
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_NE(style & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION)) << "no caption bar";
        RECT place = {}, client = {}, expectedClient = {0, 0, 124, 45};
        GetWindowRect(window, &place);
        GetClientRect(window, &client);
        MapDialogRect(window, &expectedClient);
        EXPECT_TRUE(EqualRect(&client, &expectedClient)) << client.right << " x " << client.bottom;
        EXPECT_NEAR(place.left + place.right, GetSystemMetrics(SM_CXSCREEN), 2) << "centred";
        EXPECT_NEAR(place.top + place.bottom, GetSystemMetrics(SM_CYSCREEN), 2) << "centred";
        HWND text = GetDlgItem(window, IDC_PLEASE_WAIT_TEXT);
        EXPECT_EQ(storedText(text), "Please wait for a while.");
        EXPECT_EQ(GetWindowLongPtrA(text, GWL_STYLE) & (SS_TYPEMASK | SS_CENTERIMAGE), SS_CENTER | SS_CENTERIMAGE);
        // The dialog manager maps a control's place and size each on its own.
        RECT textPlace = {}, expectedText = {7, 7, 109, 31};  // left, top, width and height
        GetWindowRect(text, &textPlace);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&textPlace), 2);
        MapDialogRect(window, &expectedText);
        EXPECT_EQ((std::vector<LONG>{expectedText.left, expectedText.top, expectedText.right, expectedText.bottom}),
                  (std::vector<LONG>{textPlace.left, textPlace.top, textPlace.right - textPlace.left,
                                     textPlace.bottom - textPlace.top}));
        return true;
    });

    DWORD exitCode = 0;
    EXPECT_EQ(1, waitBehindPleaseWait(started.hProcess, &exitCode));

    EXPECT_EQ(3010u, exitCode);
    EXPECT_EQ(nullptr, pleaseWaitWindow);
    EXPECT_EQ(nullptr, visibleDialog(GetCurrentProcessId(), IDC_PLEASE_WAIT_TEXT));
    EXPECT_TRUE(pleaseWait.get()) << "no please-wait window while the installer ran";
}

TEST_F(SetupRun, AFailedWaitStillRemovesThePleaseWaitWindow) {
    PROCESS_INFORMATION started = startSleepingChild(3000);
    ASSERT_TRUE(started.hProcess);
    CloseHandle(started.hThread);
    HANDLE unwaitable = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, started.dwProcessId);
    ASSERT_TRUE(unwaitable);

    DWORD exitCode = 12345;
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, waitBehindPleaseWait(unwaitable, &exitCode));

    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(nullptr, pleaseWaitWindow);
    EXPECT_EQ(nullptr, visibleDialog(GetCurrentProcessId(), IDC_PLEASE_WAIT_TEXT));
    TerminateProcess(started.hProcess, 0);
    CloseHandle(started.hProcess);
}

// The watch always gets a handle it can wait on, so it always ends and the title window takes
// input again; only a start without any handle is not watched.
TEST_F(SetupRun, ABackgroundInstallerIsWatchedOnAHandleOpenedForSynchronizeAccess) {
    PROCESS_INFORMATION started = {};
    watchASleepingChild(true, &started);
    EXPECT_NE(childWatch.process.get(), started.hProcess);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(started.hProcess, &flags)) << "the start's handle is closed";
    expectTheWatchEndsWithTheChild();
}

TEST_F(SetupRun, ABackgroundInstallerThatCannotBeOpenedIsWatchedOnTheStartsOwnHandle) {
    PROCESS_INFORMATION started = {};
    watchASleepingChild(false, &started);
    EXPECT_EQ(childWatch.process.get(), started.hProcess);
    expectTheWatchEndsWithTheChild();
}

TEST_F(SetupRun, AStartWithoutAnyHandleIsNotWatched) {
    StartedProcess none;
    EXPECT_EQ(0, watchInstaller(none));
    EXPECT_EQ(0, childWatch.active);
    EXPECT_EQ(nullptr, pleaseWaitWindow);
    EXPECT_EQ(nullptr, visibleDialog(GetCurrentProcessId(), IDC_PLEASE_WAIT_TEXT));
}

// ---- The component questions ----------------------------------------------------------------------

// The installers are taken from the program's own regist folder, which this test program lacks:
// each start fails with message 4, and the sequence stops there for the call.
TEST_F(SetupRun, AnInstallerThatCannotStartEndsTheSequenceWithMessage4) {
    char program[kPathBufferSize];
    programFolder(program);
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((std::string(program) + "\\regist").c_str()));
    const struct {
        uint32_t flagsBefore, flagsAfter;
        const char* question;
    } cases[] = {
        {0, 2, "Would you like to install DirectX(R)6 now?"},
        {2, 6, "Would you like to install Intel(R) Indeo(R) Video5.06 now?"},
        {6, 14, "Would you like to install DirectX(R)Media6 now?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        launcherSettings.promptFlags = c.flagsBefore;
        MessageBoxWatch boxes(IDYES);
        EXPECT_EQ(1, offerRuntimeComponents(owner_, 0));
        const std::vector<AnsweredBox> shown = boxes.stop();
        ASSERT_EQ(2u, shown.size());
        EXPECT_EQ(shown[0].text, c.question);
        // Owned by the title window only once this run has asked the DirectX question.
        expectBox(shown[1], messageText(kMsgGeneralError), kGameTitle, c.flagsBefore == 0 ? owner_.get() : nullptr);
        EXPECT_EQ(c.flagsAfter, launcherSettings.promptFlags);
        expectRegDword(kSettingsKey, "OTHERS", c.flagsAfter);
        EXPECT_EQ(0, childWatch.active);
        EXPECT_EQ(nullptr, pleaseWaitWindow);
        messageOwner = nullptr;
    }
}

}  // namespace
