// Processes for the Windows tests: child processes to start and watch, named mutexes that
// programs hold while they run, and the test program's environment.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "common/win_handles.h"

// The value of an environment variable of the test program, empty when it is not set.
std::string environmentValue(const char* name);

bool mutexExists(const char* name);
// A mutex that grants everyone no more than waiting on it, as one of another account or of an
// elevated program looks to the launcher: opening it for full access, or creating it, fails
// with ERROR_ACCESS_DENIED. The handle is the caller's.
HANDLE createMutexGrantingOnlySynchronize(const char* name);
// The ids of the running processes of that program ("wineboot.exe").
std::set<DWORD> processIdsNamed(const char* fileName);
// Where the process loaded the module of that file name ("comctl32.dll") from; "" when it has
// none loaded.
std::string loadedModulePath(DWORD processId, const char* fileName);

// Starts program with that command line in the test's current folder; both handles are the
// caller's, and all is zero when it did not start.
PROCESS_INFORMATION startProcess(const std::string& program, std::string commandLine);
// This test program, started to sleep for a while and end (test_main's --sleep-ms).
PROCESS_INFORMATION startSleepingChild(DWORD milliseconds);

// A sleeping child whose process the holder keeps a full handle to, and waits for when it goes.
class SleepingChild {
public:
    explicit SleepingChild(DWORD milliseconds);
    ~SleepingChild() { waitForEnd(); }

    bool started() const { return process_.valid(); }
    DWORD id() const { return id_; }
    // A further handle to the child with only the given access; the caller owns it.
    HANDLE open(DWORD access) const { return OpenProcess(access, FALSE, id_); }
    bool waitForEnd() const { return WaitForSingleObject(process_.get(), 10000) == WAIT_OBJECT_0; }
    // When the child ended, as a system time in 100 ns units.
    ULONGLONG endTime() const;

private:
    KernelHandle process_;
    DWORD id_ = 0;
};
