// Drives windows and dialogs of the code under test from the test's side: finds them,
// reads their texts, presses their buttons, and captures the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <vector>

// A top-level window of the given process whose class and caption match (nullptr: any),
// waited for up to timeoutMs; nullptr when none came.
HWND waitForWindow(const char* className, const char* caption, DWORD processId = GetCurrentProcessId(),
                   DWORD timeoutMs = 10000);
// Every top-level window of the process with that class (nullptr: any), visible or not.
std::vector<HWND> processWindows(DWORD processId, const char* className = nullptr);
bool waitUntilGone(HWND window, DWORD timeoutMs = 10000);
// A visible dialog of the process, any or the first that has a control with controlId;
// nullptr when there is none.
HWND visibleDialog(DWORD processId, int controlId = 0);
// A visible message box of the process (a dialog with the text control 0xFFFF), or nullptr.
HWND visibleMessageBox(DWORD processId);
// The same, waited for; nullptr when none came within the time.
HWND waitForDialog(DWORD processId, int controlId = 0, DWORD timeoutMs = 10000);
HWND waitForMessageBox(DWORD processId, DWORD timeoutMs = 10000);
// Whether first lies above second in the window order.
bool isAbove(HWND first, HWND second);
// A client point as the screen position that WM_NCHITTEST carries.
LPARAM screenPoint(HWND window, int x, int y);

std::string windowText(HWND window);
std::string windowClass(HWND window);
std::string dialogItemText(HWND dialog, int id);
// The whole text of a control, however long (windowText reads 4 KB at most).
std::string controlText(HWND control);

// A window's own text, read without a message: its thread may be blocked in a wait.
std::string storedText(HWND window);

// A message box's text lives in its static control 0xFFFF.
std::string messageBoxText(HWND box);
// Ids of the visible push buttons of a message box, IDOK to IDCONTINUE.
std::vector<int> messageBoxButtons(HWND box);

// Posted, so that a button that opens another modal box does not block the caller.
void clickButton(HWND dialog, int id);
void setEditText(HWND dialog, int id, const char* text);
// CB_SETCURSEL notifies nobody: the selection is followed by CBN_SELENDOK.
void chooseComboEntry(HWND dialog, int comboId, int index);
void selectSheetPage(HWND sheet, int page);
void pressSheetButton(HWND sheet, int button);  // PSBTN_OK, PSBTN_CANCEL, ...

struct AnsweredBox {
    bool seen = false;
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    bool ownerEnabled = false;       // whether the owner accepted input while the box was up
    bool hasIcon = false;            // an icon in the box's icon control
    std::vector<int> buttons;        // ids of the visible push buttons, IDOK to IDCONTINUE
    DWORD answeredAt = 0;            // GetTickCount() when the button was pressed
};
// Waits on a helper thread for the next message box of this process, reads it and presses
// the button; the future tells what it showed. Start it before the code that shows the box.
std::future<AnsweredBox> answerNextMessageBox(int button = IDOK, DWORD timeoutMs = 10000);

// Answers every message box of this process with the button until stopped, on a helper
// thread, and records each; for code that may show any number of boxes, none included.
class MessageBoxWatch {
public:
    explicit MessageBoxWatch(int button = IDOK);
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
    // Ends the watch (a box that is up at that moment is still answered) and answers the
    // boxes seen, in order.
    std::vector<AnsweredBox> stop();

private:
    std::atomic<bool> stopping_{false};
    std::future<std::vector<AnsweredBox>> boxes_;
    std::vector<AnsweredBox> stopped_;
    bool done_ = false;
};

// Runs action on a helper thread once a window of this process with that class and caption
// exists; the future answers whether it came.
std::future<bool> whenWindowAppears(const char* className, const char* caption,
                                    std::function<void(HWND)> action, DWORD timeoutMs = 10000);
// Runs action on a helper thread once a visible dialog of this process holds the control; a
// dialog that the action leaves open is cancelled, so that a failed check never hangs the test.
// The future answers whether the dialog came.
std::future<bool> whenDialogAppears(int controlId, std::function<void(HWND)> action);

// Pixels of a screen rectangle, copied from the screen DC (the window must be on top).
class ScreenPixels {
public:
    explicit ScreenPixels(RECT area);
    COLORREF at(int x, int y) const;  // x, y relative to the area
    int width() const { return width_; }
    int height() const { return height_; }
    bool writeBmp(const char* path) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> pixels_;
};

// Pumps this thread's messages for the given time (for windows the test itself owns).
void pumpMessagesFor(DWORD milliseconds);
