// Path rules of the file lookup and the program starts.
#include "install/path_rules.h"

#include "common/launcher_texts.h"
#include "common/text_format.h"

#include <cstdarg>
#include <cstring>

namespace {

bool isSeparator(char c) { return c == '\\'; }

// Length of the part of path that climbing never removes: "X:\" or "X:" (3 or 2),
// "\\server\share\" (up to and with the backslash after the share, or the whole path when
// there is none), "\" (1); 0 for a relative path.
size_t rootLength(const char* path, size_t length) {
    if (length >= 2 && path[1] == ':') return length >= 3 && isSeparator(path[2]) ? 3 : 2;
    if (length >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        size_t position = 2;
        for (int part = 0; part < 2 && position < length; ++part) {
            while (position < length && !isSeparator(path[position])) ++position;
            if (part == 0 && position < length) ++position;
        }
        return position < length ? position + 1 : length;
    }
    if (length >= 1 && isSeparator(path[0])) return 1;
    return 0;
}

}  // namespace

int gameWorkingFolder(const char* executablePath, char* out) {
    const size_t length = std::strlen(executablePath);
    if (length >= static_cast<size_t>(kPathBufferSize)) {
        out[0] = '\0';
        return 0;
    }
    const size_t root = rootLength(executablePath, length);
    size_t end = length;
    for (int component = 0; component < 2; ++component) {
        while (end > root && !isSeparator(executablePath[end - 1])) --end;  // drop the name
        if (end > root) --end;                                              // and its backslash
    }
    std::memcpy(out, executablePath, end);
    out[end] = '\0';
    return 1;
}

void fileNotFoundMessage(const char* relativeName, char* out) {
    static_assert(sizeof kFileNotFoundBefore + kPathBufferSize - 1 + sizeof kFileNotFoundAfter - 1 <=
                      kFileNotFoundMessageSize,
                  "a name that fits a path buffer fits the message");
    formatText(out, kFileNotFoundMessageSize, "%s%s%s", kFileNotFoundBefore, relativeName, kFileNotFoundAfter);
}
