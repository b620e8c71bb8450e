// The smallest program of the launcher's kind: one dialog from a resource template, built with
// the launcher's toolchain and options, with an entry point of its own and no C runtime, as the
// floor the launcher's size is measured against.
#include <windows.h>

namespace {

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

extern "C" [[noreturn]] void bareDialogEntry() {
    ExitProcess(static_cast<UINT>(
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), nullptr, dialogProc, 0)));
}
