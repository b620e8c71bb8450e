// The small dialog that asks for a new folder's name and makes that folder.
#include "savefolder/new_folder_dialog.h"

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/module_instance.h"
#include "common/text_format.h"
#include "resources/resource_ids.h"
#include "savefolder/folder_rules.h"

namespace {

constexpr int kPromptSize = kPathBufferSize + 64;
// The name is read as at most 258 characters, whatever was typed.
constexpr int kNameReadSize = kPathBufferSize - 1;

enum NameResult : INT_PTR { kFolderMade = 0, kNothingMade = 1 };

using PathBuffer = char[kPathBufferSize];

// The path the dialog works on, handed over at its creation. The dialog is modal and runs
// once at a time; kept here rather than in the window's own data, which would need an import
// the shipped launcher does not make.
PathBuffer* workingPath = nullptr;

void showPrompt(HWND dialog) {
    char prompt[kPromptSize];
    formatText(prompt, sizeof prompt, kNewFolderPrompt, *workingPath);
    SetDlgItemTextA(dialog, IDC_NEW_FOLDER_PROMPT, prompt);
}

void initialiseNewFolderNameDialog(HWND dialog, LPARAM path) {
    workingPath = reinterpret_cast<PathBuffer*>(path);
    SetWindowTextA(dialog, kGameTitle);
    showPrompt(dialog);
    SetDlgItemTextA(dialog, IDC_NEW_FOLDER_NAME, "");
    SetDlgItemTextA(dialog, IDOK, kOkButton);
    SetDlgItemTextA(dialog, IDCANCEL, kCancelButton);
    SetFocus(GetDlgItem(dialog, IDC_NEW_FOLDER_NAME));
}

void onNameConfirmed(HWND dialog) {
    char name[kNameReadSize];
    GetDlgItemTextA(dialog, IDC_NEW_FOLDER_NAME, name, sizeof name);
    if (name[0] == '\0') {
        EndDialog(dialog, kNothingMade);
        return;
    }
    if (nameHasForbiddenCharacter(name)) {
        showMessage(kMsgForbiddenNameCharacters);
        EndDialog(dialog, kNothingMade);
        return;
    }
    PathBuffer& path = *workingPath;
    char full[kPathBufferSize];
    if (!composeNewFolderPath(path, name, full)) {
        showBox(dialog, kFolderNameTooLong);
        showPrompt(dialog);
        SetDlgItemTextA(dialog, IDC_NEW_FOLDER_NAME, "");
        return;
    }
    // The chooser has made sure the parent exists; an existing folder of that name fails too.
    if (!CreateDirectoryA(full, nullptr)) {
        showMessage(kMsgFolderMayExist);
        EndDialog(dialog, kNothingMade);
        return;
    }
    formatText(path, sizeof path, "%s", full);
    EndDialog(dialog, kFolderMade);
}

}  // namespace

INT_PTR CALLBACK newFolderNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseNewFolderNameDialog(dialog, lParam);
        return FALSE;  // the focus is already in the edit box
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: onNameConfirmed(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, kNothingMade); return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR runNewFolderNameDialog(HWND owner, char (&path)[kPathBufferSize]) {
    return DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_NEW_FOLDER), owner, newFolderNameDialogProc,
                           reinterpret_cast<LPARAM>(&path));
}
