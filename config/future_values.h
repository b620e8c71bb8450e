// The Future Support page's four raw values as text: how they are shown and read back.
#pragma once

#include <cstddef>
#include <cstdint>

// An edit box's text is read into a buffer of this size: at most 1,023 characters.
constexpr int kValueTextSize = 1024;
// Enough for any float printed with "%f" (39 digits, sign, point and six decimals).
constexpr int kFloatTextSize = 64;
// Enough for a 32-bit value in hexadecimal.
constexpr int kHexTextSize = 16;

// "%f" of the value widened to double: 0.1f shows as 0.100000.
void formatFloatValue(float value, char* text, size_t size);
// "%x": lower-case digits, no prefix, no leading zeros.
void formatHexValue(uint32_t value, char* text, size_t size);

// Reads a decimal number at the start of the text, after white space: optional sign, digits
// with an optional fraction, an optional exponent, up to the first character that cannot
// belong to it. Only the first 1,023 characters are looked at. Returns 1 and sets value when
// a number was read; returns 0 and leaves value alone otherwise (empty text, "abc", "inf").
int scanFloatValue(const char* text, float* value);

// The value of the text's last characters read as hexadecimal digits, from the end towards
// the start, four bits each, until a character above 'f' (after lowering A to Z) or 32 bits.
// Other characters below 'a' count with their code minus 48, even when that is not a digit:
// stored values depend on it, so it stays. "0x1F" gives 0x1F, "" gives 0.
uint32_t parseHexTail(const char* text);
