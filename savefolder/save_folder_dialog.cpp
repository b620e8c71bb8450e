// The dialog in which the user picks the folder for saved games.
#include "savefolder/save_folder_dialog.h"

#include <commctrl.h>

#include <cstring>

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/module_instance.h"
#include "common/text_format.h"
#include "drives/drive_survey.h"
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

using PathBuffer = char[kPathBufferSize];

// What the chooser keeps. One chooser is open at a time, and this lives for the program's run.
struct ChooserState {
    // The path the chooser works on. savePath follows it where the user sees it: whenever the
    // edit box shows it, and once a typed path has been taken; OK stores it from there.
    PathBuffer path;
    PathBuffer pathAtOpening;
    // The drive list entry last used: kept from one opening to the next.
    int driveIndex;
    HTREEITEM rootItem;
    // Selecting the path's item at opening must not recompose the path.
    bool skipNextSelectionChange;
    // Set while the tree is rebuilt or folders are made. The message boxes those may show
    // belong to the title window, not to the chooser, which stays enabled meanwhile: it takes
    // no command and no tree notification then, so that a second drive change cannot rebuild
    // the tree under the first and nothing rewrites the path behind the work in hand.
    bool busy;
};
ChooserState chooser = {};

void copyPath(PathBuffer& to, const PathBuffer& from) { std::memcpy(to, from, sizeof to); }

// The edit box shows the working path, and savePath follows it.
void showPath(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_FOLDER_PATH, chooser.path);
    copyPath(launcherSettings.savePath, chooser.path);
}

// The chooser works on the path it opened with again, and shows it.
void putBack(HWND dialog) {
    copyPath(chooser.path, chooser.pathAtOpening);
    showPath(dialog);
}

void beginBusy() { chooser.busy = true; }

// A drive picked while the chooser was busy was not taken: the list shows the tree's drive again.
void endBusy(HWND dialog) {
    chooser.busy = false;
    SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_SETCURSEL, chooser.driveIndex, 0);
}

HWND treeOf(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_TREE); }

HTREEITEM selectedItem(HWND dialog) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(treeOf(dialog), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void selectItem(HWND dialog, HTREEITEM item) {
    SendMessageA(treeOf(dialog), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void expandItem(HWND dialog, HTREEITEM item) {
    SendMessageA(treeOf(dialog), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

// The drive list entry at driveIndex ("C:"); empty when there is none.
void chosenDriveName(HWND dialog, char (&name)[kDriveNameSize]) {
    name[0] = '\0';
    const LRESULT length =
        SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETLBTEXTLEN, chooser.driveIndex, 0);
    if (length == CB_ERR || length >= kDriveNameSize) return;
    SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETLBTEXT, chooser.driveIndex, reinterpret_cast<LPARAM>(name));
}

// The root of the chosen drive ("C:\").
void chosenDriveRoot(HWND dialog, char (&root)[kDriveNameSize + 1]) {
    char driveName[kDriveNameSize];
    chosenDriveName(dialog, driveName);
    formatText(root, sizeof root, "%s\\", driveName);
}

// The working path becomes the selected item's path; one too long for the buffer leaves it as is.
void composePath(HWND dialog) {
    char driveName[kDriveNameSize];
    chosenDriveName(dialog, driveName);
    PathBuffer path;
    if (composeTreePath(treeOf(dialog), chooser.rootItem, driveName, path)) copyPath(chooser.path, path);
}

// The tree becomes the folders of the drive whose root is rootText, read afresh. Busy from the
// start: deleting the selected item makes the tree select another and notify, which would
// recompose the path from the old tree.
void readDriveIntoTree(HWND dialog, const char* rootText) {
    beginBusy();
    HWND tree = treeOf(dialog);
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    chooser.rootItem = insertTreeItem(tree, TVI_ROOT, rootText);
    fillFolderTree(rootText, chooser.rootItem, tree);
    endBusy(dialog);
}

void fillDriveList(HWND dialog) {
    const int count = fixedDriveCount(driveTable);
    for (int index = 0; index < count; ++index) {
        SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(driveTable.fixedDrives[index].name));
    }
    chooser.driveIndex = driveIndexForPath(chooser.path, driveTable, chooser.driveIndex);
    SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_SETCURSEL, chooser.driveIndex, 0);
}

void initialiseSaveFolderDialog(HWND dialog) {
    chooser.skipNextSelectionChange = true;
    SetWindowTextA(dialog, kGameTitle);
    SetDlgItemTextA(dialog, IDC_FOLDER_PROMPT, kFolderChooserPrompt);
    SetDlgItemTextA(dialog, IDC_FOLDER_NEW, kNewFolderButton);
    SetDlgItemTextA(dialog, IDOK, kOkButton);
    SetDlgItemTextA(dialog, IDCANCEL, kCancelButton);
    copyPath(chooser.pathAtOpening, launcherSettings.savePath);
    copyPath(chooser.path, launcherSettings.savePath);

    fillDriveList(dialog);
    char rootText[kDriveNameSize + 1];
    chosenDriveRoot(dialog, rootText);
    readDriveIntoTree(dialog, rootText);
    HTREEITEM found = findFolderItem(treeOf(dialog), chooser.path, rootText, chooser.rootItem);

    // Opening found's ancestors (and found itself) makes the expansion handler compose the
    // path from the tree, unless found is the root.
    SetFocus(treeOf(dialog));
    selectItem(dialog, found);
    expandItem(dialog, found);
    showPath(dialog);
}

void onSelectionChanged(HWND dialog) {
    if (chooser.skipNextSelectionChange) {
        chooser.skipNextSelectionChange = false;
        return;
    }
    composePath(dialog);
    showPath(dialog);
}

// Whichever item expands, the path follows the selected one; the edit box keeps its text.
void onItemExpanding(HWND dialog) {
    if (selectedItem(dialog) != chooser.rootItem) composePath(dialog);
}

void onDriveChosen(HWND dialog) {
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_FOLDER_DRIVES, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR) return;
    chooser.driveIndex = static_cast<int>(chosen);
    char rootText[kDriveNameSize + 1];
    chosenDriveRoot(dialog, rootText);
    formatText(chooser.path, sizeof chooser.path, "%s", rootText);
    readDriveIntoTree(dialog, rootText);
    showPath(dialog);
    selectItem(dialog, chooser.rootItem);
    expandItem(dialog, chooser.rootItem);
}

