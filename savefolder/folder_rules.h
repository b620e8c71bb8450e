// What a typed save path and a new folder's name may hold, and the bounded path work of the
// folder chooser; no Win32 here.
#pragma once

#include <cstddef>
#include <cstring>

#include "drives/drive_table.h"
#include "settings/launcher_settings.h"

// The buffer of the question asked before a missing save folder is made (kCreateFolderQuestion):
// it holds any path of a path buffer, so the question is never cut.
constexpr int kCreateQuestionSize = kPathBufferSize + 32;

// A tree view counts its items in 16 bits: with 65,536 or more it shows an empty tree without
// scroll bars. The chooser's tree never holds more than this; today's disks often have twice as
// many folders, and the ones past it are left out.
constexpr unsigned kTreeItemLimit = 65535;

// A listing appends "*.*" to a folder path that ends with a backslash.
constexpr int kListingPatternLength = 3;

enum class TypedPathVerdict {
    Accepted,
    Refused,             // said nothing to the user
    ForbiddenCharacter,  // the caller shows the list of characters that may not be used
};

// Rules in their order: the first character a fixed disk's letter (any case), ":" second,
// with requireRootSeparator "\" third, none of , : * ; ? " < > | / from the third character
// on, no two backslashes in a row. Length is not judged here.
TypedPathVerdict judgeTypedPath(const char* path, bool requireRootSeparator, const DriveTable& drives);

// Whether a new folder's name holds one of , : * ; ? " < > | / \ .
bool nameHasForbiddenCharacter(const char* name);

// The recycle bin's folder, "recycled" in any letter case, which the tree never shows.
bool isRecycleFolderName(const char* name);

// The fixed disks in the drive list: up to the first empty name, at most 26.
int fixedDriveCount(const DriveTable& drives);

// The position in the drive list of the disk whose letter is the first character of path
// (any case), or current when the path names no fixed disk.
int driveIndexForPath(const char* path, const DriveTable& drives, int current);

// Appends the final backslash a save path always carries, when it is missing and the path
// can still be listed: the result plus "*.*" must fit a path buffer. 0 (path unchanged) when
// it cannot.
int finishFolderPath(char* path);

// The listing errors that leave a tree level empty without a message: the end of a listing, a
// folder with nothing in it, and a folder this account may not look into (other users'
// profiles, "System Volume Information" and the system's protected folders on NT).
constexpr unsigned long kListingNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr unsigned long kListingAccessDenied = 5;   // ERROR_ACCESS_DENIED
constexpr unsigned long kListingNoMoreFiles = 18;   // ERROR_NO_MORE_FILES
inline bool listingEndsQuietly(unsigned long error) {
    return error == kListingNotFound || error == kListingAccessDenied || error == kListingNoMoreFiles;
}

// Whether a folder path ending with a backslash can be listed: it and "*.*" fit a buffer.
inline bool fitsListingPattern(const char* folderPath) {
    return std::strlen(folderPath) + kListingPatternLength < static_cast<size_t>(kPathBufferSize);
}

// parent (ending with a backslash) followed by name, into out (a path buffer), when the
// result stays within kSavePathMaxLength; 0 (out emptied) when it is longer, however long the
// two are.
int composeNewFolderPath(const char* parent, const char* name, char* out);

// The tree walks of the chooser, over any tree that offers, for an Item that converts to
// false when there is none:
//   Item firstChild(Item), Item nextSibling(Item), Item parent(Item),
//   void text(Item, char* out, int size)   the item's folder name, cut to size
//   void toUpper(char* text)               in place, as the system upper-cases
// so that they can be checked on a model of the tree as well as on the tree view.
constexpr int kItemTextSize = 260;

// The item for upperTarget (a path in upper case), starting below item, whose path is prefix:
// at each level the first child whose prefix + name, in upper case, occurs anywhere in the
// target is entered, without backtracking; the deepest item reached. A candidate longer than
// a path buffer cannot occur in a target that fits one, so it never qualifies.
template <typename Tree, typename Item>
Item findContainedFolder(Tree& tree, const char* upperTarget, const char* prefix, Item item) {
    char path[kPathBufferSize];
    if (std::strlen(prefix) >= sizeof path) return item;
    std::strcpy(path, prefix);
    for (;;) {
        char candidate[kPathBufferSize];
        Item found{};
        for (Item child = tree.firstChild(item); child; child = tree.nextSibling(child)) {
            char name[kItemTextSize];
            tree.text(child, name, kItemTextSize);
            const size_t pathLength = std::strlen(path), nameLength = std::strlen(name);
            if (pathLength + nameLength >= sizeof candidate) continue;
            std::memcpy(candidate, path, pathLength);
            std::memcpy(candidate + pathLength, name, nameLength + 1);
            tree.toUpper(candidate);
            if (std::strstr(upperTarget, candidate)) {
                found = child;
                break;
            }
        }
        if (!found) return item;
        const size_t length = std::strlen(candidate);
        if (length + 1 >= sizeof path) return found;  // nothing below it could occur in the target
        std::memcpy(path, candidate, length);
        std::memcpy(path + length, "\\", 2);
        item = found;
    }
}

// The path of selected: driveName, "\", then the names from the item below root down to
// selected, each with a final backslash ("C:\Games\Saves\"; "C:\" for root or no item).
// out: a path buffer; 0 (out emptied) when the path would not fit it.
template <typename Tree, typename Item>
int composeFolderPath(Tree& tree, Item selected, Item root, const char* driveName, char* out) {
    char name[kItemTextSize];
    size_t total = std::strlen(driveName) + 1;
    for (Item item = selected; item && item != root; item = tree.parent(item)) {
        tree.text(item, name, kItemTextSize);
        total += std::strlen(name) + 1;
        if (total >= static_cast<size_t>(kPathBufferSize)) break;
    }
    if (total >= static_cast<size_t>(kPathBufferSize)) {
        out[0] = '\0';
        return 0;
    }
    // Filled from its end, as the walk goes from the selected item up.
    size_t end = total;
    out[end] = '\0';
    for (Item item = selected; item && item != root; item = tree.parent(item)) {
        tree.text(item, name, kItemTextSize);
        const size_t length = std::strlen(name);
        out[--end] = '\\';
        end -= length;
        std::memcpy(out + end, name, length);
    }
    const size_t driveLength = std::strlen(driveName);
    std::memcpy(out, driveName, driveLength);
    out[driveLength] = '\\';
    return 1;
}
