// Starting the CD's programs as the launcher starts every one, and waiting for them.
#include "install/program_start.h"

BOOL startProgram(const char* path, char* commandLine, const char* folder, StartedProcess& started) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        folder && folder[0] ? folder : nullptr, &startup, &info))
        return FALSE;
    started.process.reset(info.hProcess);
    started.thread.reset(info.hThread);
    started.id = info.dwProcessId;
    return TRUE;
}

int waitForProgramEnd(HANDLE process) {
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) return 1;
        if (woken != WAIT_OBJECT_0 + 1) return 0;
        // Looking at the queue delivers the messages sent to this thread; it removes nothing.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
}
