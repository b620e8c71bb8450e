// Start-up checks, the title window's creation and the message loop.
#include "launcher/startup.h"

#include "common/message_catalogue.h"
#include "common/module_instance.h"
#include "common/system_libraries.h"
#include "common/win_handles.h"
#include "install/component_offers.h"
#include "install/shortcuts.h"
#include "launcher/title_render.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"

KernelHandle launcherMutex;

namespace {

constexpr int kExitRefused = 0;
constexpr int kExitCannotRun = 1;
constexpr int kMinimumBitsPerPixel = 16;

const char* const kProductMutexNames[] = {
    "QUARLOCK2 PC DoubleStart Check",
    "QUARLOCK2 PC Setup DoubleStart Check",
    "QUARLOCK2 PC Uninstall DoubleStart Check",
    kLauncherMutexName,
};

int screenBitsPerPixel() {
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL);
}

}  // namespace

int runMessageLoop() {
    MSG message;
    for (;;) {
        BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        if (result == -1) return kExitCannotRun;
        pollChildWatch(titleWindow);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A mutex of another account (NT's "Run as") or of an elevated program refuses this one
// access: it exists, so its program runs.
int claimLauncherMutex() {
    launcherMutex.reset(CreateMutexA(nullptr, FALSE, kLauncherMutexName));
    const DWORD error = GetLastError();
    if (launcherMutex.valid() ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED) {
        launcherMutex.reset();
        return 0;
    }
    return 1;
}

int anotherProgramRunning() {
    for (const char* name : kProductMutexNames) {
        KernelHandle mutex(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name));
        if (mutex.valid() || GetLastError() == ERROR_ACCESS_DENIED) return 1;
    }
    return 0;
}

int runLauncher(HINSTANCE instance) {
    // First of all: before any DLL is loaded by its name, any program started or the shell's link
    // object made.
    narrowDllSearch();
    if (anotherProgramRunning() || !claimLauncherMutex()) return kExitRefused;

    if (screenBitsPerPixel() < kMinimumBitsPerPixel) {
        showBox(nullptr, kColourDepthWarning, MB_ICONWARNING | MB_OK);
        launcherMutex.reset();
        return kExitCannotRun;
    }

    // Before the shortcuts, whose link object may load comctl32.dll by its name: that load then
    // finds the system folder's, already loaded. Without it there would be no title window, so
    // the start ends as when that cannot be made, having made nothing.
    if (!loadCommonControls()) {
        launcherMutex.reset();
        return kExitCannotRun;
    }

    registerShortcutsAndUninstaller();

    appInstance = instance;
    commonControls.initCommonControls();
    registerTitleWindowClass(instance);
    // Without its window the loop would wait for ever, so the launcher ends at once.
    if (!CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TITLE), nullptr, titleDialogProc, 0)) {
        deleteTitlePalettes();
        launcherMutex.reset();
        return kExitCannotRun;
    }

    int exitCode = runMessageLoop();
    launcherMutex.reset();
    return exitCode;
}
