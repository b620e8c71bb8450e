// Joining and cutting paths within the launcher's path buffers.
#include "drives/path_join.h"

#include <cstdarg>
#include <cstring>

#include "common/text_format.h"

int formatPath(char* out, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = formatTextV(out, kPathBufferSize, format, arguments);
    va_end(arguments);
    if (length < 0 || length >= kPathBufferSize) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int joinPath(char* out, const char* folder, const char* name) {
    return formatPath(out, "%s\\%s", folder, name);
}

int cutAtLastBackslash(char* path) {
    char* last = std::strrchr(path, '\\');
    if (!last) return 0;
    *last = '\0';
    return 1;
}
