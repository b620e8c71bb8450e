// Path buffers for the tests: one on the heap, for the native tests of the path rules; and the
// boundary cases of a string value read into a buffer, for the rule's own test and each reader's.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "settings/launcher_settings.h"

// Exactly one path buffer on the heap, so that a write past it trips the sanitizer; it holds
// text, and 'x' after it.
inline std::unique_ptr<char[]> pathBuffer(const std::string& text = "untouched") {
    std::unique_ptr<char[]> buffer(new char[kPathBufferSize]);
    std::memset(buffer.get(), 'x', kPathBufferSize);
    std::snprintf(buffer.get(), kPathBufferSize, "%s", text.c_str());
    return buffer;
}

struct StringValueCase {
    const char* what;
    std::string data;  // the value's bytes
    int result;        // 1 when it fits the buffer, terminated inside it
    std::string text;  // what the buffer then holds: the text, or nothing
};

// For a buffer of size bytes, 4 or more.
inline std::vector<StringValueCase> stringValueCases(size_t size) {
    const std::string longest(size - 1, 'a');
    return {
        {"terminated", std::string("C:\\Saves\\") + '\0', 1, "C:\\Saves\\"},
        {"short, no zero", "C:\\Saves", 1, "C:\\Saves"},
        {"empty", "", 1, ""},
        {"only its zero", std::string(1, '\0'), 1, ""},
        {"fills the buffer with its zero", longest + '\0', 1, longest},
        {"one short of it, no zero", longest, 1, longest},
        {"fills it without a zero", longest + 'b', 0, ""},
        {"zero early, buffer full", std::string("ab") + '\0' + std::string(size - 3, 'c'), 1, "ab"},
        {"longer than the buffer", longest + "bb" + '\0', 0, ""},
    };
}
