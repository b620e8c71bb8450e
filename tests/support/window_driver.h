// Drives windows and dialogs of the code under test from the test's side: finds them,
// reads their texts, presses their buttons, and captures the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "common/win_handles.h"

// Polls the condition every 20 ms until it holds or the time is up; whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

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
// Either of the two above, waited for; nullptr when none came within the time.
HWND waitForDialog(DWORD processId, int controlId = 0, DWORD timeoutMs = 10000);
HWND waitForMessageBox(DWORD processId, DWORD timeoutMs = 10000);
// Whether first lies above second in the window order.
bool isAbove(HWND first, HWND second);
// Where the window's client area lies on the screen.
RECT clientAreaOnScreen(HWND window);
// Moves the pointer to a client point of the window, as the mouse would: the window learns of
// it through the system's hit test, unlike from a posted WM_MOUSEMOVE.
void movePointerTo(HWND window, int x, int y);
// A press and release of the left button where the pointer is, as the mouse makes them.
void clickPointer();
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
bool messageBoxShowsIcon(HWND box);
// Ids of the visible push buttons of a message box, IDOK to IDCONTINUE.
std::vector<int> messageBoxButtons(HWND box);

// Posted, so that a button that opens another modal box does not block the caller.
void clickButton(HWND dialog, int id);
// Sent: the click has been handled when it returns. Only for buttons that open no box.
void pressButton(HWND dialog, int id);
void setEditText(HWND dialog, int id, const char* text);
// CB_SETCURSEL notifies nobody: the selection is followed by CBN_SELENDOK.
void chooseComboEntry(HWND dialog, int comboId, int index);
int comboSelection(HWND dialog, int comboId);  // CB_ERR when none
void selectSheetPage(HWND sheet, int page);
HWND sheetPage(HWND sheet, int page);
HWND currentSheetPage(HWND sheet);
void pressSheetButton(HWND sheet, int button);  // PSBTN_OK, PSBTN_CANCEL, ...

struct AnsweredBox {
    bool seen = false;
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    bool ownerEnabled = false;       // whether the owner accepted input while the box was up
    bool hasIcon = false;            // an icon in the box's icon control
    std::vector<int> buttons;        // ids of the visible push buttons, IDOK to IDCONTINUE
    int answeredAs = 0;              // nextEventNumber() when the button was pressed
};
// The order in which the tests' helper threads see things happen: each call answers a number
// higher than any before, whichever thread asks.
int nextEventNumber();
// Waits on a helper thread for the next message box of this process, reads it and presses
// the button; the future tells what it showed. Start it before the code that shows the box.
std::future<AnsweredBox> answerNextMessageBox(int button = IDOK, DWORD timeoutMs = 10000);
// The box came with that text and caption, over that owner and with these buttons; failures
// name the caller's line.
void expectBoxAt(const char* file, int line, const AnsweredBox& box, const std::string& text,
                 const std::string& caption, HWND owner, const std::vector<int>& buttons = {IDOK});
#define expectBox(box, ...) expectBoxAt(__FILE__, __LINE__, box, __VA_ARGS__)

// Handles every visible dialog of this process that holds the control, one after another, on a
// helper thread until stopped, and records what handle answered for each.
template <typename Seen>
class DialogWatch {
public:
    DialogWatch(int controlId, std::function<Seen(HWND)> handle) {
        const DWORD processId = GetCurrentProcessId();
        seen_ = std::async(std::launch::async, [this, processId, controlId, handle] {
            std::vector<Seen> seen;
            for (;;) {
                // Read before looking, so that a dialog that opened before stop() is still handled.
                const bool last = stopping_;
                if (HWND dialog = visibleDialog(processId, controlId)) {
                    seen.push_back(handle(dialog));
                    continue;
                }
                if (last) return seen;
                Sleep(20);
            }
        });
    }
    ~DialogWatch() { stop(); }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    // Ends the watch (a dialog that is up at that moment is still handled) and answers what was
    // seen, in order.
    std::vector<Seen> stop() {
        if (seen_.valid()) {
            stopping_ = true;
            stopped_ = seen_.get();
        }
        return stopped_;
    }

private:
    std::atomic<bool> stopping_{false};
    std::future<std::vector<Seen>> seen_;
    std::vector<Seen> stopped_;
};

// Clicks a button of the dialog that shows a message box and answers the box with the button
// given; once this returns, the dialog has finished with the answer.
AnsweredBox pressAndAnswer(HWND dialog, int id, int answer = IDOK);

// Answers every message box of this process with the button until stopped; for code that may
// show any number of boxes, none included.
class MessageBoxWatch : public DialogWatch<AnsweredBox> {
public:
    explicit MessageBoxWatch(int button = IDOK);
};

// Runs action on a helper thread once a window of this process with that class and caption
// exists; the future answers whether it came.
std::future<bool> whenWindowAppears(const char* className, const char* caption,
                                    std::function<void(HWND)> action, DWORD timeoutMs = 10000);
// Runs action on a helper thread once a visible dialog of this process holds the control; a
// dialog that the action leaves open is cancelled, so that a failed check never hangs the test.
// The future answers whether the dialog came.
std::future<bool> whenDialogAppears(int controlId, std::function<void(HWND)> action);

// A plain popup window of the test's own, an owner for boxes and dialogs or a cover over other
// windows, destroyed when the holder goes.
class TestWindow {
public:
    explicit TestWindow(bool visible = false, RECT place = {0, 0, 100, 50}, DWORD extendedStyle = 0);
    ~TestWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }
    operator HWND() const { return window_; }

private:
    HWND window_;
};

// A top-down picture of 32 bits per pixel in a memory context, so that every colour drawn into
// it reads back exactly; it starts filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const;
    // The pixels, row after row, once all drawing has reached them.
    const DWORD* bits() const;

private:
    int width_, height_;
    DWORD* bits_ = nullptr;
    MemoryDC dc_;
    GdiObject<HBITMAP> bitmap_;
    SelectedObject selected_;
};

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

// Pumps this thread's messages (for windows the test itself owns) for the given time, or until
// a quit message comes: its exit code, or -1 when none came.
int pumpMessagesFor(DWORD milliseconds);
