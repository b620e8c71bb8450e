// Sizing the readme viewer's text block.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes for a file of fileSize bytes plus its terminating zero, or 0 when that cannot be
// had: an unknown size (all bits set) or one whose terminator would not fit in size_t.
size_t readmeBlockSize(uint32_t fileSize);
