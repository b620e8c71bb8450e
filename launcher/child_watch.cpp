// The watch over a background installer, polled by the message loop.
#include "launcher/child_watch.h"

#include "launcher/title_window.h"

ChildWatch childWatch = {nullptr, 0};
HWND pleaseWaitWindow = nullptr;

int pollChildWatch() {
    if (!childWatch.active || !childWatch.process) return 0;
    if (WaitForSingleObject(childWatch.process, 0) != WAIT_OBJECT_0) return 0;

    if (pleaseWaitWindow) DestroyWindow(pleaseWaitWindow);
    pleaseWaitWindow = nullptr;
    if (titleWindow) KillTimer(titleWindow, kWatchTimerId);
    CloseHandle(childWatch.process);
    childWatch.active = 0;
    childWatch.process = nullptr;
    // Closed while the child ran, the launcher is on its way out: nothing to resume.
    if (!titleWindow) return 1;
    BringWindowToTop(titleWindow);
    InvalidateRect(titleWindow, nullptr, TRUE);
    PostMessageA(titleWindow, kResumeMessage, 0, 0);
    return 1;
}

int armChildWatch(HANDLE process) {
    if (!process) return 0;
    childWatch.process = process;
    childWatch.active = 1;
    return 1;
}
