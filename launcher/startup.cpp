// Start-up checks, the title window's creation and the message loop.
#include "launcher/startup.h"

#include <commctrl.h>

#include "common/message_catalogue.h"
#include "common/module_instance.h"
#include "install/child_watch.h"
#include "install/shortcuts.h"
#include "launcher/title_render.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"

HANDLE launcherMutex = nullptr;

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
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

void closeLauncherMutex() {
    if (!launcherMutex) return;
    ReleaseMutex(launcherMutex);
    CloseHandle(launcherMutex);
    launcherMutex = nullptr;
}

void registerTitleWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = titleClassProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kTitleWindowClass;
    RegisterClassA(&windowClass);
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

int claimLauncherMutex() {
    launcherMutex = CreateMutexA(nullptr, FALSE, kLauncherMutexName);
    if (launcherMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        closeLauncherMutex();
        return 0;
    }
    return 1;
}

int anotherProgramRunning() {
    for (const char* name : kProductMutexNames) {
        HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
        if (mutex) {
            CloseHandle(mutex);
            return 1;
        }
    }
    return 0;
}

int runLauncher(HINSTANCE instance) {
    if (anotherProgramRunning() || !claimLauncherMutex()) return kExitRefused;

    if (screenBitsPerPixel() < kMinimumBitsPerPixel) {
        MessageBoxA(nullptr, kColourDepthWarning, kGameTitle, MB_ICONWARNING | MB_OK);
        closeLauncherMutex();
        return kExitCannotRun;
    }

    registerShortcutsAndUninstaller();

    appInstance = instance;
    InitCommonControls();
    registerTitleWindowClass(instance);
    // Without its window the loop would wait for ever, so the launcher ends at once.
    if (!CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TITLE), nullptr, titleDialogProc, 0)) {
        deleteTitlePalettes();
        closeLauncherMutex();
        return kExitCannotRun;
    }

    int exitCode = runMessageLoop();
    closeLauncherMutex();
    return exitCode;
}
