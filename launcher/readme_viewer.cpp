// The readme viewer: readme.txt of the current folder in a read-only text box.
#include "launcher/readme_viewer.h"

#include <cstring>

#include "common/launcher_texts.h"
#include "common/module_instance.h"
#include "common/win_handles.h"
#include "launcher/readme_rules.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kReadmeFile = "readme.txt";
constexpr int kTabStopDialogUnits = 32;

// What the open viewer owns: the file's text, zero-terminated, and the font of the text box.
// Both go when the dialog has ended, however it ended.
struct ReadmeViewer {
    GlobalBlock text;
    GdiObject<HFONT> font;
};
ReadmeViewer viewer;

// The text box as the fitting of the text sees it: on Windows 95 and 98 it refuses a text larger
// than its heap, and then shows nothing.
struct ReadmeBox {
    HWND edit;
    bool take(const char* text) const {
        return SetWindowTextA(edit, text) &&
               static_cast<size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) == std::strlen(text);
    }
};

HANDLE openReadme() {
    return CreateFileA(kReadmeFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The whole file into viewer.text. A file that cannot be read, or is too large to hold, gives
// an empty text; no memory at all, no text.
void readReadmeText() {
    KernelHandle file(openReadme());
    DWORD size = file.valid() ? GetFileSize(file.get(), nullptr) : 0;
    const SIZE_T blockSize = readmeBlockSize(size);
    if (!blockSize || !viewer.text.allocate(blockSize)) {
        size = 0;
        if (!viewer.text.allocate(1)) return;
    }
    auto text = static_cast<char*>(viewer.text.data());
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.get(), text, size, &read, nullptr)) read = 0;
    text[read] = '\0';
}

void initialiseViewer(HWND dialog) {
    SetWindowTextA(dialog, kGameTitle);
    SetDlgItemTextA(dialog, IDOK, kOkButton);
    readReadmeText();

    HWND edit = GetDlgItem(dialog, IDC_README_TEXT);
    ShowWindow(edit, SW_SHOW);
    UpdateWindow(edit);
    viewer.font.reset(CreateFontA(18, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  FF_ROMAN | DEFAULT_PITCH, "Times New Roman"));
    INT tabStop = kTabStopDialogUnits;
    SendMessageA(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(viewer.font.get()), TRUE);

    WindowDC dc(edit);
    SetMapperFlags(dc.get(), 1);
    SelectedObject selectedFont(dc.get(), viewer.font.get());
    char* text = static_cast<char*>(viewer.text.data());
    ReadmeBox box = {edit};
    if (text) putLongestBeginning(box, text, std::strlen(text));
    else box.take("");
    SetFocus(GetDlgItem(dialog, IDOK));
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
    viewer.text.reset();
    viewer.font.reset();
    return result;
}
