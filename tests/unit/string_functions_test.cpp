// The launcher's own memory and string functions against the C library's, which they stand in
// for in the launcher: the same results on a table of texts, characters and overlapping moves.
// Built natively (glibc, with the sanitizers watching every read) and into the Windows tests.
#include "common/string_functions.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const char* const kTexts[] = {"", "a", "abc", "aaab", "abcabc", "C:\\WINDOWS\\SYSTEM\\", "\xE9t\xE9", "\x7F\x80"};
// Searched characters as callers pass them: a plain one, '\0', a high byte as unsigned and as
// (signed) char, one beyond a char that converts to 'a', one found nowhere.
const int kCharacters[] = {'a', 'c', '\\', '\0', 0xE9, static_cast<char>(0xE9), 'a' + 256, 'z'};

// Where a search ended, as an offset into text; -1 for nothing found.
long at(const char* text, const void* found) { return found ? static_cast<const char*>(found) - text : -1; }
int sign(int value) { return (value > 0) - (value < 0); }

TEST(StringFunctions, SearchesFindWhatTheCLibraryFinds) {
    for (const char* text : kTexts) {
        const size_t length = std::strlen(text);
        EXPECT_EQ(length, textLength(text)) << text;
        for (size_t limit = 0; limit <= length + 1; ++limit)
            EXPECT_EQ(strnlen(text, limit), boundedTextLength(text, limit)) << text << " " << limit;
        for (const int character : kCharacters) {
            SCOPED_TRACE(std::string(text) + " / " + std::to_string(character));
            EXPECT_EQ(at(text, std::strchr(text, character)), at(text, findCharacter(text, character)));
            EXPECT_EQ(at(text, std::strrchr(text, character)), at(text, findLastCharacter(text, character)));
            for (const size_t count : {length, length + 1})
                EXPECT_EQ(at(text, std::memchr(text, character, count)), at(text, findByte(text, character, count)));
        }
        for (const char* other : kTexts) {
            SCOPED_TRACE(std::string(text) + " / " + other);
            EXPECT_EQ(at(text, std::strstr(text, other)), at(text, findText(text, other)));
            EXPECT_EQ(at(text, std::strpbrk(text, other)), at(text, findAnyCharacter(text, other)));
            EXPECT_EQ(sign(std::strcmp(text, other)), sign(compareTexts(text, other)));
            const size_t count = std::min(length, std::strlen(other)) + 1;
            EXPECT_EQ(sign(std::memcmp(text, other, count)), sign(compareBytes(text, other, count)));
        }
    }
}

TEST(StringFunctions, ReadNothingPastTheirLimit) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(3u, boundedTextLength(unterminated, sizeof unterminated));
    EXPECT_EQ(nullptr, findByte(unterminated, 'z', sizeof unterminated));
    EXPECT_EQ(0, compareBytes(unterminated, "abd", 2));
    EXPECT_EQ(nullptr, findText("ab", "abc")) << "a text shorter than the one looked for";
}

TEST(StringFunctions, CopiesAppendAndFillWriteWhatTheCLibraryWrites) {
    for (const char* text : kTexts) {
        for (const char* other : kTexts) {
            char ours[64] = "--------------------------------------------------------------";
            char theirs[64];
            std::memcpy(theirs, ours, sizeof ours);
            EXPECT_EQ(ours, copyText(ours, text));
            EXPECT_EQ(ours, appendText(ours, other));
            std::strcat(std::strcpy(theirs, text), other);
            EXPECT_EQ(0, std::memcmp(ours, theirs, sizeof ours)) << text << " / " << other;
        }
    }
    char block[8] = "abcdefg";
    EXPECT_EQ(block + 2, fillBytes(block + 2, 0x100 + 'x', 3));
    EXPECT_STREQ("abxxxfg", block);
    fillBytes(block, 'y', 0);
    EXPECT_STREQ("abxxxfg", block);
}

// Every move within a small buffer, overlapping either way or not at all.
TEST(StringFunctions, MovesAndCopiesWriteWhatTheCLibraryWrites) {
    const char original[] = "0123456789ABCDEF";
    for (size_t from = 0; from <= 8; ++from) {
        for (size_t to = 0; to <= 8; ++to) {
            for (size_t count = 0; count <= 8; ++count) {
                char ours[sizeof original], theirs[sizeof original];
                std::memcpy(ours, original, sizeof original);
                std::memcpy(theirs, original, sizeof original);
                std::memmove(theirs + to, theirs + from, count);
                const bool apart = from + count <= to || to + count <= from;
                EXPECT_EQ(ours + to, apart ? copyBytes(ours + to, ours + from, count)
                                           : moveBytes(ours + to, ours + from, count));
                EXPECT_STREQ(theirs, ours) << from << " -> " << to << " x " << count;
                if (!apart) continue;
                std::memcpy(ours, original, sizeof original);
                moveBytes(ours + to, ours + from, count);
                EXPECT_STREQ(theirs, ours) << from << " -> " << to << " x " << count;
            }
        }
    }
}

}  // namespace
