// What the end-to-end tests of setup and the component installers share: the stand-ins' test
// settings and reports, their windows, files held away from the launcher, and looking at a
// launcher that may be blocked in a wait.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "launcher_e2e.h"

constexpr const char* kStandInClass = "QUARLOCK2 stand-in";

// Settings for the stand-ins, which inherit them through the next launcher's environment, and
// the folder of their reports; all removed again when the holder goes.
class StandInSettings {
public:
    explicit StandInSettings(const char* reportFolderName);
    ~StandInSettings();
    StandInSettings(const StandInSettings&) = delete;
    StandInSettings& operator=(const StandInSettings&) = delete;

    void set(const char* variable, const char* value);
    // The last block of a program's report ("DXINST", "iv5play", ...), key by key; empty when
    // the program never ran.
    std::map<std::string, std::string> lastReport(const char* program) const;

private:
    std::string folder_;
    std::vector<std::string> variables_;
};

// The stand-in window with that caption, waited for; nullptr when none came.
HWND waitForStandIn(const char* caption, DWORD timeoutMs = kWindowTimeoutMs);
// Asks every stand-in window with that caption to end its run.
void closeStandIns(const char* caption);

// A folder of that name under the temporary folder; removing a folder with everything in it.
std::string scratchFolder(const char* name);
void removeFolderTree(const std::string& folder);

// A file of the CD opened without any sharing, so that no other process can open or start it
// while the holder lives.
class HeldFile {
public:
    explicit HeldFile(const char* path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

// Whether the thread that owns the window answers a message within the time.
bool answers(HWND window, UINT timeoutMs);
// While the launcher waits for a program it answers what other programs send, but takes none
// of its input: a text sent to the title window stays there for waitMs although a pointer move
// over "OPTIONS" is queued behind it. The move is handled when the wait is over.
bool waitsTakingNoInput(HWND title, DWORD waitMs = 500);
// A window's own text, read without a message: its thread may be blocked in a wait.
std::string storedText(HWND window);
// The launcher's please-wait window (template 213) while it shows, waited for; nullptr if none.
HWND waitForPleaseWait(DWORD processId, DWORD timeoutMs = kWindowTimeoutMs);
// The next message box of the process, waited for; nullptr if none came.
HWND waitForMessageBox(DWORD processId, DWORD timeoutMs = kWindowTimeoutMs);
// Ids of the push buttons a message box shows.
std::vector<int> messageBoxButtons(HWND box);

// Saves the whole screen under E2E_SCREENSHOT_DIR, when it is set.
void saveScreen(const char* fileName);
