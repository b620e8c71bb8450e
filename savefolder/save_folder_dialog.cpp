// The dialog in which the user picks the folder for saved games.
#include "savefolder/save_folder_dialog.h"

#include <commctrl.h>

#include <cstring>

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/module_instance.h"
#include "common/text_format.h"
#include "install/drive_survey.h"
#include "resources/resource_ids.h"
#include "savefolder/folder_operations.h"
#include "savefolder/folder_rules.h"
#include "savefolder/folder_tree.h"
#include "savefolder/new_folder_dialog.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"

namespace {

constexpr INT_PTR kChooserClosed = 0;
constexpr INT_PTR kCreationFailed = -1;
constexpr const char* kPrompt = "Please specify the folder for save game data.";

// One chooser is open at a time; what it keeps lives for the program's run.
char pathAtOpening[kPathBufferSize];
// The drive list entry last used: kept from one opening to the next.
int driveIndex = 0;
HTREEITEM treeRootItem = nullptr;
// Selecting the save path's item at opening must not recompose the path.
bool skipNextSelectionChange = false;

// Set while the tree is rebuilt or folders are made. The message boxes those may show belong
// to the title window, not to the chooser, which stays enabled meanwhile: it takes no command
// and no tree notification then, so that a second drive change cannot rebuild the tree under
// the first and nothing rewrites savePath behind the work in hand.
bool chooserBusy = false;

class ChooserBusy {
public:
    explicit ChooserBusy(HWND dialog) : dialog_(dialog) { chooserBusy = true; }
    // A drive picked meanwhile was ignored: the list shows the drive of the tree again.
    ~ChooserBusy() {
        chooserBusy = false;
        SendDlgItemMessageA(dialog_, IDC_FOLDER_DRIVES, CB_SETCURSEL, driveIndex, 0);
    }
    ChooserBusy(const ChooserBusy&) = delete;
    ChooserBusy& operator=(const ChooserBusy&) = delete;

private:
    HWND dialog_;
};

HWND treeOf(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_TREE); }

void showSavePath(HWND dialog) { SetDlgItemTextA(dialog, IDC_FOLDER_PATH, launcherSettings.savePath); }

void putBack(HWND dialog) {
    std::memcpy(launcherSettings.savePath, pathAtOpening, sizeof pathAtOpening);
    showSavePath(dialog);
}

// The drive list entry at driveIndex ("C:"); empty when there is none.
void chosenDriveName(HWND dialog, char (&name)[kDriveNameSize]) {
    name[0] = '\0';
    const LRESULT length = SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETLBTEXTLEN, driveIndex, 0);
    if (length == CB_ERR || length >= kDriveNameSize) return;
    SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETLBTEXT, driveIndex, reinterpret_cast<LPARAM>(name));
}

// savePath becomes the selected item's path; a path too long for the buffer leaves it as is.
void composeSavePath(HWND dialog) {
    char driveName[kDriveNameSize];
    chosenDriveName(dialog, driveName);
    char path[kPathBufferSize];
    if (composeTreePath(dialog, treeRootItem, driveName, path))
        std::memcpy(launcherSettings.savePath, path, sizeof path);
}

