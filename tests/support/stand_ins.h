// The demo CD's stand-in programs as the tests see them (cdrom/STANDINS.md): their settings,
// their reports, their windows and the mutexes they hold.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The class of the stand-ins' windows, and the caption of each.
constexpr const char* kStandInClass = "QUARLOCK2 stand-in";
constexpr const char* kGameCaption = "QUARLOCK2 (stand-in)";
constexpr const char* kSetupCaption = "QUARLOCK2 Setup (stand-in)";
constexpr const char* kUninstallerCaption = "QUARLOCK2 Uninstall (stand-in)";
constexpr const char* kDirectXCaption = "DirectX 6 Setup (stand-in)";
constexpr const char* kIndeoCaption = "Indeo Video 5.06 Setup (stand-in)";
constexpr const char* kMediaCaption = "DirectX Media 6 Setup (stand-in)";
constexpr const char* kGameMutex = "QUARLOCK2 PC DoubleStart Check";
constexpr const char* kSetupMutex = "QUARLOCK2 PC Setup DoubleStart Check";
constexpr const char* kUninstallerMutex = "QUARLOCK2 PC Uninstall DoubleStart Check";

// The values of the latest run in a report, key by key; empty when there is no report.
using StandInValues = std::map<std::string, std::string>;
StandInValues lastReport(const std::string& reportFile);
// The report holds each of the values; a failure names the value and the caller's line.
void expectReportAt(const char* file, int line, const StandInValues& report, const StandInValues& values);
#define expectReport(report, ...) expectReportAt(__FILE__, __LINE__, report, __VA_ARGS__)
// The latest run's values once a run has ended, waited for; the report is deleted then, so
// that the next wait sees only the next run. Empty when no run ended within the time.
StandInValues waitForReport(const std::string& reportFile, DWORD timeoutMs = 10000);

// Settings for the stand-ins, which inherit them through the environment of whoever starts
// them, and a fresh folder for their reports; all removed again when the holder goes.
class StandInSettings {
public:
    explicit StandInSettings(const char* reportFolderName);
    ~StandInSettings();
    StandInSettings(const StandInSettings&) = delete;
    StandInSettings& operator=(const StandInSettings&) = delete;

    void set(const char* variable, const char* value);
    // The report of a program ("DXINST", "Qlk2_inst", ...).
    std::string reportFile(const char* program) const { return folder_ + "\\" + program + ".txt"; }
    StandInValues lastReport(const char* program) const { return ::lastReport(reportFile(program)); }

private:
    std::string folder_;
    std::vector<std::string> variables_;
};

// The stand-in window with that caption, waited for; nullptr when none came.
HWND waitForStandIn(const char* caption, DWORD timeoutMs = 10000);
// Asks every stand-in window with that caption to end its run.
void closeStandIns(const char* caption);
