// The launcher's one way into the registry: keys opened for what is done with them, and values
// read and written as the game and Windows 95 read and write them.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Each opens path below root into key, closing what key held first, and answers the registry's
// status. A key that cannot be opened stays null, and every read from a null key fails.
// For reading only: what a key that is not written needs, and all some accounts may do.
LONG openKeyToRead(RegistryKey& key, HKEY root, const char* path);
// For reading and writing (kKeyReadWrite), when the key exists.
LONG openKeyToWrite(RegistryKey& key, HKEY root, const char* path);
// For reading and writing, the key made, empty, when it does not exist.
LONG createKeyToWrite(RegistryKey& key, HKEY root, const char* path);

// Names the sub-key at index into name, which holds size + 1 bytes: the registry is told size,
// and the name is always terminated. Answers the registry's status: ERROR_MORE_DATA for a longer
// name (name then holds whatever the registry left there), ERROR_NO_MORE_ITEMS past the last.
LONG enumerateSubkey(HKEY key, DWORD index, char* name, DWORD size);

// Reads the DWORD value name into field (4 bytes) whatever type it was stored with: a value
// longer than 4 bytes does not fit and counts as missing, a shorter one is zero-extended. 1 on
// success; field is changed only then.
int readDwordValue(HKEY key, const char* name, void* field);
// Reads the string value name, whatever type it was stored with, into text (size bytes), always
// terminated. The value counts as missing unless its text and a terminating zero fit those size
// bytes: one longer than size, or of size bytes without a zero among them, does not fit. 1 on
// success; on failure text is emptied, so that a caller ignoring the result never meets a stale
// or partial text.
int readStringValue(HKEY key, const char* name, char* text, DWORD size);
// The same for a value read into size bytes as Windows 95 reads one: any value of up to size
// bytes is taken, with or without a zero of its own, and text holds size + 1 bytes so that the
// terminating zero always has room after it.
int readStringValueOfUpTo(HKEY key, const char* name, char* text, DWORD size);

// Each answers 1 when the value was stored.
int writeDwordValue(HKEY key, const char* name, DWORD value);
// A REG_SZ of the whole kPathBufferSize-byte buffer, as the game reads it: the text and its zero
// at the start, zeros after it. A text that does not fit with its zero is not written at all:
// cut, it would name some other file or folder.
int writeStringValue(HKEY key, const char* name, const char* text);