void selectItem(HWND dialog, HTREEITEM item) {
    SendMessageA(treeOf(dialog), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void expandItem(HWND dialog, HTREEITEM item) {
    SendMessageA(treeOf(dialog), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void fillDriveList(HWND dialog) {
    const int count = fixedDriveCount(driveTable);
    for (int index = 0; index < count; ++index) {
        SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(driveTable.fixedDrives[index].name));
    }
    driveIndex = driveIndexForPath(launcherSettings.savePath, driveTable, driveIndex);
    SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_SETCURSEL, driveIndex, 0);
}

void initialiseSaveFolderDialog(HWND dialog) {
    skipNextSelectionChange = true;
    SetWindowTextA(dialog, kGameTitle);
    SetDlgItemTextA(dialog, IDC_FOLDER_PROMPT, kPrompt);
    SetDlgItemTextA(dialog, IDC_FOLDER_NEW, "&New Folder");
    SetDlgItemTextA(dialog, IDOK, "OK");
    SetDlgItemTextA(dialog, IDCANCEL, "CANCEL");
    std::memcpy(pathAtOpening, launcherSettings.savePath, sizeof pathAtOpening);

    fillDriveList(dialog);
    char driveName[kDriveNameSize];
    chosenDriveName(dialog, driveName);
    char rootText[kDriveNameSize + 1];
    formatText(rootText, sizeof rootText, "%s\\", driveName);
    treeRootItem = insertTreeItem(treeOf(dialog), TVI_ROOT, rootText);
    {
        ChooserBusy busy(dialog);
        fillFolderTree(rootText, treeRootItem, dialog);
    }
    HTREEITEM found = findFolderItem(dialog, rootText, treeRootItem);

    // Opening found's ancestors (and found itself) makes the expansion handler compose
    // savePath from the tree, unless found is the root.
    SetFocus(treeOf(dialog));
    selectItem(dialog, found);
    expandItem(dialog, found);
    showSavePath(dialog);
}

void onSelectionChanged(HWND dialog) {
    if (skipNextSelectionChange) {
        skipNextSelectionChange = false;
        return;
    }
    composeSavePath(dialog);
    showSavePath(dialog);
}

// Whichever item expands, savePath follows the selected one; the edit box keeps its text.
void onItemExpanding(HWND dialog) {
    HTREEITEM selected = reinterpret_cast<HTREEITEM>(SendMessageA(treeOf(dialog), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selected != treeRootItem) composeSavePath(dialog);
}

void onDriveChosen(HWND dialog) {
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR) return;
    driveIndex = static_cast<int>(chosen);
    char driveName[kDriveNameSize];
    chosenDriveName(dialog, driveName);
    // The root's own copy: deleting the selected item makes the tree select another one and
    // notify, which would recompose savePath from the old tree.
    char rootText[kDriveNameSize + 1];
    formatText(rootText, sizeof rootText, "%s\\", driveName);
    std::memcpy(launcherSettings.savePath, rootText, sizeof rootText);
    {
        ChooserBusy busy(dialog);
        HWND tree = treeOf(dialog);
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        treeRootItem = insertTreeItem(tree, TVI_ROOT, rootText);
        fillFolderTree(rootText, treeRootItem, dialog);
    }
    showSavePath(dialog);
    selectItem(dialog, treeRootItem);
    expandItem(dialog, treeRootItem);
}

// Reads the typed path into savePath and gives it its final backslash. False (path put back)
// when the rules refuse it, or when it is too long to end with a backslash and be listed.
bool takeTypedPath(HWND dialog, bool requireRootSeparator) {
    GetDlgItemTextA(dialog, IDC_FOLDER_PATH, launcherSettings.savePath, sizeof launcherSettings.savePath);
    if (!checkTypedPath(launcherSettings.savePath, requireRootSeparator)) {
        putBack(dialog);
        return false;
    }
    if (!finishFolderPath(launcherSettings.savePath)) {
        showMessage(kMsgPathTooLong);
        putBack(dialog);
        return false;
    }
    return true;
}

enum class Presence { Present, Declined, Failed };

// Makes sure the folder of savePath exists, asking first when it does not. When making it
// failed, savePath is put back and the dialog has ended.
Presence ensureFolder(HWND dialog) {
    if (folderExists(launcherSettings.savePath)) return Presence::Present;
    char question[kCreateQuestionSize];
    formatText(question, sizeof question, kCreateFolderQuestion, launcherSettings.savePath);
    if (MessageBoxA(dialog, question, kGameTitle, MB_OKCANCEL) != IDOK) {
        putBack(dialog);
        return Presence::Declined;
    }
    bool made;
    {
        ChooserBusy busy(dialog);
        made = createFolderPath(launcherSettings.savePath);
    }
    if (made) return Presence::Present;
    std::memcpy(launcherSettings.savePath, pathAtOpening, sizeof pathAtOpening);
    EndDialog(dialog, kCreationFailed);
    return Presence::Failed;
}

void onOk(HWND dialog) {
    if (!takeTypedPath(dialog, false)) return;
    if (ensureFolder(dialog) != Presence::Present) return;
    // Made folders stay when the path then proves too long.
    if (std::strlen(launcherSettings.savePath) > static_cast<size_t>(kSavePathMaxLength)) {
        showMessage(kMsgPathTooLong);
        putBack(dialog);
        return;
    }
    saveSavePath();
    EndDialog(dialog, kChooserClosed);
}

void onCancel(HWND dialog) {
    std::memcpy(launcherSettings.savePath, pathAtOpening, sizeof pathAtOpening);
    EndDialog(dialog, kChooserClosed);
}

// The folder is made under the typed path, but its item goes under the selected one.
void onNewFolder(HWND dialog) {
    if (!takeTypedPath(dialog, true)) return;
    if (ensureFolder(dialog) != Presence::Present) return;
    if (runNewFolderNameDialog(dialog, launcherSettings.savePath) != 0) return;

    const char* lastBackslash = std::strrchr(launcherSettings.savePath, '\\');
    char name[kPathBufferSize];
    formatText(name, sizeof name, "%s", lastBackslash ? lastBackslash + 1 : launcherSettings.savePath);
    const size_t length = std::strlen(launcherSettings.savePath);
    if (length + 1 < sizeof launcherSettings.savePath) std::memcpy(launcherSettings.savePath + length, "\\", 2);

    HWND tree = treeOf(dialog);
    HTREEITEM selected = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    HTREEITEM item = insertTreeItem(tree, selected ? selected : treeRootItem, name);
    if (item) selectItem(dialog, item);
    showSavePath(dialog);
}

void onTreeNotification(HWND dialog, const NMHDR& header) {
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: onSelectionChanged(dialog); break;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: onItemExpanding(dialog); break;
    }
}

}  // namespace

INT_PTR CALLBACK saveFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseSaveFolderDialog(dialog);
        return FALSE;  // the tree keeps the focus given to it
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_FOLDER_TREE && !chooserBusy) onTreeNotification(dialog, *header);
        return FALSE;  // an expansion always proceeds
    }
    case WM_COMMAND:
        if (chooserBusy) return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK: onOk(dialog); return TRUE;
        case IDCANCEL: onCancel(dialog); return TRUE;
        case IDC_FOLDER_NEW:
            if (HIWORD(wParam) == BN_CLICKED) onNewFolder(dialog);
            return TRUE;
        case IDC_FOLDER_DRIVES:
            if (HIWORD(wParam) == CBN_SELENDOK) onDriveChosen(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int chooseSaveFolder(HWND owner) {
    const INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SAVE_FOLDER), owner, saveFolderDialogProc, 0);
    if (result == kCreationFailed) {
        MessageBoxA(owner, messageText(kMsgGeneralError), kGameTitle, MB_OK);
        return 0;
    }
    return static_cast<int>(result);
}
