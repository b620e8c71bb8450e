// Bounded text formatting and exact decimal conversions of numbers, for the few conversions the
// launcher makes; the C runtime's printf and strtof would bring tens of kilobytes of number
// conversion (and its locale machinery) into a program that needs none of it. No Win32 here.
#pragma once

#include <cstdarg>
#include <cstddef>

// printf into out (size characters; always terminated when size > 0, the text cut to fit) for
// the conversions the launcher uses, with printf's results:
//   %s, %.*s   text; "(null)" for a null pointer;
//   %x         an unsigned int in lower-case hexadecimal;
//   %f         a double with six decimals: the exact value rounded to nearest, ties to even;
//              "inf" and "-inf"; "nan" whatever the sign, as the Windows runtime prints it;
//   %%         a percent sign.
// Any other conversion is copied as it stands. Returns the length of the whole text, as
// snprintf does, so that a result of size or more means the text was cut.
int formatText(char* out, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
int formatTextV(char* out, size_t size, const char* format, va_list arguments);

// The float nearest to the decimal number at the start of text (optional sign, digits with an
// optional fraction, optional exponent with at least one digit), ties to even, as strtof reads
// it: beyond the largest float it gives infinity, below the smallest a signed zero. Reading
// stops at the first character that cannot belong to the number; text without digits gives 0.
float decimalToFloat(const char* text);
