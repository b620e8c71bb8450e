// The runtime component questions of the launcher started from the CD: DirectX waited for
// behind the please-wait window, Indeo and DirectX Media watched while the title screen takes
// nothing but a close, each question once per machine, and what happens when the CD's files
// cannot be used.
#include "tests/support/launcher_e2e.h"

#include <winternl.h>

#include <atomic>
#include <thread>

#include "install/component_rules.h"
#include "settings/launcher_settings.h"
#include "tests/support/drive_layout.h"
#include "tests/support/lookup_text.h"
#include "tests/support/processes.h"
#include "tests/support/stand_ins.h"

namespace {

// All three components offered, and the readme shown.
constexpr DWORD kAllOffered =
    kPromptReadmeShown | kPromptDirectXOffered | kPromptIndeoOffered | kPromptDirectXMediaOffered;
const char* const kDirectXQuestion = componentOffer(RuntimeComponent::DirectX).questionShort;
const char* const kIndeoQuestion = componentOffer(RuntimeComponent::Indeo).questionShort;
const char* const kMediaQuestion = componentOffer(RuntimeComponent::DirectXMedia).questionShort;
// The watch is polled at least at every tick of the 3 s timer.
constexpr DWORD kWatchNoticeMs = 6000;

// The launcher handles what is posted to it in turn: once its please-wait window has taken a
// redraw switch off and on, everything posted before has been handled.
void waitUntilHandled(HWND pleaseWait) {
    for (BOOL redraw : {FALSE, TRUE}) {
        PostMessageA(pleaseWait, WM_SETREDRAW, redraw, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(pleaseWait) == !redraw; })) << "redraw " << redraw;
    }
}

// Every stand-in stays until the test closes its window.
class ComponentOffers : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        standIns_.set("STANDIN_RUN_MS", "-1");
    }
    void TearDown() override {
        LauncherTest::TearDown();
        for (const char* caption : {kDirectXCaption, kIndeoCaption, kMediaCaption}) closeStandIns(caption);
    }

    // Starts the launcher with these prompt flags, answers the notice and waits for the title
    // window; nullptr (with a failure recorded) when a step failed.
    HWND startPastNotice(DWORD flags) {
        setPromptFlags(flags);
        if (!startLauncher()) return nullptr;
        answer(nextBoxAt(__FILE__, __LINE__, kRequirementsNotice), IDOK);
        return waitForTitle();
    }
    HWND nextQuestionAt(const char* file, int line, const char* text, DWORD timeoutMs = kWindowTimeoutMs) {
        return nextBoxAt(file, line, text, {IDYES, IDNO}, timeoutMs);
    }
    StandInSettings standIns_{"component-offers-reports"};
};
#define nextQuestion(...) nextQuestionAt(__FILE__, __LINE__, __VA_ARGS__)

