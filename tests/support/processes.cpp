// Processes for the Windows tests.
#include "tests/support/processes.h"

#include <sddl.h>
#include <tlhelp32.h>

#include "tests/support/files.h"

std::string environmentValue(const char* name) {
    char value[1024] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool mutexExists(const char* name) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (mutex) CloseHandle(mutex);
    return mutex != nullptr;
}

HANDLE createMutexGrantingOnlySynchronize(const char* name) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;0x00100000;;;WD)", SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr))
        return nullptr;
    HANDLE mutex = CreateMutexA(&attributes, FALSE, name);
    LocalFree(attributes.lpSecurityDescriptor);
    return mutex;
}

std::set<DWORD> processIdsNamed(const char* fileName) {
    std::set<DWORD> ids;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (_stricmp(entry.szExeFile, fileName) == 0) ids.insert(entry.th32ProcessID);
    return ids;
}

std::string loadedModulePath(DWORD processId, const char* fileName) {
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot.get(), &entry); more; more = Module32Next(snapshot.get(), &entry))
        if (_stricmp(entry.szModule, fileName) == 0) return entry.szExePath;
    return {};
}

PROCESS_INFORMATION startProcess(const std::string& program, std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started);
    return started;
}

PROCESS_INFORMATION startSleepingChild(DWORD milliseconds) {
    const std::string self = modulePath();
    return startProcess(self, "\"" + self + "\" --sleep-ms=" + std::to_string(milliseconds));
}

SleepingChild::SleepingChild(DWORD milliseconds) {
    PROCESS_INFORMATION started = startSleepingChild(milliseconds);
    if (!started.hProcess) return;
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    id_ = started.dwProcessId;
}

ULONGLONG SleepingChild::endTime() const {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(process_.get(), &creation, &exit, &kernel, &user);
    return (static_cast<ULONGLONG>(exit.dwHighDateTime) << 32) | exit.dwLowDateTime;
}
