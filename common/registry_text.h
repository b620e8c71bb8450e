// The launcher's registry strings in memory: a text read is always terminated inside its buffer,
// a text written fills the 260 bytes the game reads. No Win32 here.
#pragma once

#include <cstddef>

// Completes a string value just read into a buffer of bufferSize bytes, dataLength of which
// the registry filled. The text must end inside the buffer: a value that fills it without a
// terminating zero does not fit, so the buffer is emptied and 0 returned.
int finishStringValue(char* buffer, size_t bufferSize, size_t dataLength);

// Whether text, with its terminating zero, fits the kPathBufferSize bytes of a string value.
bool fitsRegistryText(const char* text);

// A string value as the launcher writes it: kPathBufferSize bytes, the text and its
// terminating zero at the start, zeros after it. 0 (buffer all zeros) when the text does not
// fit with its zero: a cut-off path would name some other file or folder.
int registryTextBuffer(const char* text, char* buffer);
