// Starting the CD's programs as the launcher starts every one, and waiting for them.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Starts path: path as application name, commandLine (may be nullptr; CreateProcessA may write
// into it), no inherited handles, a new console, the launcher's environment, folder as working
// directory (nullptr or "": the launcher's own). started holds both handles on success.
BOOL startProgram(const char* path, char* commandLine, const char* folder, StartedProcess& started);

// Waits for process to end. Meanwhile the thread answers the messages that other programs
// send to its windows (an installer that broadcasts a setting change waits for every window's
// answer), and nothing else: input and posted messages stay queued and nothing is repainted.
// 1 when the process has ended; 0 when it cannot be waited on.
int waitForProgramEnd(HANDLE process);