TEST_F(ComponentOffers, YesThreeTimesRunsEachInstallerInTurn) {
    ASSERT_TRUE(startPastNotice(kPromptReadmeShown));

    // DirectX: the launcher waits, behind the please-wait window.
    HWND question = nextQuestion(kDirectXQuestion);
    Sleep(300);
    saveScreen("offer-1-directx-question.bmp");
    answer(question, IDYES);
    ASSERT_TRUE(waitForStandIn(kDirectXCaption)) << describeWindows(launcher_.id());
    HWND pleaseWait = waitForDialog(launcher_.id(), IDC_PLEASE_WAIT_TEXT);
    ASSERT_TRUE(pleaseWait);
    EXPECT_EQ(GetWindow(pleaseWait, GW_OWNER), title_);
    EXPECT_TRUE(waitsTakingNoInput(title_)) << "the launcher does not wait for DirectX, or answers nothing";
    expectRegDword(kSettingsKey, "OTHERS", kPromptReadmeShown | kPromptDirectXOffered);
    saveScreen("offer-2-directx-please-wait.bmp");
    closeStandIns(kDirectXCaption);

    // Indeo: started and watched; the title screen ignores input meanwhile.
    question = nextQuestion(kIndeoQuestion);
    answer(question, IDYES);
    ASSERT_TRUE(waitForStandIn(kIndeoCaption));
    ASSERT_TRUE(pleaseWait = waitForDialog(launcher_.id(), IDC_PLEASE_WAIT_TEXT));
    EXPECT_EQ(GetWindow(pleaseWait, GW_OWNER), title_);
    EXPECT_TRUE(answers(title_, 2000)) << "the launcher went back to its message loop";
    expectRegDword(kSettingsKey, "OTHERS", kPromptReadmeShown | kPromptDirectXOffered | kPromptIndeoOffered);
    PostMessageA(title_, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(title_, WM_MOUSEMOVE, 0, MAKELPARAM(400, 120));  // over OPTIONS
    postClick(title_, 400, 180);                                  // on Install
    waitUntilHandled(pleaseWait);
    // Neither the input queued during the DirectX wait nor this has counted.
    EXPECT_EQ(TitleShot(title_).inkSummary(3), expectedInk(0, 3)) << "the highlight moved";
    EXPECT_EQ(waitForStandIn(kSetupCaption, 0), nullptr) << "the click started setup";
    saveScreen("offer-3-indeo-watched.bmp");

    // When it ends the title window comes to the top, over this cover, and DirectX Media follows.
    TestWindow cover(true, {0, 0, 300, 300}, WS_EX_TOOLWINDOW);
    pumpMessagesFor(50);
    EXPECT_TRUE(isAbove(cover, title_));
    closeStandIns(kIndeoCaption);
    question = nextQuestion(kMediaQuestion, kWatchNoticeMs);
    EXPECT_TRUE(isAbove(title_, cover)) << "the title window did not come to the top";
    DestroyWindow(cover);
    // Recorded before the question is answered.
    expectRegDword(kSettingsKey, "OTHERS", kAllOffered);
    saveScreen("offer-4-media-question.bmp");
    answer(question, IDYES);
    ASSERT_TRUE(waitForStandIn(kMediaCaption));
    ASSERT_TRUE(pleaseWait = waitForDialog(launcher_.id(), IDC_PLEASE_WAIT_TEXT));
    closeStandIns(kMediaCaption);
    EXPECT_TRUE(waitUntilGone(pleaseWait, kWatchNoticeMs));
    // Input counts again, and no question follows.
    expectNoBoxOnceQueueHandled(kItemPlay);

    expectReport(standIns_.lastReport("DXINST"), {{"module", "D:\\regist\\DXINST.bin"},
                                                  {"command_line", "D:\\regist\\Directx"},
                                                  {"working_directory", "D:\\regist"}, {"source_folder_exists", "1"}});
    for (const char* program : {"iv5play", "enduser"}) {
        const std::string module = std::string("D:\\regist\\") + program + ".exe";
        expectReport(standIns_.lastReport(program),
                     {{"module", module}, {"command_line", "\"" + module + "\""}, {"working_directory", "D:\\regist"}});
    }
    closeLauncher();
}

// Too little room on the system drive (C: on a file system without any): the low-space
// message over the title window. Cancel goes straight to the Indeo question; OK measures again
// and installs DirectX once there is room.
TEST_F(ComponentOffers, TooLittleRoomForDirectXAsksUntilThereIsRoomOrCancel) {
    const char* const kLowSpace = directXSetupMessage(kDirectXLowSpaceCode)->text;
    for (int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        ASSERT_TRUE(startPastNotice(kPromptReadmeShown));
        HWND question = nextQuestion(kDirectXQuestion);
        {
            DriveLayout drives;
            ASSERT_TRUE(drives.defineUnix('c', DRIVE_FIXED, "/proc"));
            answer(question, IDYES);
            ASSERT_TRUE(question = nextBox(kLowSpace, {IDOK, IDCANCEL}));
            if (button == IDOK) {
                Sleep(300);
                saveScreen("offer-low-space.bmp");
            }
        }
        answer(question, button);
        if (button == IDOK) {
            EXPECT_TRUE(waitForStandIn(kDirectXCaption)) << describeWindows(launcher_.id());
            closeStandIns(kDirectXCaption);
        }
        answer(nextQuestion(kIndeoQuestion), IDNO);
        answer(nextQuestion(kMediaQuestion), IDNO);
        EXPECT_EQ(button == IDOK, !standIns_.lastReport("DXINST").empty()) << "DirectX ran";
        closeLauncher();
    }
}

TEST_F(ComponentOffers, AltF4EndsTheLauncherWhileAnInstallerIsWatched) {
    ASSERT_TRUE(startPastNotice(kPromptReadmeShown | kPromptDirectXOffered));
    answer(nextQuestion(kIndeoQuestion), IDYES);
    HWND installer = waitForStandIn(kIndeoCaption);
    ASSERT_TRUE(installer);
    HWND pleaseWait = waitForDialog(launcher_.id(), IDC_PLEASE_WAIT_TEXT);
    ASSERT_TRUE(pleaseWait);
    EXPECT_EQ(GetWindow(pleaseWait, GW_OWNER), nullptr) << "no DirectX question in this run, so no owner";

    // The installer's window shows and takes the foreground; the user clicks the title window,
    // which comes forward but ignores the click on "Play", and types Alt+F4.
    ASSERT_TRUE(waitUntil([installer] { return GetForegroundWindow() == installer; }, kWindowTimeoutMs));
    movePointerTo(title_, 400, 60);
    for (DWORD start = GetTickCount(); GetForegroundWindow() != title_ && GetTickCount() - start < kWindowTimeoutMs;
         Sleep(250))
        clickPointer();
    ASSERT_EQ(GetForegroundWindow(), title_) << "in front: " << storedText(GetForegroundWindow());
    EXPECT_EQ(waitForStandIn(kGameCaption, 300), nullptr) << "the click started the game";
    expectStillRunning();
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_F4, 0, 0, 0);
    keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    expectExitCode(0);
    EXPECT_TRUE(IsWindow(installer)) << "the installer runs on";
}

