// The chooser's folder tree: filled from a disk, searched for the save path, and the path
// of its selected item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/path_buffer.h"
#include "savefolder/folder_rules.h"

// Adds an item with text as the last child of parent (TVI_ROOT for the top level); the new
// item, or nullptr when the tree refused it or already holds kTreeItemLimit items.
HTREEITEM insertTreeItem(HWND tree, HTREEITEM parent, const char* text);

// Adds every visible sub-folder of path (ending with a backslash) under parent in the tree,
// depth first, each folder's sub-tree before its next sibling. Left out: "."
// and "..", hidden and system folders, any folder named "recycled" in any case, other
// entries, and folders whose own listing pattern would not fit a path buffer. Reading and
// adding stop once the tree holds itemLimit items; what was added stays. The tree does not
// redraw until the fill has ended.
void fillFolderTree(const char* path, HTREEITEM parent, HWND tree, unsigned itemLimit = kTreeItemLimit);

// The deepest item below item, whose path is prefix, that path leads to (the containment
// rule of findContainedFolder); item itself when no child qualifies.
HTREEITEM findFolderItem(HWND tree, const char (&path)[kPathBufferSize], const char* prefix, HTREEITEM item);

// The path of the selected item: driveName, "\", the names below root, each with a "\".
// out: a path buffer; 0 (out emptied) when the path would not fit it.
int composeTreePath(HWND tree, HTREEITEM root, const char* driveName, char* out);
