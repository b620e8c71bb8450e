// What every stand-in program of the demo CD shares: its settings from the environment, the
// mutex it holds, the window that shows what it does, and the report it leaves for the tests.
// cdrom/STANDINS.md describes their behaviour, settings and report format.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win_handles.h"

struct StandInIdentity {
    const char* fileName;   // the name on the CD, such as "Qlk2_inst.exe"
    const char* caption;    // the window caption
    const char* activity;   // the window's first line: what the program is doing
    const char* mutexName;  // held while the program runs; nullptr for none
};

// One per program run. The constructor takes the mutex and records what the program received;
// run() shows the window for the run time; finish() writes the report and gives the exit code.
class StandIn {
public:
    explicit StandIn(const StandInIdentity& identity);
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // STANDIN_<TAG>_<name> if set, else STANDIN_<name>, else empty. TAG is the file name
    // without its extension in capitals: MIRELP, QLK2_INST, DXINST, ...
    std::string setting(const char* name) const;

    void note(const char* key, const std::string& value);  // a report line
    void display(const std::string& line);                 // a line in the window
    // Notes every value of the settings key as the program finds it, and shows them if asked.
    enum class KeyShown { InReportOnly, InWindowToo };
    void noteSettingsKey(KeyShown shown);

    void run();
    // Broadcasts a setting change first when STANDIN_BROADCAST is 1. The exit code:
    // STANDIN_EXIT_CODE when set, else 0 after success and 1 after failure.
    int finish(bool succeeded);

    const std::string& moduleFolder() const { return moduleFolder_; }

private:
    void broadcastSettingChange();

    const StandInIdentity& identity_;
    std::string tag_;
    std::string moduleFolder_;
    KernelHandle mutex_;
    std::vector<std::pair<std::string, std::string>> report_;
    std::vector<std::string> lines_;
};

// The registry key that the launcher, setup, the uninstaller and the game share.
extern const char* const kSettingsKey;

// A string value of HKEY_LOCAL_MACHINE\<keyPath>, or empty when it cannot be read.
std::string readMachineString(const char* keyPath, const char* valueName);
std::string folderOf(const std::string& path);
bool isFolder(const std::string& path);
