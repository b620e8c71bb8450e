// The launcher's own memory and string functions. Built without the compiler's loop patterns
// (common/sources.cmake): it would otherwise turn these loops into calls of memcpy and memset,
// which in the launcher are these very functions.
#include "common/string_functions.h"

#include <cstdint>

void* copyBytes(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    while (count--) *to++ = *from++;
    return destination;
}

void* moveBytes(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    // Backwards when the destination starts inside the source, so that no byte is overwritten
    // before it is read.
    if (reinterpret_cast<uintptr_t>(to) - reinterpret_cast<uintptr_t>(from) < count) {
        while (count--) to[count] = from[count];
        return destination;
    }
    return copyBytes(destination, source, count);
}

void* fillBytes(void* destination, int value, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    while (count--) *to++ = static_cast<unsigned char>(value);
    return destination;
}

int compareBytes(const void* first, const void* second, size_t count) {
    const auto* a = static_cast<const unsigned char*>(first);
    const auto* b = static_cast<const unsigned char*>(second);
    for (; count; --count, ++a, ++b) {
        if (*a != *b) return *a - *b;
    }
    return 0;
}

void* findByte(const void* bytes, int value, size_t count) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    for (; count; --count, ++at) {
        if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
    }
    return nullptr;
}

size_t textLength(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<size_t>(end - text);
}

size_t boundedTextLength(const char* text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length]) ++length;
    return length;
}

char* copyText(char* destination, const char* source) {
    char* to = destination;
    while ((*to++ = *source++)) {
    }
    return destination;
}

char* appendText(char* destination, const char* source) {
    copyText(destination + textLength(destination), source);
    return destination;
}

int compareTexts(const char* first, const char* second) {
    const auto* a = reinterpret_cast<const unsigned char*>(first);
    const auto* b = reinterpret_cast<const unsigned char*>(second);
    while (*a && *a == *b) ++a, ++b;
    return *a - *b;
}

char* findCharacter(const char* text, int character) {
    const char wanted = static_cast<char>(character);
    for (;; ++text) {
        if (*text == wanted) return const_cast<char*>(text);
        if (!*text) return nullptr;
    }
}

char* findLastCharacter(const char* text, int character) {
    const char wanted = static_cast<char>(character);
    const char* found = nullptr;
    for (;; ++text) {
        if (*text == wanted) found = text;
        if (!*text) return const_cast<char*>(found);
    }
}

char* findAnyCharacter(const char* text, const char* characters) {
    for (; *text; ++text) {
        if (findCharacter(characters, *text)) return const_cast<char*>(text);
    }
    return nullptr;
}

char* findText(const char* text, const char* wanted) {
    const size_t wantedLength = textLength(wanted);
    // compareBytes stops at the first difference, at the latest at text's terminator.
    for (;; ++text) {
        if (compareBytes(text, wanted, wantedLength) == 0) return const_cast<char*>(text);
        if (!*text) return nullptr;
    }
}
