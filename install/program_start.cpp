// Starting the CD's programs as the launcher starts every one, and waiting for them.
#include "install/program_start.h"

#include <shellapi.h>

#include "common/message_catalogue.h"
#include "install/file_lookup.h"
#include "install/path_rules.h"
#include "install/program_start_rules.h"
#include "settings/launcher_settings.h"

BOOL startProgram(const char* path, char* commandLine, const char* folder, StartedProcess& started) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        folder && folder[0] ? folder : nullptr, &startup, &info))
        return startGoesToShell(GetLastError(), path) && startThroughShell(path, commandLine, folder, started);
    started.process.reset(info.hProcess);
    started.thread.reset(info.hThread);
    started.id = info.dwProcessId;
    return TRUE;
}

namespace {

// Keys pressed and clicks made while the launcher waited were meant for the program that ran, or
// were impatience (a second click on Install would run setup again): none of them acts now.
void discardQueuedInput() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
    while (PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {}
}

}  // namespace

BOOL startThroughShell(const char* path, const char* parameters, const char* folder, StartedProcess& started) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // The shell shows no box of its own: the launcher reports a failed start itself.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = path;
    info.lpParameters = parameters;
    info.lpDirectory = folder && folder[0] ? folder : nullptr;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return FALSE;
    // Without a process there is nothing to wait for: as if it had not started.
    if (!info.hProcess) return FALSE;
    started.process.reset(info.hProcess);
    started.thread.reset();
    started.id = 0;
    return TRUE;
}

int waitForProgramEnd(HANDLE process) {
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) {
            discardQueuedInput();
            return 1;
        }
        if (woken != WAIT_OBJECT_0 + 1) return 0;
        // Looking at the queue delivers the messages sent to this thread; it removes nothing.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
}

int runCdProgram(const CdProgram& program, HWND lookupOwner) {
    char path[kPathBufferSize];
    if (!locateFile(program.relativeName, lookupOwner, path)) return 0;
    char folder[kPathBufferSize];
    formatPath(folder, "%s", path);
    cutAtLastBackslash(folder);

    StartedProcess started;
    if (!startProgram(path, nullptr, folder, started)) {
        showBox(program.startErrorOwner, program.startError, MB_OK, kSystemCaption);
        return 1;
    }
    started.thread.reset();
    // The launcher waits here, unpainted, until the program ends.
    waitForProgramEnd(started.process.get());
    started.process.reset();
    if (program.goesToDriveRoot) SetCurrentDirectoryA("\\");
    return 1;
}
