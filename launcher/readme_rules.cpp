// Sizing the readme viewer's text block, and fitting the text into its box.
#include "launcher/readme_rules.h"

size_t readmeBlockSize(uint32_t fileSize) {
    if (fileSize == UINT32_MAX) return 0;
    uint64_t bytes = static_cast<uint64_t>(fileSize) + 1;
    if (bytes > SIZE_MAX) return 0;
    return static_cast<size_t>(bytes);
}

size_t lineEndCut(const char* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    for (size_t cut = limit; cut > 0; --cut)
        if (text[cut - 1] == '\n') return cut;
    return 0;
}
