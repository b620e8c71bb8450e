// The watch over a background installer, polled by the message loop, and the please-wait
// window shown while an installer runs.
#pragma once

#include <windows.h>

struct ChildWatch {
    HANDLE process;  // synchronize access, owned by the watch while active
    int active;
};

extern ChildWatch childWatch;
// The one please-wait window; empty once it has gone, whoever destroyed it.
extern HWND pleaseWaitWindow;

// Posted to the window the watch notifies to let the next outstanding installer offer follow.
constexpr UINT kResumeMessage = WM_USER + 1234;
// Its ticks only wake the message loop so that the watch is polled without user input.
constexpr UINT_PTR kWatchTimerId = 9999;
constexpr UINT kWatchTimerPeriod = 3000;

// Called before every message is handled: when the watched child has ended, removes the
// please-wait window, stops the watch timer of notified, clears the watch, brings notified to
// the top, repaints it and posts it the resume message. Without a window to notify (it has
// gone) only the watch ends. Returns 1 when it handled an end.
int pollChildWatch(HWND notified);

// Arms the watch on a started child. Without a process handle nothing is watched, so the
// title window never ignores input for ever; returns 0 then.
int armChildWatch(HANDLE process);

// Shows the please-wait window over owner (replacing one that shows), painted at once: while
// the launcher waits for an installer nothing else paints it.
void showPleaseWait(HWND owner);
void removePleaseWait();
