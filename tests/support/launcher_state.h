// The launcher's process-wide state, kept aside while a test changes it.
#pragma once

#include <cstring>

#include "common/module_instance.h"
#include "install/drive_survey.h"
#include "launcher/title_window.h"
#include "settings/launcher_settings.h"

// The settings record, the drive table, the busy flags and the module instance as the test
// found them, put back when the holder goes.
class SavedLauncherState {
public:
    SavedLauncherState() { std::memcpy(busy_, busyFlags, sizeof busy_); }
    ~SavedLauncherState() {
        launcherSettings = settings_;
        driveTable = drives_;
        std::memcpy(busyFlags, busy_, sizeof busy_);
        appInstance = instance_;
    }
    SavedLauncherState(const SavedLauncherState&) = delete;
    SavedLauncherState& operator=(const SavedLauncherState&) = delete;

private:
    LauncherSettings settings_ = launcherSettings;
    DriveTable drives_ = driveTable;
    int busy_[kMenuItemCount] = {};
    HINSTANCE instance_ = appInstance;
};
