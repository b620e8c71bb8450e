// The C library's memory and string functions that the launcher's code and its compiler call,
// for the programs linked without a C runtime (the launcher, the bare dialog program): each is
// the common floor's own. Linked into those programs only; the test programs keep their runtime's.
#include <cstring>

#include "common/string_functions.h"

extern "C" {

void* memcpy(void* destination, const void* source, size_t count) { return copyBytes(destination, source, count); }
void* memmove(void* destination, const void* source, size_t count) { return moveBytes(destination, source, count); }
void* memset(void* destination, int value, size_t count) { return fillBytes(destination, value, count); }
int memcmp(const void* first, const void* second, size_t count) { return compareBytes(first, second, count); }
void* memchr(const void* bytes, int value, size_t count) { return findByte(bytes, value, count); }
size_t strlen(const char* text) { return textLength(text); }
size_t strnlen(const char* text, size_t limit) { return boundedTextLength(text, limit); }
char* strcpy(char* destination, const char* source) { return copyText(destination, source); }
char* strcat(char* destination, const char* source) { return appendText(destination, source); }
int strcmp(const char* first, const char* second) { return compareTexts(first, second); }
char* strchr(const char* text, int character) { return findCharacter(text, character); }
char* strrchr(const char* text, int character) { return findLastCharacter(text, character); }
char* strpbrk(const char* text, const char* characters) { return findAnyCharacter(text, characters); }
char* strstr(const char* text, const char* wanted) { return findText(text, wanted); }

}  // extern "C"
