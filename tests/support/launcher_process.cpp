// Starts the built launcher from the demo CD as a process of its own and watches it end.
#include "launcher_process.h"

#include <set>
#include <vector>

#include "tests/support/files.h"

namespace {

constexpr const char* kLauncherFileName = "Qlk2_launch.exe";
constexpr DWORD kSpawnTimeoutMs = 10000;
const RegPlace kLauncherDllOverrides = {HKEY_CURRENT_USER,
                                        "Software\\Wine\\AppDefaults\\Qlk2_launch.exe\\DllOverrides"};

// Wine's own Unix spawn.
using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);

}  // namespace

LauncherDllOverride::LauncherDllOverride(const char* dll, const char* order)
    : saved_(kLauncherDllOverrides, dll), set_(setRegString(kLauncherDllOverrides, dll, order)) {}

bool LauncherProcess::start(const LauncherOptions& options) {
    terminate();
    error_.clear();
    if (options.display.empty() || options.display == environmentValue("DISPLAY")) return createProcess(options);
    return spawnOnDisplay(options);
}

bool LauncherProcess::createProcess(const LauncherOptions& options) {
    const std::string& program = options.program;
    std::vector<char> commandLine(program.c_str(), program.c_str() + program.size() + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Now and then Wine loses a new process before it starts running (ERROR_INTERNAL_ERROR,
    // seen about once in a hundred starts); the launcher's own code never ran then, so one
    // more try is no excuse for a fault of the launcher.
    BOOL created = FALSE;
    for (int attempt = 0; attempt < 2 && !created; ++attempt) {
        created = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 options.directory.c_str(), &startup, &info);
        if (!created && GetLastError() != ERROR_INTERNAL_ERROR) break;
    }
    if (!created) {
        error_ = "CreateProcess failed with error " + std::to_string(GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

// The shell starts Wine in the launcher's folder, so that Wine gives the new process that
// folder as its current directory, with DISPLAY set; its output goes nowhere, so that no
// pipe of the test run stays open behind it.
bool LauncherProcess::spawnOnDisplay(const LauncherOptions& options) {
    auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    std::string directory = unixPathOf(options.directory);
    std::string launcher = unixPathOf(options.program);
    if (!spawn || directory.empty() || launcher.empty()) {
        error_ = "Wine's Unix spawn or path conversion is not available";
        return false;
    }
    std::set<DWORD> before = processIdsNamed(kLauncherFileName);
    std::string script =
        "exec </dev/null >/dev/null 2>&1; cd \"$1\" && DISPLAY=\"$2\" exec \"${WINELOADER:-wine}\" \"$3\"";
    std::string argv0 = "/bin/sh", dashC = "-c", name = "sh";
    std::string display = options.display;
    char* argv[] = {argv0.data(),     dashC.data(),   script.data(),   name.data(),
                    directory.data(), display.data(), launcher.data(), nullptr};
    if (spawn(argv, 0) != 0) {
        error_ = "the Unix spawn of Wine failed";
        return false;
    }
    DWORD startTime = GetTickCount();
    do {
        for (DWORD id : processIdsNamed(kLauncherFileName)) {
            if (before.count(id)) continue;
            process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
            if (!process_) continue;
            id_ = id;
            return true;
        }
        Sleep(20);
    } while (GetTickCount() - startTime < kSpawnTimeoutMs);
    error_ = "no new launcher process appeared on display " + options.display;
    return false;
}

bool LauncherProcess::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> LauncherProcess::waitForExit(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void LauncherProcess::terminate() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}