enum class Verdict { Taken, Refused, CreationFailed };

// What OK and New Folder do first: the typed path must pass the rules and end with a
// backslash that still lets it be listed, and its folder is made, after asking, when missing.
Verdict takeTypedFolder(HWND dialog, bool requireRootSeparator) {
    GetDlgItemTextA(dialog, IDC_FOLDER_PATH, chooser.path, sizeof chooser.path);
    if (!checkTypedPath(chooser.path, requireRootSeparator)) return Verdict::Refused;
    if (!finishFolderPath(chooser.path)) {
        showMessage(kMsgPathTooLong);
        return Verdict::Refused;
    }
    // Taken as typed: the question, the name dialog and OK's store go by it.
    copyPath(launcherSettings.savePath, chooser.path);
    if (folderExists(chooser.path)) return Verdict::Taken;
    char question[kCreateQuestionSize];
    formatText(question, sizeof question, kCreateFolderQuestion, chooser.path);
    if (showBox(dialog, question, MB_OKCANCEL) != IDOK) return Verdict::Refused;
    beginBusy();
    const bool made = createFolderPath(chooser.path);
    endBusy(dialog);
    return made ? Verdict::Taken : Verdict::CreationFailed;
}

// Whether the path was taken. Otherwise the opening path is put back, and a failed creation
// ends the chooser.
bool taken(HWND dialog, Verdict verdict) {
    if (verdict == Verdict::Taken) return true;
    putBack(dialog);
    if (verdict == Verdict::CreationFailed) EndDialog(dialog, kCreationFailed);
    return false;
}

void onOk(HWND dialog) {
    Verdict verdict = takeTypedFolder(dialog, false);
    // Made folders stay when the path then proves too long.
    if (verdict == Verdict::Taken && std::strlen(chooser.path) > static_cast<size_t>(kSavePathMaxLength)) {
        showMessage(kMsgPathTooLong);
        verdict = Verdict::Refused;
    }
    if (!taken(dialog, verdict)) return;
    saveSavePath();
    EndDialog(dialog, kChooserClosed);
}

void onCancel(HWND dialog) {
    putBack(dialog);
    EndDialog(dialog, kChooserClosed);
}

// The folder is made under the typed path, but its item goes under the selected one.
void onNewFolder(HWND dialog) {
    if (!taken(dialog, takeTypedFolder(dialog, true))) return;
    if (runNewFolderNameDialog(dialog, chooser.path) != 0) return;

    // The path is now the parent followed by the new name, without the final backslash.
    const char* lastBackslash = std::strrchr(chooser.path, '\\');
    PathBuffer name;
    formatText(name, sizeof name, "%s", lastBackslash ? lastBackslash + 1 : chooser.path);
    const size_t length = std::strlen(chooser.path);
    if (length + 1 < sizeof chooser.path) std::memcpy(chooser.path + length, "\\", 2);

    HTREEITEM selected = selectedItem(dialog);
    HTREEITEM item = insertTreeItem(treeOf(dialog), selected ? selected : chooser.rootItem, name);
    if (item) selectItem(dialog, item);
    showPath(dialog);
}

void onNotify(HWND dialog, const NMHDR& header) {
    if (header.idFrom != IDC_FOLDER_TREE || chooser.busy) return;
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: onSelectionChanged(dialog); break;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: onItemExpanding(dialog); break;
    }
}

// Whether the dialog handled the command; while busy it takes every command and does nothing.
INT_PTR onCommand(HWND dialog, WORD id, WORD code) {
    if (chooser.busy) return TRUE;
    switch (id) {
    case IDOK: onOk(dialog); return TRUE;
    case IDCANCEL: onCancel(dialog); return TRUE;
    case IDC_FOLDER_NEW:
        if (code == BN_CLICKED) onNewFolder(dialog);
        return TRUE;
    case IDC_FOLDER_DRIVES:
        if (code == CBN_SELENDOK) onDriveChosen(dialog);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK saveFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseSaveFolderDialog(dialog);
        return FALSE;  // the tree keeps the focus given to it
    case WM_NOTIFY:
        onNotify(dialog, *reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;  // an expansion always proceeds
    case WM_COMMAND: return onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

int chooseSaveFolder(HWND owner) {
    const INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SAVE_FOLDER), owner, saveFolderDialogProc, 0);
    if (result == kCreationFailed) {
        showBox(owner, messageText(kMsgGeneralError));
        return 0;
    }
    return static_cast<int>(result);
}
