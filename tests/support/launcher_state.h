// The launcher's process-wide state, compared and kept aside while a test changes it, and the title
// window opened and closed for a test.
#pragma once

#include <cstring>
#include <string>
#include <tuple>

#include "common/module_instance.h"
#include "drives/drive_survey.h"
#include "launcher/title_render.h"
#include "launcher/title_window.h"
#include "resources/resource_ids.h"
#include "settings/launcher_settings.h"
#include "tests/support/registry_expect.h"

// What a settings record holds for the registry, the floats by their bits: two records compare
// whole, and a failure prints both.
inline auto storedValues(const LauncherSettings& s) {
    return std::make_tuple(s.displayDriver, s.displayMode, std::string(s.savePath), s.optionBits, s.soundSetting,
                           floatBits(s.data1), floatBits(s.data2), s.data3, s.data4, s.promptFlags);
}

// The settings record, the drive table, the busy flags and the module instance as the test
// found them, put back when the holder goes; meanwhile the module instance is this test
// program, whose resources are the launcher's.
class SavedLauncherState {
public:
    SavedLauncherState() {
        std::memcpy(busy_, busyFlags, sizeof busy_);
        appInstance = GetModuleHandleA(nullptr);
    }
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

// The title window made as the launcher makes it, from the test program's own resources.
inline HWND openTitleWindow() {
    appInstance = GetModuleHandleA(nullptr);
    registerTitleWindowClass(appInstance);
    return CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_TITLE), nullptr, titleDialogProc, 0);
}

// Destroys the title window if there is one, dispatches what it leaves queued but a quit
// message, deletes its palettes and forgets the window and its highlight.
inline void closeTitleWindow() {
    if (titleWindow && IsWindow(titleWindow)) DestroyWindow(titleWindow);
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE))
        if (pending.message != WM_QUIT) DispatchMessageA(&pending);
    deleteTitlePalettes();
    titleWindow = nullptr;
    std::memset(highlight, 0, sizeof highlight);
}
