// The save-path rules against the machine's disks, and testing and making folders.
#include "savefolder/folder_operations.h"

#include <windows.h>

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "common/win_handles.h"
#include "drives/drive_survey.h"
#include "drives/path_join.h"
#include "savefolder/folder_rules.h"

namespace {

// A folder that was made now, or that was there already.
bool createdOrPresent(const char* path) {
    return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool checkTypedPath(const char* path, bool requireRootSeparator) {
    const TypedPathVerdict verdict = judgeTypedPath(path, requireRootSeparator, driveTable);
    if (verdict == TypedPathVerdict::ForbiddenCharacter) showMessage(kMsgForbiddenPathCharacters);
    return verdict == TypedPathVerdict::Accepted;
}

bool folderExists(const char* path) {
    char pattern[kPathBufferSize];
    if (!formatPath(pattern, "%s*.*", path)) return false;
    WIN32_FIND_DATAA entry;
    FindHandle listing(FindFirstFileA(pattern, &entry));
    return listing.valid();
}

bool createFolderPath(const char* path) {
    GlobalBlock block(kPathBufferSize);
    char* parent = static_cast<char*>(block.data());
    if (!parent) {
        showMessage(kMsgCannotLockMemory);
        return false;
    }
    if (createdOrPresent(path)) return true;
    // A path ending with a backslash loses only that at the first cut: one step more. The
    // parent's own failure has been told already, so its result does not matter here.
    if (formatPath(parent, "%s", path) && cutAtLastBackslash(parent)) createFolderPath(parent);
    if (createdOrPresent(path)) return true;
    showMessage(kMsgCannotCreateFolder);
    return false;
}
