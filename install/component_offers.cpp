// The once-per-machine offers of the runtime components, and the watch over their installers.
#include "install/component_offers.h"

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "install/child_watch.h"
#include "install/component_rules.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/program_start.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

namespace {

// Yes or No, in front of whatever window is active.
bool userWantsComponent(HWND owner, RuntimeComponent component, int explainRequirement) {
    return showBox(owner, offerQuestion(component, explainRequirement), MB_YESNO | MB_SETFOREGROUND) == IDYES;
}

void recordOffer(RuntimeComponent component) {
    launcherSettings.promptFlags |= componentOffer(component).offeredFlag;
    savePromptFlags();
}

// Starts a component installer from the launcher's own regist folder, in that folder.
// commandLine may be nullptr.
bool startInstaller(RuntimeComponent component, char* commandLine, StartedProcess& started) {
    char program[kPathBufferSize], folder[kPathBufferSize], installer[kPathBufferSize];
    return programFolder(program) && installerFolder(program, folder) &&
           joinPath(installer, folder, componentOffer(component).installerName) &&
           startProgram(installer, commandLine, folder, started);
}

double systemDriveFreeMegabytes() {
    char systemFolder[kPathBufferSize], root[kPathBufferSize];
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    const UINT length = GetSystemDirectoryA(systemFolder, kPathBufferSize);
    const bool measured = length > 0 && length < static_cast<UINT>(kPathBufferSize) &&
                          systemDriveRoot(systemFolder, root) &&
                          GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
    if (!measured) sectorsPerCluster = bytesPerSector = freeClusters = 0;
    return freeMegabytes(bytesPerSector, freeClusters, sectorsPerCluster);
}

// Measures again each time the user says OK to the low-space message; false on Cancel.
bool roomForDirectX() {
    while (!enoughRoomForDirectX(systemDriveFreeMegabytes()))
        if (!showDirectXSetupMessage(kDirectXLowSpaceCode)) return false;
    return true;
}

// Runs DXINST.bin on the DirectX files beside the setup library and waits for it. False when
// it could not be started: then no further component is offered in this run.
bool installDirectX(const char* setupLibraryPath) {
    char sourceFolder[kPathBufferSize];
    StartedProcess started;
    if (!directXSourceFolder(setupLibraryPath, sourceFolder) ||
        !startInstaller(RuntimeComponent::DirectX, sourceFolder, started)) {
        showMessage(kMsgGeneralError);
        return false;
    }
    started.thread.reset();
    DWORD exitCode = 0;
    if (waitBehindPleaseWait(started.process.release(), &exitCode) && exitCode == kRestartNeededExitCode) {
        showMessage(kMsgRestartWindows);
        enableShutdownPrivilege();
        ExitWindowsEx(EWX_REBOOT, 0);
    }
    return true;
}

// False when the sequence ends for this run.
bool offerDirectX(HWND owner, int explainRequirement, const char* setupLibraryPath) {
    const bool wanted = userWantsComponent(owner, RuntimeComponent::DirectX, explainRequirement);
    messageOwner = owner;
    recordOffer(RuntimeComponent::DirectX);
    if (!wanted || !roomForDirectX()) return true;
    return installDirectX(setupLibraryPath);
}

// Starts Indeo or DirectX Media and leaves it to the child watch.
void installInBackground(RuntimeComponent component) {
    StartedProcess started;
    if (!startInstaller(component, nullptr, started)) {
        showMessage(kMsgGeneralError);
        return;
    }
    watchInstaller(started);
}

// The Indeo and DirectX Media questions. False when the sequence waits for a watched installer or
// ends for this run.
bool offerInBackground(RuntimeComponent component, HWND owner, int explainRequirement) {
    bool wanted;
    if (component == RuntimeComponent::DirectXMedia) {
        // Recorded before the question: a launcher closed while it is open never asks again.
        recordOffer(component);
        wanted = userWantsComponent(owner, component, explainRequirement);
    } else {
        wanted = userWantsComponent(owner, component, explainRequirement);
        recordOffer(component);
    }
    if (!wanted) return true;
    // The next offer follows when the watch sees the installer end.
    installInBackground(component);
    return false;
}

// Resume messages that came while a menu action ran wait for its end.
bool offersDeferred = false;

OfferState currentState() {
    if (childWatch.active) return OfferState::WaitingForInstaller;
    return offersDeferred ? OfferState::DeferredUntilActionEnds : OfferState::NextOffer;
}

}  // namespace

