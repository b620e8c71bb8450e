// The title window: the 640 x 480 picture with its eight-item menu, and the menu actions.
#include "launcher/title_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include "common/message_catalogue.h"
#include "common/win_handles.h"
#include "config/card_detection.h"
#include "config/configuration_sheet.h"
#include "drives/drive_survey.h"
#include "install/component_offers.h"
#include "install/game_launch.h"
#include "install/setup_run.h"
#include "install/uninstall.h"
#include "launcher/readme_viewer.h"
#include "launcher/title_render.h"
#include "savefolder/save_folder_dialog.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

HWND titleWindow = nullptr;
int highlight[kMenuItemCount];
int busyFlags[kMenuItemCount];

namespace {

// The picture outside the eight items: dragging there moves the window.
GdiObject<HRGN> dragRegion;

// The composed title screen: all drawing goes here, painting only copies it.
struct BackBuffer {
    MemoryDC dc;
    GdiObject<HBITMAP> bitmap;
    SelectedObject selectedBitmap;
};
BackBuffer backBuffer;

void createBackBuffer(HWND window) {
    WindowDC windowDc(window);
    backBuffer.dc.reset(CreateCompatibleDC(windowDc.get()));
    backBuffer.bitmap.reset(CreateCompatibleBitmap(windowDc.get(), kTitleWidth, kTitleHeight));
    backBuffer.selectedBitmap.select(backBuffer.dc.get(), backBuffer.bitmap.get());
}

// Nothing is deleted while selected: the palettes and the bitmap leave the context first.
void destroyBackBuffer() {
    deleteTitlePalettes();
    backBuffer.selectedBitmap.restore();
    backBuffer.dc.reset();
    backBuffer.bitmap.reset();
}

void createDragRegion() {
    dragRegion.reset(CreateRectRgn(0, 0, kTitleWidth, kTitleHeight));
    for (int item = 0; item < kMenuItemCount; ++item) {
        MenuRect rect = menuItemRect(item);
        GdiObject<HRGN> itemRegion(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom));
        CombineRgn(dragRegion.get(), dragRegion.get(), itemRegion.get(), RGN_DIFF);
    }
}

void centreWindow(HWND window) {
    int x = centredWindowOrigin(GetSystemMetrics(SM_CXSCREEN), kTitleWidth);
    int y = centredWindowOrigin(GetSystemMetrics(SM_CYSCREEN), kTitleHeight);
    MoveWindow(window, x, y, kTitleWidth, kTitleHeight, TRUE);
}

void composeBackBuffer(HWND window) {
    drawTitleImages(window, backBuffer.dc.get(), highlight);
    drawMenuTexts(window, backBuffer.dc.get(), highlight);
}

void recompose(HWND window) {
    composeBackBuffer(window);
    InvalidateRect(window, nullptr, FALSE);
}

void quit(HWND window) {
    deleteTitlePalettes();
    DestroyWindow(window);
    PostQuitMessage(0);
}

bool actionRunning() {
    for (int busy : busyFlags)
        if (busy) return true;
    return false;
}

// The action of item has ended: an offer that waited for it follows now.
void endAction(int item) {
    busyFlags[item] = 0;
    onActionEnded(titleWindow, actionRunning());
}

void showReadmeIfPresent(HWND window) {
    if (readmeExists()) showReadme(window);
}

void openHomePage() { ShellExecuteA(nullptr, nullptr, kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL); }

// Runs the action of an item with its busy flag set; quit and the home page have none.
void activateItem(HWND window, int item) {
    if (item == kItemQuit) {
        quit(window);
        return;
    }
    if (item == kItemHomePage) {
        openHomePage();
        return;
    }
    const bool blocked = actionBlocked(item, busyFlags);
    busyFlags[item] = 1;
    switch (item) {
    case kItemPlay:
        if (launchGame(window, blocked) == 1) {
            quit(window);
            return;
        }
        endAction(item);
        return;
    case kItemOptions: runConfigurationSheet(window); break;
    case kItemInstall: runSetup(window, blocked); break;
    case kItemUninstall: runUninstaller(window, blocked); break;
    case kItemSaveFolder: chooseSaveFolder(window); break;
    case kItemReadme: showReadmeIfPresent(window); break;
    }
    recompose(window);
    endAction(item);
}

void showStartupPrompts(HWND window) {
    loadPromptFlags();
    if (!(launcherSettings.promptFlags & kPromptReadmeShown) && readmeExists()) {
        showReadme(window);
        launcherSettings.promptFlags |= kPromptReadmeShown;
        savePromptFlags();
    }
    if (static_cast<int32_t>(launcherSettings.promptFlags) < kAllComponentsOffered)
        showBox(window, kRequirementsNotice);
}

void initialise(HWND window) {
    titleWindow = window;
    ensureSettingsKey();
    createBackBuffer(window);
    surveyDrives();
    centreWindow(window);
    loadTitlePalettes();
    loadSettings(defaultDisplayDriver);
    createDragRegion();
    for (int item = 0; item < kMenuItemCount; ++item) highlight[item] = busyFlags[item] = 0;
    highlight[kItemPlay] = 1;
    composeBackBuffer(window);
    showStartupPrompts(window);
    startComponentOffers(titleWindow);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BitBlt(dc, 0, 0, kTitleWidth, kTitleHeight, backBuffer.dc.get(), 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

void onMouseMove(HWND window, LPARAM position) {
    if (componentOffersHoldInput()) return;
    if (highlightItemAt(highlight, LOWORD(position), HIWORD(position))) recompose(window);
}

void onLeftButtonDown(HWND window, LPARAM position) {
    if (componentOffersHoldInput()) return;
    int item = menuItemAt(LOWORD(position), HIWORD(position));
    if (item >= 0) activateItem(window, item);
}

void onKeyDown(HWND window, WPARAM key) {
    if (componentOffersHoldInput()) return;
    switch (key) {
    case VK_TAB:
    case VK_DOWN:
        moveHighlightTo(highlight, highlightAfterDown(highlight));
        recompose(window);
        break;
    case VK_UP:
        moveHighlightTo(highlight, highlightAfterUp(highlight));
        recompose(window);
        break;
    case VK_RETURN: {
        int item = lowestHighlighted(highlight);
        if (item >= 0) activateItem(window, item);
        break;
    }
    }
}

// The loop may still poll the watch after this: it must not act on a destroyed window.
void onDestroy(HWND window) {
    stopComponentOffers(window);
    destroyBackBuffer();
    dragRegion.reset();
    if (titleWindow == window) titleWindow = nullptr;
}

}  // namespace

void registerTitleWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = titleClassProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kTitleWindowClass;
    RegisterClassA(&windowClass);
}

LRESULT CALLBACK titleClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST && dragRegion) {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        if (PtInRegion(dragRegion.get(), point.x, point.y)) return HTCAPTION;
    }
    return DefDlgProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK titleDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: initialise(window); return FALSE;
    case WM_PAINT: onPaint(window); return TRUE;
    case WM_SETFOCUS: InvalidateRect(window, nullptr, FALSE); return TRUE;
    case WM_MOUSEMOVE: onMouseMove(window, lParam); return TRUE;
    case WM_LBUTTONDOWN: onLeftButtonDown(window, lParam); return TRUE;
    case WM_KEYDOWN: onKeyDown(window, wParam); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) quit(window);
        return TRUE;
    case kResumeMessage: onResumeMessage(window, actionRunning()); return TRUE;
    case WM_DESTROY: onDestroy(window); return TRUE;
    }
    return FALSE;
}
