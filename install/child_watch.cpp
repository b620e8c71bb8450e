// The watch over a background installer, and the please-wait window.
#include "install/child_watch.h"

#include "common/launcher_texts.h"
#include "common/module_instance.h"
#include "resources/resource_ids.h"

ChildWatch childWatch;
HWND pleaseWaitWindow = nullptr;

namespace {

// The window goes with its owner, the title window, when that is closed during a watch: the
// handle must not outlive it.
INT_PTR CALLBACK pleaseWaitProc(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(window, kGameTitle);
        SetDlgItemTextA(window, IDC_PLEASE_WAIT_TEXT, kPleaseWaitText);
        return TRUE;
    case WM_DESTROY:
        if (pleaseWaitWindow == window) pleaseWaitWindow = nullptr;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool watchedChildEnded() {
    return childWatch.active && childWatch.process.valid() &&
           WaitForSingleObject(childWatch.process.get(), 0) == WAIT_OBJECT_0;
}

void endChildWatch() {
    childWatch.process.reset();
    childWatch.active = 0;
}

int armChildWatch(HANDLE process) {
    if (!process) return 0;
    childWatch.process.reset(process);
    childWatch.active = 1;
    return 1;
}

void showPleaseWait(HWND owner) {
    removePleaseWait();
    pleaseWaitWindow =
        CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_PLEASE_WAIT), owner, pleaseWaitProc, 0);
    if (pleaseWaitWindow) UpdateWindow(pleaseWaitWindow);
}

void removePleaseWait() {
    if (pleaseWaitWindow) DestroyWindow(pleaseWaitWindow);
    pleaseWaitWindow = nullptr;
}
