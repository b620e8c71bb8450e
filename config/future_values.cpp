// Showing and reading the four DATA values: "%f" and "%x" texts and their parsers.
#include "config/future_values.h"

#include <cstring>

#include "common/text_format.h"

namespace {

// The hexadecimal parse looks at a copy of at most this many characters: the end of the
// text, since only the last eight characters can ever count.
constexpr size_t kHexCopyLength = 31;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipDigits(const char* text, size_t at) {
    while (isDigit(text[at])) ++at;
    return at;
}

// Length of the decimal number that starts at text, 0 when none does.
size_t decimalNumberLength(const char* text) {
    size_t at = 0;
    if (text[at] == '+' || text[at] == '-') ++at;
    const size_t integerStart = at;
    at = skipDigits(text, at);
    size_t digits = at - integerStart;
    if (text[at] == '.') {
        const size_t fractionStart = at + 1;
        const size_t fractionEnd = skipDigits(text, fractionStart);
        digits += fractionEnd - fractionStart;
        at = fractionEnd;
    }
    if (digits == 0) return 0;
    // An exponent belongs to the number only when at least one digit follows.
    if (text[at] == 'e' || text[at] == 'E') {
        size_t exponent = at + 1;
        if (text[exponent] == '+' || text[exponent] == '-') ++exponent;
        if (isDigit(text[exponent])) at = skipDigits(text, exponent);
    }
    return at;
}

}  // namespace

void formatFloatValue(float value, char* text, size_t size) {
    formatText(text, size, "%f", static_cast<double>(value));
}

void formatHexValue(uint32_t value, char* text, size_t size) {
    formatText(text, size, "%x", static_cast<unsigned int>(value));
}

int scanFloatValue(const char* text, float* value) {
    char copy[kValueTextSize];
    formatText(copy, sizeof copy, "%s", text);
    size_t start = 0;
    while (isSpace(copy[start])) ++start;
    const size_t length = decimalNumberLength(copy + start);
    if (length == 0) return 0;
    // Only the number is converted, never hexadecimal or "inf".
    copy[start + length] = '\0';
    *value = decimalToFloat(copy + start);
    return 1;
}

uint32_t parseHexTail(const char* text) {
    const size_t length = std::strlen(text);
    const size_t copied = length < kHexCopyLength ? length : kHexCopyLength;
    char copy[kHexCopyLength + 1];
    std::memcpy(copy, text + (length - copied), copied);
    copy[copied] = '\0';
    for (size_t at = 0; at < copied; ++at) {
        if (copy[at] >= 'A' && copy[at] <= 'Z') copy[at] = static_cast<char>(copy[at] - 'A' + 'a');
    }

    uint32_t value = 0;
    int shift = 0;
    for (size_t remaining = copied; remaining > 0 && shift < 32; --remaining) {
        const int c = static_cast<signed char>(copy[remaining - 1]);
        if (c > 'f') break;
        const int digit = c >= 'a' ? c - 87 : c - 48;
        // Added in 32-bit wrapping arithmetic, negative digits included.
        value += static_cast<uint32_t>(digit) << shift;
        shift += 4;
    }
    return value;
}
