// The watch over a background installer, polled by the message loop.
#pragma once

#include <windows.h>

struct ChildWatch {
    HANDLE process;  // synchronize access, owned by the watch while active
    int active;
};

extern ChildWatch childWatch;
extern HWND pleaseWaitWindow;

// Posted to the title window to let the next outstanding installer offer follow.
constexpr UINT kResumeMessage = WM_USER + 1234;
// Its ticks only wake the message loop so that the watch is polled without user input.
constexpr UINT_PTR kWatchTimerId = 9999;
constexpr UINT kWatchTimerPeriod = 3000;

// Called before every message is handled: when the watched child has ended, removes the
// please-wait window, stops the timer, clears the watch and resumes the title window.
// Returns 1 when it handled an end.
int pollChildWatch();

// Arms the watch on a started child. Without a process handle nothing is watched, so the
// title window never ignores input for ever; returns 0 then.
int armChildWatch(HANDLE process);
