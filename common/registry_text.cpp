// The launcher's registry strings in memory.
#include "common/registry_text.h"

#include <cstring>

#include "common/path_buffer.h"
#include "common/string_functions.h"

int finishStringValue(char* buffer, size_t bufferSize, size_t dataLength) {
    if (bufferSize == 0) return 0;
    if (dataLength > bufferSize) dataLength = bufferSize;
    if (std::memchr(buffer, '\0', dataLength)) return 1;
    if (dataLength < bufferSize) {
        buffer[dataLength] = '\0';
        return 1;
    }
    buffer[0] = '\0';
    return 0;
}

bool fitsRegistryText(const char* text) {
    return boundedTextLength(text, kPathBufferSize) < static_cast<size_t>(kPathBufferSize);
}

int registryTextBuffer(const char* text, char* buffer) {
    std::memset(buffer, 0, kPathBufferSize);
    if (!fitsRegistryText(text)) return 0;
    std::memcpy(buffer, text, std::strlen(text));
    return 1;
}
