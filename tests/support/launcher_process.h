// Starts the built launcher from the demo CD as a process of its own, on a chosen X
// display, and watches it end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/support/processes.h"
#include "tests/support/registry_expect.h"

// The launcher on the CD-ROM drive that the test command links to the demo CD.
constexpr const char* kCdLauncherPath = "D:\\Qlk2_launch.exe";
constexpr const char* kCdRoot = "D:\\";

struct LauncherOptions {
    // X display of the new process (":131"); empty: the test program's own. A Wine process
    // takes its display from the Unix environment it was started with, not from the Windows
    // environment block that CreateProcess passes, so a launcher for another display is
    // started through the Unix side (Wine's __wine_unix_spawnvp) and found by its name; one
    // that ends before it is found counts as not started.
    std::string display;
    // The launcher reads readme.txt from here.
    std::string directory = kCdRoot;
    // The program started: the CD's launcher, or a copy of it under the same file name.
    std::string program = kCdLauncherPath;
};

// Wine's load order of one DLL for the launcher alone (by its file name), as WINEDLLOVERRIDES
// gives one to every program: "native,builtin" prefers a DLL lying beside the launcher, "" loads
// none. Wine reads it as a launcher starts. Not WINEDLLOVERRIDES itself: a program that the test
// program starts takes it from the test program's Unix environment, whatever environment block
// it is given. Removed when the holder goes.
class LauncherDllOverride {
public:
    LauncherDllOverride(const char* dll, const char* order);
    bool set() const { return set_; }

private:
    SavedRegValue saved_;
    bool set_;
};

// One launcher process. The holder ends a process still running when it goes, so that a
// failed test never leaves a launcher (and its mutex) behind for the next one.
class LauncherProcess {
public:
    LauncherProcess() = default;
    ~LauncherProcess() { terminate(); }
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    // False (with the reason in lastError()) when the process could not be started.
    bool start(const LauncherOptions& options = {});
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    // The exit code once the process has ended within the time, otherwise nothing.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    // Ends the process if it still runs and waits until it has gone; closes the handle.
    void terminate();
    const std::string& lastError() const { return error_; }

private:
    bool createProcess(const LauncherOptions& options);
    bool spawnOnDisplay(const LauncherOptions& options);

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    std::string error_;
};