TEST_F(ComponentOffers, NoThreeTimesAndNothingIsAskedAgain) {
    ASSERT_TRUE(startPastNotice(kPromptReadmeShown));
    answer(nextQuestion(kDirectXQuestion), IDNO);
    answer(nextQuestion(kIndeoQuestion), IDNO);
    HWND question = nextQuestion(kMediaQuestion);
    expectRegDword(kSettingsKey, "OTHERS", kAllOffered);
    answer(question, IDNO);
    expectNoBoxOnceQueueHandled(kItemPlay);
    closeLauncher();
    for (const char* program : {"DXINST", "iv5play", "enduser"}) EXPECT_TRUE(standIns_.lastReport(program).empty());

    // Neither the notice nor a question: the title screen comes straight away and stays alone.
    ASSERT_TRUE(startLauncher());
    ASSERT_TRUE(waitForTitle());
    expectNoBoxOnceQueueHandled(kItemPlay);
    expectRegDword(kSettingsKey, "OTHERS", kAllOffered);
    closeLauncher();
}

// Held open without sharing, the CD's Dsetup.dll cannot be opened: the lookup finds it nowhere.
TEST_F(ComponentOffers, WithoutTheDirectXSetupLibraryTheLookupComplainsAtEveryStart) {
    HeldFile setupLibrary("D:\\regist\\Dsetup.dll");
    ASSERT_TRUE(setupLibrary.held());
    for (const DWORD flags : {DWORD{kPromptReadmeShown}, kAllOffered}) {
        SCOPED_TRACE(flags);
        setPromptFlags(flags);
        ASSERT_TRUE(startLauncher());
        if (flags != kAllOffered) answer(nextBox(kRequirementsNotice), IDOK);
        ASSERT_TRUE(waitForTitle());
        answer(nextBox(fileNotFoundText(kDirectXSetupLibraryName).c_str(), {IDOK}), IDOK);
        expectNoBoxOnceQueueHandled(kItemPlay);
        expectRegDword(kSettingsKey, "OTHERS", flags);
        closeLauncher();
    }
}

// ---- The restart request ---------------------------------------------------------------------

