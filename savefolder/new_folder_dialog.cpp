// The small dialog that asks for a new folder's name and makes that folder.
#include "savefolder/new_folder_dialog.h"

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/module_instance.h"
#include "common/text_format.h"
#include "resources/resource_ids.h"
#include "savefolder/folder_rules.h"
#include "settings/launcher_settings.h"

namespace {

constexpr const char* kPromptFormat = "Enter folder name to be created under %s folder.";
constexpr const char* kNameTooLong = "The folder name is too long.";
constexpr int kPromptSize = kPathBufferSize + 64;
// The name is read as at most 258 characters, whatever was typed.
constexpr int kNameReadSize = kPathBufferSize - 1;

enum NameResult : INT_PTR { kFolderMade = 0, kNothingMade = 1 };

void showPrompt(HWND dialog) {
    char prompt[kPromptSize];
    formatText(prompt, sizeof prompt, kPromptFormat, launcherSettings.savePath);
    SetDlgItemTextA(dialog, IDC_NEW_FOLDER_PROMPT, prompt);
}

void initialiseNewFolderNameDialog(HWND dialog) {
    SetWindowTextA(dialog, kGameTitle);
    showPrompt(dialog);
    SetDlgItemTextA(dialog, IDC_NEW_FOLDER_NAME, "");
    SetDlgItemTextA(dialog, IDOK, "OK");
    SetDlgItemTextA(dialog, IDCANCEL, "CANCEL");
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
    char full[kPathBufferSize];
    if (!composeNewFolderPath(launcherSettings.savePath, name, full)) {
        MessageBoxA(dialog, kNameTooLong, kGameTitle, MB_OK);
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
    formatText(launcherSettings.savePath, sizeof launcherSettings.savePath, "%s", full);
    EndDialog(dialog, kFolderMade);
}

}  // namespace

INT_PTR CALLBACK newFolderNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseNewFolderNameDialog(dialog);
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

INT_PTR runNewFolderNameDialog(HWND owner) {
    return DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_NEW_FOLDER), owner, newFolderNameDialogProc, 0);
}