void startComponentOffers(HWND titleWindow) { PostMessageA(titleWindow, kResumeMessage, 0, 0); }

bool componentOffersHoldInput() { return childWatch.active != 0; }

void stopComponentOffers(HWND titleWindow) { KillTimer(titleWindow, kWatchTimerId); }

void onResumeMessage(HWND titleWindow, bool actionRunning) {
    switch (offerStep(currentState(), OfferEvent::ResumeMessage, actionRunning)) {
    case OfferStep::Defer: offersDeferred = true; return;
    case OfferStep::Offer:
        offersDeferred = false;
        SetTimer(titleWindow, kWatchTimerId, kWatchTimerPeriod, nullptr);
        offerRuntimeComponents(titleWindow, 0);
        InvalidateRect(titleWindow, nullptr, TRUE);
        return;
    default: return;
    }
}

void onActionEnded(HWND titleWindow, bool actionRunning) {
    if (offerStep(currentState(), OfferEvent::ActionEnded, actionRunning) != OfferStep::PostResume) return;
    offersDeferred = false;
    PostMessageA(titleWindow, kResumeMessage, 0, 0);
}

int pollChildWatch(HWND titleWindow) {
    if (!watchedChildEnded()) return 0;
    const OfferStep step = offerStep(currentState(), OfferEvent::InstallerEnded, false);
    removePleaseWait();
    if (titleWindow) KillTimer(titleWindow, kWatchTimerId);
    endChildWatch();
    if (!titleWindow) return 1;
    BringWindowToTop(titleWindow);
    InvalidateRect(titleWindow, nullptr, TRUE);
    if (step == OfferStep::PostResume) PostMessageA(titleWindow, kResumeMessage, 0, 0);
    return 1;
}

int offerRuntimeComponents(HWND owner, int explainRequirement) {
    char setupLibrary[kPathBufferSize];
    if (!locateFile(kDirectXSetupLibraryName, owner, setupLibrary)) return 0;

    RuntimeComponent component;
    while (nextOffer(launcherSettings.promptFlags, &component)) {
        const bool goesOn = component == RuntimeComponent::DirectX
                                ? offerDirectX(owner, explainRequirement, setupLibrary)
                                : offerInBackground(component, owner, explainRequirement);
        if (!goesOn) break;
    }
    return 1;
}

int showDirectXSetupMessage(int code) {
    const DirectXSetupMessage* message = directXSetupMessage(code);
    if (!message) return 0;
    const int answer = showBox(messageOwner, message->text, message->offersCancel ? MB_OKCANCEL : MB_OK);
    return message->offersCancel && answer == IDOK;
}

int waitBehindPleaseWait(HANDLE process, DWORD* exitCode) {
    KernelHandle installer(process);
    showPleaseWait(messageOwner);
    const bool ended = waitForProgramEnd(installer.get()) == 1;
    // However the wait ended, the window goes: the message loop removes only the windows of
    // watched installers.
    removePleaseWait();
    return ended && GetExitCodeProcess(installer.get(), exitCode);
}

void enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    KernelHandle holder(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

int watchInstaller(StartedProcess& started) {
    showPleaseWait(messageOwner);
    HANDLE watched = started.id ? OpenProcess(SYNCHRONIZE, FALSE, started.id) : nullptr;
    started.thread.reset();
    // Without a handle to wait on, the watch would never end and the title window would ignore
    // input for good; the start's own handle can always be waited on.
    if (watched) started.process.reset();
    else watched = started.process.release();
    if (armChildWatch(watched)) return 1;
    removePleaseWait();
    return 0;
}
