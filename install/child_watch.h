// The watch over a background installer and the please-wait window shown while an installer
// runs; the component offers poll the watch from the message loop.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

struct ChildWatch {
    KernelHandle process;  // synchronize access, owned by the watch while active
    int active = 0;
};

extern ChildWatch childWatch;
// The one please-wait window; empty once it has gone, whoever destroyed it.
extern HWND pleaseWaitWindow;

// Whether the watched child has ended: a watch is active, with a process that a wait with no
// time-out finds signalled. A wait that fails counts as not ended.
bool watchedChildEnded();
// Closes the watched process and clears the watch.
void endChildWatch();

// Arms the watch on a started child. Without a process handle nothing is watched, so the
// title window never ignores input for ever; returns 0 then.
int armChildWatch(HANDLE process);

// Shows the please-wait window over owner (replacing one that shows), painted at once: while
// the launcher waits for an installer nothing else paints it.
void showPleaseWait(HWND owner);
void removePleaseWait();
