// The demo CD's stand-in programs as the tests see them.
#include "tests/support/stand_ins.h"

#include <gtest/gtest.h>

#include "tests/support/files.h"
#include "tests/support/window_driver.h"

StandInValues lastReport(const std::string& reportFile) {
    StandInValues values;
    const std::string text = readFileText(reportFile);
    // Only whole lines count: a report being written is read up to its last finished line.
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        if (line.rfind("program=", 0) == 0) values.clear();
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

void expectReportAt(const char* file, int line, const StandInValues& report, const StandInValues& values) {
    for (const auto& value : values) {
        const auto held = report.find(value.first);
        if (held == report.end())
            ADD_FAILURE_AT(file, line) << "the report holds no " << value.first;
        else if (held->second != value.second)
            ADD_FAILURE_AT(file, line) << "the report's " << value.first << " is \"" << held->second
                                       << "\", expected \"" << value.second << '"';
    }
}

StandInValues waitForReport(const std::string& reportFile, DWORD timeoutMs) {
    StandInValues values;
    // The exit code is the last value of a run.
    if (!waitUntil([&] { return (values = lastReport(reportFile)).count("exit_code") > 0; }, timeoutMs)) return {};
    DeleteFileA(reportFile.c_str());
    return values;
}

StandInSettings::StandInSettings(const char* reportFolderName) : folder_(tempPath(reportFolderName)) {
    removeFolderTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
    set("STANDIN_REPORT_DIR", folder_.c_str());
}

StandInSettings::~StandInSettings() {
    for (const std::string& variable : variables_) SetEnvironmentVariableA(variable.c_str(), nullptr);
    removeFolderTree(folder_);
}

void StandInSettings::set(const char* variable, const char* value) {
    SetEnvironmentVariableA(variable, value);
    variables_.push_back(variable);
}

HWND waitForStandIn(const char* caption, DWORD timeoutMs) {
    HWND window = nullptr;
    waitUntil([&] { return (window = FindWindowA(kStandInClass, caption)) != nullptr; }, timeoutMs);
    return window;
}

void closeStandIns(const char* caption) {
    while (HWND window = FindWindowA(kStandInClass, caption)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!waitUntilGone(window, 5000)) return;
    }
}
