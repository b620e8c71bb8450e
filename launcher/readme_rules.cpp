// Sizing the readme viewer's text block.
#include "launcher/readme_rules.h"

size_t readmeBlockSize(uint32_t fileSize) {
    if (fileSize == UINT32_MAX) return 0;
    uint64_t bytes = static_cast<uint64_t>(fileSize) + 1;
    if (bytes > SIZE_MAX) return 0;
    return static_cast<size_t>(bytes);
}
