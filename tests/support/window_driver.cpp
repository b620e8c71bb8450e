// Drives windows and dialogs of the code under test from the test's side.
#include "window_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <thread>

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM parameter) {
    auto search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->className && windowClass(window) != search->className) return TRUE;
    if (search->caption && windowText(window) != search->caption) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> findWindows(DWORD processId, const char* className, const char* caption) {
    WindowSearch search = {processId, className, caption, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The icon control of the system's message box template.
constexpr int kMessageBoxIconId = 0x0440;

}  // namespace

HWND waitForWindow(const char* className, const char* caption, DWORD processId, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        for (HWND window : findWindows(processId, className, caption))
            if (IsWindowVisible(window)) return window;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::vector<HWND> processWindows(DWORD processId, const char* className) {
    return findWindows(processId, className, nullptr);
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

HWND visibleDialog(DWORD processId, int controlId) {
    for (HWND window : findWindows(processId, "#32770", nullptr))
        if (IsWindowVisible(window) && (controlId == 0 || GetDlgItem(window, controlId))) return window;
    return nullptr;
}

HWND visibleMessageBox(DWORD processId) { return visibleDialog(processId, 0xFFFF); }

HWND waitForDialog(DWORD processId, int controlId, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        HWND dialog = visibleDialog(processId, controlId);
        if (dialog || GetTickCount() - start >= timeoutMs) return dialog;
    }
}

HWND waitForMessageBox(DWORD processId, DWORD timeoutMs) { return waitForDialog(processId, 0xFFFF, timeoutMs); }

bool isAbove(HWND first, HWND second) {
    for (HWND window = GetWindow(first, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == second) return true;
    return false;
}

LPARAM screenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return MAKELPARAM(point.x, point.y);
}

std::string windowText(HWND window) {
    char text[4096] = "";
    // WM_GETTEXT rather than GetWindowText: it reads controls of other processes too.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return text;
}

std::string windowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string dialogItemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

std::string controlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::string storedText(HWND window) {
    WCHAR text[512] = L"";
    InternalGetWindowText(window, text, 512);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::string messageBoxText(HWND box) { return dialogItemText(box, 0xFFFF); }

std::vector<int> messageBoxButtons(HWND box) {
    std::vector<int> buttons;
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) buttons.push_back(id);
    }
    return buttons;
}

void clickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void setEditText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void chooseComboEntry(HWND dialog, int comboId, int index) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

void selectSheetPage(HWND sheet, int page) { SendMessageA(sheet, PSM_SETCURSEL, page, 0); }

void pressSheetButton(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

namespace {

// Reads what the box shows, presses the button and waits until the box has gone.
AnsweredBox answerBox(HWND box, int button) {
    AnsweredBox answer;
    answer.seen = true;
    answer.text = messageBoxText(box);
    answer.caption = windowText(box);
    answer.owner = GetWindow(box, GW_OWNER);
    answer.ownerEnabled = answer.owner && IsWindowEnabled(answer.owner);
    // The icon control stays in a box without icon, empty.
    HWND icon = GetDlgItem(box, kMessageBoxIconId);
    answer.hasIcon = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    answer.buttons = messageBoxButtons(box);
    HWND buttonWindow = GetDlgItem(box, button);
    answer.answeredAt = GetTickCount();
    if (buttonWindow) PostMessageA(buttonWindow, BM_CLICK, 0, 0);
    else PostMessageA(box, WM_COMMAND, button, 0);
    waitUntilGone(box, 5000);
    return answer;
}

}  // namespace

std::future<AnsweredBox> answerNextMessageBox(int button, DWORD timeoutMs) {
    DWORD processId = GetCurrentProcessId();
    return std::async(std::launch::async, [=] {
        HWND box = waitForMessageBox(processId, timeoutMs);
        return box ? answerBox(box, button) : AnsweredBox();
    });
}

MessageBoxWatch::MessageBoxWatch(int button) {
    DWORD processId = GetCurrentProcessId();
    boxes_ = std::async(std::launch::async, [this, processId, button] {
        std::vector<AnsweredBox> boxes;
        for (;;) {
            // Read before looking, so that a box that opened before stop() is still answered.
            bool last = stopping_;
            if (HWND box = visibleMessageBox(processId)) {
                boxes.push_back(answerBox(box, button));
                continue;
            }
            if (last) return boxes;
            Sleep(20);
        }
    });
}

MessageBoxWatch::~MessageBoxWatch() { stop(); }

std::vector<AnsweredBox> MessageBoxWatch::stop() {
    if (!done_) {
        stopping_ = true;
        stopped_ = boxes_.get();
        done_ = true;
    }
    return stopped_;
}

std::future<bool> whenWindowAppears(const char* className, const char* caption,
                                    std::function<void(HWND)> action, DWORD timeoutMs) {
    std::string classText = className ? className : "";
    std::string captionText = caption ? caption : "";
    bool anyClass = className == nullptr, anyCaption = caption == nullptr;
    return std::async(std::launch::async, [=] {
        HWND window = waitForWindow(anyClass ? nullptr : classText.c_str(),
                                    anyCaption ? nullptr : captionText.c_str(), GetCurrentProcessId(),
                                    timeoutMs);
        if (!window) return false;
        action(window);
        return true;
    });
}

std::future<bool> whenDialogAppears(int controlId, std::function<void(HWND)> action) {
    return std::async(std::launch::async, [=] {
        HWND dialog = waitForDialog(GetCurrentProcessId(), controlId);
        if (!dialog) return false;
        action(dialog);
        if (IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
}

ScreenPixels::ScreenPixels(RECT area) : width_(area.right - area.left), height_(area.bottom - area.top) {
    if (width_ <= 0 || height_ <= 0) return;
    pixels_.resize(static_cast<size_t>(width_) * height_);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    memcpy(pixels_.data(), bits, pixels_.size() * sizeof(DWORD));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool ScreenPixels::writeBmp(const char* path) const {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    DWORD pixelBytes = static_cast<DWORD>(pixels_.size() * sizeof(DWORD));
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + pixelBytes;
    DWORD written = 0;
    bool ok = WriteFile(file, &fileHeader, sizeof fileHeader, &written, nullptr) &&
              WriteFile(file, &header, sizeof header, &written, nullptr) &&
              WriteFile(file, pixels_.data(), pixelBytes, &written, nullptr);
    CloseHandle(file);
    return ok;
}

void pumpMessagesFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}
