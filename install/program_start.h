// Starting the CD's programs as the launcher starts every one, and waiting for them.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Starts path: path as application name, commandLine (may be nullptr; CreateProcessA may write
// into it), no inherited handles, a new console, the launcher's environment, folder as working
// directory (nullptr or "": the launcher's own). started holds both handles on success.
// A program named .exe that asks for administrator rights is started through the shell instead.
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

// What sets the runs of setup and of the uninstaller apart.
struct CdProgram {
    const char* relativeName;  // as the file lookup takes it: "regist\Qlk2_inst.exe"
    const char* startError;    // shown, with the system's caption, when it cannot be started
    HWND startErrorOwner;      // that box's owner: setup's has none, the uninstaller's the title window
    bool goesToDriveRoot;      // afterwards the launcher's current folder is its drive's root
};

// Finds the program with the file lookup (its message owned by lookupOwner), starts it in its
// own folder without a command line and waits for it to end, whatever its exit code: what it
// did shows in what it left. 0 when it is nowhere; 1 otherwise, also when it could not be
// started (after its start error).
int runCdProgram(const CdProgram& program, HWND lookupOwner);
