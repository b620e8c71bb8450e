// Starting the CD's programs as the launcher starts every one, and waiting for them.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Starts path: path as application name, commandLine (may be nullptr; CreateProcessA may write
// into it), no inherited handles, a new console, the launcher's environment, folder as working
// directory (nullptr or "": the launcher's own). started holds both handles on success.
// A program that asks for administrator rights is started through the shell instead.
BOOL startProgram(const char* path, char* commandLine, const char* folder, StartedProcess& started);

// Starts path through the shell, which asks the user for the administrator rights that its
// manifest requires, with parameters (may be nullptr) and folder as working directory. Only
// the process handle comes back: started's thread and id stay empty (Windows 95 cannot tell a
// process's id from its handle), so a watch waits on that handle.
BOOL startThroughShell(const char* path, const char* parameters, const char* folder, StartedProcess& started);

// Waits for process to end. Meanwhile the thread answers the messages that other programs
// send to its windows (an installer that broadcasts a setting change waits for every window's
// answer), and nothing else: posted messages stay queued and nothing is repainted. The keyboard
// and mouse input that arrived meanwhile is discarded when the process has ended.
// 1 when the process has ended; 0 when it cannot be waited on.
int waitForProgramEnd(HANDLE process);
