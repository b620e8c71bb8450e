// The memory and string functions of the C library, the launcher's own: the shipped program has
// no C runtime, and common/c_library.cpp gives these to it under their C names. No Win32 here.
#pragma once

#include <cstddef>

// Each does what the C function named beside it does, with its results: bytes compare as
// unsigned char, a searched character is converted to char, and a search for '\0' finds the
// terminator.
void* copyBytes(void* destination, const void* source, size_t count);       // memcpy
void* moveBytes(void* destination, const void* source, size_t count);       // memmove
void* fillBytes(void* destination, int value, size_t count);                // memset
int compareBytes(const void* first, const void* second, size_t count);      // memcmp
void* findByte(const void* bytes, int value, size_t count);                 // memchr
size_t textLength(const char* text);                                        // strlen
size_t boundedTextLength(const char* text, size_t limit);                   // strnlen
char* copyText(char* destination, const char* source);                      // strcpy
char* appendText(char* destination, const char* source);                    // strcat
int compareTexts(const char* first, const char* second);                    // strcmp
char* findCharacter(const char* text, int character);                       // strchr
char* findLastCharacter(const char* text, int character);                   // strrchr
char* findAnyCharacter(const char* text, const char* characters);           // strpbrk
char* findText(const char* text, const char* wanted);                       // strstr