// A window of this process that refuses the end of the session, and so keeps the prefix
// alive, and records who asked: Wine ends a session by running wineboot, which asks each
// process's windows in the order of the process ids, this older test program's first.
class SessionEndRefusal {
public:
    SessionEndRefusal() {
        thread_ = std::thread([this] { run(); });
        while (!window_) Sleep(10);
    }
    ~SessionEndRefusal() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    SessionEndRefusal(const SessionEndRefusal&) = delete;
    SessionEndRefusal& operator=(const SessionEndRefusal&) = delete;

    bool asked() const { return asked_; }
    bool waitUntilAsked(DWORD timeoutMs) const { return waitUntil([this] { return asked_.load(); }, timeoutMs); }
    // The command line of wineboot as it asked: what the restart request was.
    const std::string& requester() const { return requester_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto self = reinterpret_cast<SessionEndRefusal*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_QUERYENDSESSION && self) {
            self->requester_ = winebootCommandLine();
            self->asked_ = true;
            return FALSE;
        }
        if (message == WM_CLOSE) PostQuitMessage(0);  // and the window goes
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void run() {
        TestWindow window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        window_ = window;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }

    // Read from the parameters in the process's memory: this Wine answers no query for the
    // command line of another process.
    static std::string winebootCommandLine() {
        using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
        auto query = reinterpret_cast<QueryProcess>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
        std::string line;
        for (DWORD id : processIdsNamed("wineboot.exe")) {
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
            if (!process) continue;
            PROCESS_BASIC_INFORMATION basic = {};
            PEB peb = {};
            RTL_USER_PROCESS_PARAMETERS parameters = {};
            std::wstring text;
            if (query && query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
                ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
                ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
                text.resize(parameters.CommandLine.Length / sizeof(WCHAR));
                ReadProcessMemory(process, parameters.CommandLine.Buffer, &text[0], parameters.CommandLine.Length,
                                  nullptr);
            }
            CloseHandle(process);
            line = std::string(text.begin(), text.end());
        }
        return line;
    }

    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> asked_{false};
    std::string requester_;
};

// Even refused, a restart request ends every process of the prefix whose id is lower than this
// program's and that has a window, and may not reach this program's window first in a prefix
// where many processes have come and gone: this test runs only when chosen by name, in a
// prefix of its own (--gtest_filter=ComponentRestart.*).
class ComponentRestart : public ComponentOffers {
protected:
    void SetUp() override {
        if (GTEST_FLAG_GET(filter).rfind("ComponentRestart.", 0) != 0)
            GTEST_SKIP() << "runs alone in a prefix of its own: --gtest_filter=ComponentRestart.*";
        ComponentOffers::SetUp();
    }
};

TEST_F(ComponentRestart, ExitCode3010AsksForARestartAndTheOffersGoOn) {
    SessionEndRefusal refusal;
    standIns_.set("STANDIN_DXINST_EXIT_CODE", "3010");
    standIns_.set("STANDIN_DXINST_RUN_MS", "500");
    ASSERT_TRUE(startPastNotice(kPromptReadmeShown));
    answer(nextQuestion(kDirectXQuestion), IDYES);

    HWND box = nextBox(messageText(kMsgRestartWindows), {IDOK});
    ASSERT_TRUE(box);
    EXPECT_EQ(waitForDialog(launcher_.id(), IDC_PLEASE_WAIT_TEXT, 0), nullptr);
    EXPECT_FALSE(refusal.asked()) << "the restart was asked for before OK";
    answer(box, IDOK);

    ASSERT_TRUE(refusal.waitUntilAsked(10000)) << "no restart was asked for";
    // A restart (not a shutdown or log-off) that lets programs refuse (not forced).
    const std::string requester = refusal.requester();
    const std::string expectedEnd = "wineboot.exe --end-session";
    EXPECT_TRUE(requester.size() >= expectedEnd.size() &&
                _stricmp(requester.c_str() + requester.size() - expectedEnd.size(), expectedEnd.c_str()) == 0)
        << requester;
    // Refused here, so the launcher goes on with the next offer.
    answer(nextQuestion(kIndeoQuestion), IDNO);
    answer(nextQuestion(kMediaQuestion), IDNO);
    expectStillRunning();
    closeLauncher();
}

}  // namespace
