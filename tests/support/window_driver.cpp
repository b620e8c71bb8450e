// Drives windows and dialogs of the code under test from the test's side.
#include "window_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

#include <gtest/gtest.h>

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

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

HWND waitForWindow(const char* className, const char* caption, DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] {
        for (HWND window : findWindows(processId, className, caption))
            if (IsWindowVisible(window)) return (found = window) != nullptr;
        return false;
    }, timeoutMs);
    return found;
}

std::vector<HWND> processWindows(DWORD processId, const char* className) {
    return findWindows(processId, className, nullptr);
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    return waitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

HWND visibleDialog(DWORD processId, int controlId) {
    for (HWND window : findWindows(processId, "#32770", nullptr))
        if (IsWindowVisible(window) && (controlId == 0 || GetDlgItem(window, controlId))) return window;
    return nullptr;
}

HWND visibleMessageBox(DWORD processId) { return visibleDialog(processId, 0xFFFF); }

HWND waitForDialog(DWORD processId, int controlId, DWORD timeoutMs) {
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = visibleDialog(processId, controlId)) != nullptr; }, timeoutMs);
    return dialog;
}

HWND waitForMessageBox(DWORD processId, DWORD timeoutMs) { return waitForDialog(processId, 0xFFFF, timeoutMs); }

bool isAbove(HWND first, HWND second) {
    for (HWND window = GetWindow(first, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == second) return true;
    return false;
}

RECT clientAreaOnScreen(HWND window) {
    RECT area = {};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void movePointerTo(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

void clickPointer() {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
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

bool messageBoxShowsIcon(HWND box) {
    // The icon control stays in a box without icon, empty.
    HWND icon = GetDlgItem(box, kMessageBoxIconId);
    return icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
}

std::vector<int> messageBoxButtons(HWND box) {
    std::vector<int> buttons;
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) buttons.push_back(id);
    }
    return buttons;
}

void clickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void pressButton(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void setEditText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void chooseComboEntry(HWND dialog, int comboId, int index) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

int comboSelection(HWND dialog, int comboId) {
    return static_cast<int>(SendDlgItemMessageA(dialog, comboId, CB_GETCURSEL, 0, 0));
}

void selectSheetPage(HWND sheet, int page) { SendMessageA(sheet, PSM_SETCURSEL, page, 0); }

HWND sheetPage(HWND sheet, int page) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, page, 0)); }

HWND currentSheetPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void pressSheetButton(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

int nextEventNumber() {
    static std::atomic<int> last{0};
    return ++last;
}

namespace {

// Reads what the box shows, presses the button and waits until the box has gone.
AnsweredBox answerBox(HWND box, int button) {
    AnsweredBox answer;
    answer.seen = true;
    answer.text = messageBoxText(box);
    answer.caption = windowText(box);
    answer.owner = GetWindow(box, GW_OWNER);
    answer.ownerEnabled = answer.owner && IsWindowEnabled(answer.owner);
    answer.hasIcon = messageBoxShowsIcon(box);
    answer.buttons = messageBoxButtons(box);
    HWND buttonWindow = GetDlgItem(box, button);
    answer.answeredAs = nextEventNumber();
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

void expectBoxAt(const char* file, int line, const AnsweredBox& box, const std::string& text,
                 const std::string& caption, HWND owner, const std::vector<int>& buttons) {
    testing::ScopedTrace caller(file, line, "the box checked here");
    ASSERT_TRUE(box.seen) << "no box came; expected \"" << text << '"';
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.buttons, buttons);
}

AnsweredBox pressAndAnswer(HWND dialog, int id, int answer) {
    auto box = answerNextMessageBox(answer);
    clickButton(dialog, id);
    AnsweredBox seen = box.get();
    SendMessageA(dialog, WM_NULL, 0, 0);
    return seen;
}

MessageBoxWatch::MessageBoxWatch(int button)
    : DialogWatch<AnsweredBox>(0xFFFF, [button](HWND box) { return answerBox(box, button); }) {}

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

TestWindow::TestWindow(bool visible, RECT place, DWORD extendedStyle)
    : window_(CreateWindowExA(extendedStyle, "STATIC", "test window", WS_POPUP | (visible ? WS_VISIBLE : 0), place.left,
                              place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

namespace {

// The colour of a pixel of a top-down picture of 32 bits per pixel; CLR_INVALID outside it.
COLORREF colourAt(const DWORD* pixels, int width, int height, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const DWORD pixel = pixels[static_cast<size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    selected_.select(dc_.get(), bitmap_.get());
    const DWORD pixel = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    std::fill(bits_, bits_ + static_cast<size_t>(width) * height, pixel);
}

const DWORD* Canvas::bits() const {
    GdiFlush();
    return bits_;
}

COLORREF Canvas::at(int x, int y) const { return colourAt(bits(), width_, height_, x, y); }

ScreenPixels::ScreenPixels(RECT area) : width_(area.right - area.left), height_(area.bottom - area.top) {
    if (width_ <= 0 || height_ <= 0) return;
    Canvas canvas(width_, height_);
    WindowDC screen(nullptr);
    BitBlt(canvas.dc(), 0, 0, width_, height_, screen.get(), area.left, area.top, SRCCOPY);
    pixels_.assign(canvas.bits(), canvas.bits() + static_cast<size_t>(width_) * height_);
}

COLORREF ScreenPixels::at(int x, int y) const { return colourAt(pixels_.data(), width_, height_, x, y); }

bool ScreenPixels::writeBmp(const char* path) const {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BITMAPINFOHEADER header = {sizeof header, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD pixelBytes = static_cast<DWORD>(pixels_.size() * sizeof(DWORD));
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER fileHeader = {0x4D42, offset + pixelBytes, 0, 0, offset};
    DWORD written = 0;
    bool ok = WriteFile(file, &fileHeader, sizeof fileHeader, &written, nullptr) &&
              WriteFile(file, &header, sizeof header, &written, nullptr) &&
              WriteFile(file, pixels_.data(), pixelBytes, &written, nullptr);
    CloseHandle(file);
    return ok;
}

int pumpMessagesFor(DWORD milliseconds) {
    MSG message;
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(5)) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return -1;
}
