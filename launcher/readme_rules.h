// Sizing the readme viewer's text block, and fitting the text into its box.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes for a file of fileSize bytes plus its terminating zero, or 0 when that cannot be
// had: an unknown size (all bits set) or one whose terminator would not fit in size_t.
size_t readmeBlockSize(uint32_t fileSize);

// A multi-line edit box of Windows 95 and 98 keeps its text in a 64 KB heap of its own and
// refuses a longer text whole; one of NT takes any.
constexpr size_t kEditBoxTextLimit = 65535;

// The longest beginning of text (length bytes) of at most limit bytes that ends with a line's
// "\n": the whole text when length is within limit; 0 when no line ends within limit.
size_t lineEndCut(const char* text, size_t length, size_t limit);

// Puts text (length bytes, zero-terminated) into box, or the longest beginning of it, cut at the
// end of a line, that box takes; box.take(const char*) answers whether the box took a text whole.
// text is put back as it was. The length shown; 0 when not even the first line was taken.
template <typename Box>
size_t putLongestBeginning(Box& box, char* text, size_t length) {
    if (box.take(text)) return length;
    // Each try is shorter than the one refused before it, and no longer than the box can hold.
    for (size_t refused = length; refused > 0;) {
        const size_t cut = lineEndCut(text, length, refused - 1 < kEditBoxTextLimit ? refused - 1 : kEditBoxTextLimit);
        if (cut == 0) break;
        const char kept = text[cut];
        text[cut] = '\0';
        const bool taken = box.take(text);
        text[cut] = kept;
        if (taken) return cut;
        refused = cut;
    }
    box.take("");
    return 0;
}
