// The readme viewer: readme.txt of the current folder in a read-only text box.
#include "launcher/readme_viewer.h"

#include "common/message_catalogue.h"
#include "common/module_instance.h"
#include "common/win_handles.h"
#include "launcher/readme_rules.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kReadmeFile = "readme.txt";
constexpr int kTabStopDialogUnits = 32;

// What the open viewer owns; released when the dialog has ended.
struct ReadmeViewer {
    HGLOBAL text;
    HFONT font;
};
ReadmeViewer viewer;

HANDLE openReadme() {
    return CreateFileA(kReadmeFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The whole file, zero-terminated. A file that cannot be read, or is too large to hold,
// gives an empty text.
HGLOBAL readReadmeText() {
    KernelHandle file(openReadme());
    DWORD size = file.valid() ? GetFileSize(file.get(), nullptr) : 0;
    SIZE_T blockSize = readmeBlockSize(size);
    HGLOBAL block = blockSize ? GlobalAlloc(GHND, blockSize) : nullptr;
    if (!block) {
        size = 0;
        block = GlobalAlloc(GHND, 1);
        if (!block) return nullptr;
    }
    auto text = static_cast<char*>(GlobalLock(block));
    if (!text) return block;
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.get(), text, size, &read, nullptr)) read = 0;
    text[read] = '\0';
    GlobalUnlock(block);
    return block;
}

void initialiseViewer(HWND dialog) {
    SetWindowTextA(dialog, kGameTitle);
    viewer.text = readReadmeText();

    HWND edit = GetDlgItem(dialog, IDC_README_TEXT);
    ShowWindow(edit, SW_SHOW);
    UpdateWindow(edit);
    viewer.font = CreateFontA(18, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
    INT tabStop = kTabStopDialogUnits;
    SendMessageA(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(viewer.font), TRUE);

    HDC dc = GetDC(edit);
    SetMapperFlags(dc, 1);
    HGDIOBJ previousFont = SelectObject(dc, viewer.font);
    const char* text = viewer.text ? static_cast<const char*>(GlobalLock(viewer.text)) : nullptr;
    SetWindowTextA(edit, text ? text : "");
    if (text) GlobalUnlock(viewer.text);
    SetFocus(GetDlgItem(dialog, IDOK));
    SelectObject(dc, previousFont);
    ReleaseDC(edit, dc);
}

void releaseViewer() {
    if (viewer.text) GlobalFree(viewer.text);
    if (viewer.font) DeleteObject(viewer.font);
    viewer = {};
}

INT_PTR CALLBACK readmeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseViewer(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 0);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, -1);
        else return FALSE;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int readmeExists() {
    KernelHandle file(openReadme());
    return file.valid() ? 1 : 0;
}

INT_PTR showReadme(HWND owner) {
    INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_README), owner, readmeDialogProc, 0);
    releaseViewer();
    return result;
}
