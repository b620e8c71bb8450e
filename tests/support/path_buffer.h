// A path buffer for the native tests of the path rules.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "settings/launcher_settings.h"

// Exactly one path buffer on the heap, so that a write past it trips the sanitizer; it holds
// text, and 'x' after it.
inline std::unique_ptr<char[]> pathBuffer(const std::string& text = "untouched") {
    std::unique_ptr<char[]> buffer(new char[kPathBufferSize]);
    std::memset(buffer.get(), 'x', kPathBufferSize);
    std::snprintf(buffer.get(), kPathBufferSize, "%s", text.c_str());
    return buffer;
}
