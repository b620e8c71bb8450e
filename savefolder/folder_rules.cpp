// What a typed save path and a new folder's name may hold, and the bounded path work of the
// folder chooser.
#include "savefolder/folder_rules.h"

namespace {

// A path may hold backslashes (its separator); a name may not.
constexpr const char* kForbiddenInPath = ":,;/*?\"<>|";
constexpr const char* kForbiddenInName = ":,;/*?\"<>|\\";

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool holdsAnyOf(const char* text, const char* characters) {
    return std::strpbrk(text, characters) != nullptr;
}

bool isFixedDriveLetter(char letter, const DriveTable& drives) {
    const int count = fixedDriveCount(drives);
    for (int index = 0; index < count; ++index)
        if (upperAscii(drives.fixedDrives[index].name[0]) == upperAscii(letter)) return true;
    return false;
}

}  // namespace

TypedPathVerdict judgeTypedPath(const char* path, bool requireRootSeparator, const DriveTable& drives) {
    if (path[0] == '\0' || !isFixedDriveLetter(path[0], drives)) return TypedPathVerdict::Refused;
    if (path[1] != ':') return TypedPathVerdict::Refused;
    if (requireRootSeparator && path[2] != '\\') return TypedPathVerdict::Refused;
    if (holdsAnyOf(path + 2, kForbiddenInPath)) return TypedPathVerdict::ForbiddenCharacter;
    if (std::strstr(path, "\\\\")) return TypedPathVerdict::Refused;
    return TypedPathVerdict::Accepted;
}

bool nameHasForbiddenCharacter(const char* name) { return holdsAnyOf(name, kForbiddenInName); }

bool isRecycleFolderName(const char* name) {
    const char* expected = "RECYCLED";
    while (*name && *expected && upperAscii(*name) == *expected) ++name, ++expected;
    return *name == '\0' && *expected == '\0';
}

int fixedDriveCount(const DriveTable& drives) {
    int count = 0;
    while (count < kDriveTableSize && drives.fixedDrives[count].name[0] != '\0') ++count;
    return count;
}

int driveIndexForPath(const char* path, const DriveTable& drives, int current) {
    const int count = fixedDriveCount(drives);
    for (int index = 0; index < count; ++index)
        if (upperAscii(drives.fixedDrives[index].name[0]) == upperAscii(path[0])) current = index;
    return current;
}

int finishFolderPath(char* path) {
    const size_t length = std::strlen(path);
    const bool ends = length > 0 && path[length - 1] == '\\';
    const size_t finished = ends ? length : length + 1;
    if (finished + kListingPatternLength >= static_cast<size_t>(kPathBufferSize)) return 0;
    if (!ends) std::memcpy(path + length, "\\", 2);
    return 1;
}

int composeNewFolderPath(const char* parent, const char* name, char* out) {
    const size_t parentLength = std::strlen(parent), nameLength = std::strlen(name);
    if (parentLength > static_cast<size_t>(kSavePathMaxLength) ||
        nameLength > static_cast<size_t>(kSavePathMaxLength) - parentLength) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, parent, parentLength);
    std::memcpy(out + parentLength, name, nameLength + 1);
    return 1;
}
