// The chooser's folder tree: filled from a disk, searched for the save path, and the path
// of its selected item.
#include "savefolder/folder_tree.h"

#include <cstring>

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/win_handles.h"
#include "drives/path_join.h"
#include "savefolder/folder_rules.h"
#include "settings/launcher_settings.h"

namespace {

// The tree view seen through the operations the tree walks of folder_rules.h use.
class TreeControl {
public:
    explicit TreeControl(HWND tree) : tree_(tree) {}
    HTREEITEM firstChild(HTREEITEM item) const { return next(item, TVGN_CHILD); }
    HTREEITEM nextSibling(HTREEITEM item) const { return next(item, TVGN_NEXT); }
    HTREEITEM parent(HTREEITEM item) const { return next(item, TVGN_PARENT); }
    void text(HTREEITEM item, char* out, int size) const {
        out[0] = '\0';
        TVITEMA query = {};
        query.mask = TVIF_TEXT | TVIF_HANDLE;
        query.hItem = item;
        query.pszText = out;
        query.cchTextMax = size;
        SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        out[size - 1] = '\0';
    }
    static void toUpper(char* text) { CharUpperA(text); }

private:
    HTREEITEM next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    HWND tree_;
};

bool shownInTree(const WIN32_FIND_DATAA& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
    const char* name = entry.cFileName;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
    return !isRecycleFolderName(name);
}

static_assert(kListingNotFound == ERROR_FILE_NOT_FOUND && kListingAccessDenied == ERROR_ACCESS_DENIED &&
                  kListingNoMoreFiles == ERROR_NO_MORE_FILES,
              "the quiet listing errors are the system's");

void reportListingError(DWORD error) {
    if (!listingEndsQuietly(error)) showMessage(kMsgCannotFindFile);
}

// A junction or symbolic link is listed but not followed: one that leads back to an ancestor
// would bring the same folders again and again.
bool followedInTree(const WIN32_FIND_DATAA& entry) {
    return !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The tree being filled and how many more items it may take.
struct TreeFill {
    HWND tree;
    unsigned itemsLeft;
};

void fillLevel(const char* path, HTREEITEM parent, TreeFill& fill) {
    if (!fill.itemsLeft) return;
    GlobalBlock patternBlock(kPathBufferSize), childBlock(kPathBufferSize);
    char* pattern = static_cast<char*>(patternBlock.data());
    char* childPath = static_cast<char*>(childBlock.data());
    if (!pattern || !childPath) {
        showMessage(kMsgCannotLockMemory);
        return;
    }
    if (!formatPath(pattern, "%s*.*", path)) return;
    WIN32_FIND_DATAA entry;
    FindHandle listing(FindFirstFileA(pattern, &entry));
    if (!listing.valid()) {
        reportListingError(GetLastError());
        return;
    }
    do {
        if (!shownInTree(entry)) continue;
        // A folder whose own listing would not fit is left out with everything below it.
        if (!formatPath(childPath, "%s%s\\", path, entry.cFileName) || !fitsListingPattern(childPath)) continue;
        HTREEITEM item = insertTreeItem(fill.tree, parent, entry.cFileName);
        if (!item) continue;
        --fill.itemsLeft;
        if (followedInTree(entry)) fillLevel(childPath, item, fill);
    } while (fill.itemsLeft && FindNextFileA(listing.get(), &entry));
    // A fill that stopped at the tree's limit has not read the listing to its end.
    if (fill.itemsLeft) reportListingError(GetLastError());
    if (!listing.close()) showMessage(kMsgCannotCloseFile);
}

}  // namespace

HTREEITEM insertTreeItem(HWND tree, HTREEITEM parent, const char* text) {
    if (static_cast<unsigned>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)) >= kTreeItemLimit) return nullptr;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void fillFolderTree(const char* path, HTREEITEM parent, HWND tree, unsigned itemLimit) {
    const unsigned held = static_cast<unsigned>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    TreeFill fill = {tree, held < itemLimit ? itemLimit - held : 0};
    // Nothing is drawn while the disk is read, however many items it brings; one repaint after.
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    fillLevel(path, parent, fill);
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
}

HTREEITEM findFolderItem(HWND treeWindow, const char (&path)[kPathBufferSize], const char* prefix, HTREEITEM item) {
    char target[kPathBufferSize];
    std::memcpy(target, path, sizeof target);
    target[sizeof target - 1] = '\0';
    CharUpperA(target);
    TreeControl tree(treeWindow);
    return findContainedFolder(tree, target, prefix, item);
}

int composeTreePath(HWND treeWindow, HTREEITEM root, const char* driveName, char* out) {
    TreeControl tree(treeWindow);
    HTREEITEM selected =
        reinterpret_cast<HTREEITEM>(SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return composeFolderPath(tree, selected, root, driveName, out);
}
