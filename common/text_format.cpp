// Bounded text formatting and exact decimal conversions of numbers.
#include "common/text_format.h"

#include <cstdint>
#include <cstring>

namespace {

// An unsigned integer of up to kWords 32-bit words, least significant first. The conversions
// below never need more than 1,044 bits (the largest double times 10^6; strtof's operands stay
// under 850 bits), and no operation writes past the last word.
constexpr int kWords = 40;

struct BigNumber {
    uint32_t word[kWords];
    int used;  // words in use; the top one is never 0
};

void setBig(BigNumber& big, uint64_t value) {
    big.used = 0;
    while (value) {
        big.word[big.used++] = static_cast<uint32_t>(value);
        value >>= 32;
    }
}

void multiplyAdd(BigNumber& big, uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (int i = 0; i < big.used; ++i) {
        const uint64_t product = static_cast<uint64_t>(big.word[i]) * factor + carry;
        big.word[i] = static_cast<uint32_t>(product);
        carry = product >> 32;
    }
    if (carry && big.used < kWords) big.word[big.used++] = static_cast<uint32_t>(carry);
}

void multiplyByPowerOfTen(BigNumber& big, int power) {
    for (; power >= 9; power -= 9) multiplyAdd(big, 1000000000u, 0);
    uint32_t factor = 1;
    while (power-- > 0) factor *= 10;
    multiplyAdd(big, factor, 0);
}

// The remainder of big divided by divisor, at most 65,536; big becomes the quotient. Each step
// divides 32 bits by 32, half a word at a time, which leaves the 32-bit program without 64-bit
// division and so without the compiler's run-time library.
uint32_t divideSmall(BigNumber& big, uint32_t divisor) {
    uint32_t remainder = 0;
    for (int i = big.used - 1; i >= 0; --i) {
        const uint32_t high = remainder << 16 | big.word[i] >> 16;
        const uint32_t low = high % divisor << 16 | (big.word[i] & 0xFFFF);
        big.word[i] = high / divisor << 16 | low / divisor;
        remainder = low % divisor;
    }
    while (big.used && !big.word[big.used - 1]) --big.used;
    return remainder;
}

void shiftLeft(BigNumber& big, int bits) {
    if (!big.used) return;
    const int words = bits / 32, rest = bits % 32;
    int used = big.used + words + 1;
    if (used > kWords) used = kWords;
    for (int i = used - 1; i >= 0; --i) {
        const int from = i - words;
        const uint32_t high = from >= 0 && from < big.used ? big.word[from] : 0;
        const uint32_t low = from - 1 >= 0 && from - 1 < big.used ? big.word[from - 1] : 0;
        big.word[i] = rest ? (high << rest) | (low >> (32 - rest)) : high;
    }
    big.used = used;
    while (big.used && !big.word[big.used - 1]) --big.used;
}

void shiftRight(BigNumber& big, int bits) {
    const int words = bits / 32, rest = bits % 32;
    int used = 0;
    for (int i = 0; i + words < big.used; ++i) {
        const uint32_t low = big.word[i + words];
        const uint32_t high = i + words + 1 < big.used ? big.word[i + words + 1] : 0;
        big.word[i] = rest ? (low >> rest) | (high << (32 - rest)) : low;
        used = i + 1;
    }
    big.used = used;
    while (big.used && !big.word[big.used - 1]) --big.used;
}

bool bitSet(const BigNumber& big, int bit) {
    return bit / 32 < big.used && (big.word[bit / 32] >> (bit % 32) & 1);
}

bool anyBitBelow(const BigNumber& big, int bit) {
    for (int i = 0; i < bit; ++i)
        if (bitSet(big, i)) return true;
    return false;
}

int bitLength(const BigNumber& big) {
    if (!big.used) return 0;
    int bits = 32 * (big.used - 1);
    for (uint32_t top = big.word[big.used - 1]; top; top >>= 1) ++bits;
    return bits;
}

int compare(const BigNumber& a, const BigNumber& b) {
    if (a.used != b.used) return a.used < b.used ? -1 : 1;
    for (int i = a.used - 1; i >= 0; --i)
        if (a.word[i] != b.word[i]) return a.word[i] < b.word[i] ? -1 : 1;
    return 0;
}

// a -= b, for a >= b.
void subtract(BigNumber& a, const BigNumber& b) {
    uint64_t borrow = 0;
    for (int i = 0; i < a.used; ++i) {
        const uint64_t part = static_cast<uint64_t>(a.word[i]) - (i < b.used ? b.word[i] : 0) - borrow;
        a.word[i] = static_cast<uint32_t>(part);
        borrow = part >> 63;
    }
    while (a.used && !a.word[a.used - 1]) --a.used;
}

// floor(a / b) for a quotient below 2^26; a becomes the remainder.
uint32_t divideSmallQuotient(BigNumber& a, const BigNumber& b) {
    uint32_t quotient = 0;
    for (int bit = 25; bit >= 0; --bit) {
        BigNumber shifted = b;
        shiftLeft(shifted, bit);
        if (compare(a, shifted) >= 0) {
            subtract(a, shifted);
            quotient |= 1u << bit;
        }
    }
    return quotient;
}

// Writes into out while there is room, counting every character.
struct Output {
    char* out;
    size_t size;
    size_t length;

    void put(char c) {
        if (length + 1 < size) out[length] = c;
        ++length;
    }
    void put(const char* text, size_t count) {
        for (size_t i = 0; i < count; ++i) put(text[i]);
    }
};

void putHex(Output& output, unsigned int value) {
    char digits[2 * sizeof value];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value & 0xF];
        value >>= 4;
    } while (value);
    while (count) output.put(digits[--count]);
}

// "%f": the exact binary value times 10^6, rounded to an integer, ties to even, then written
// with a point before its last six digits.
void putFixed(Output& output, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponent = static_cast<int>(bits >> 52 & 0x7FF);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    if (exponent == 0x7FF && fraction) {
        output.put("nan", 3);  // whatever its sign, as the Windows runtime prints it
        return;
    }
    if (bits >> 63) output.put('-');
    if (exponent == 0x7FF) {
        output.put("inf", 3);
        return;
    }
    BigNumber scaled;
    setBig(scaled, exponent ? fraction | uint64_t{1} << 52 : fraction);
    multiplyByPowerOfTen(scaled, 6);
    const int power = exponent ? exponent - 1075 : -1074;
    if (power >= 0) {
        shiftLeft(scaled, power);
    } else {
        const bool half = bitSet(scaled, -power - 1);
        const bool more = anyBitBelow(scaled, -power - 1);
        shiftRight(scaled, -power);
        if (half && (more || bitSet(scaled, 0))) multiplyAdd(scaled, 1, 1);
    }
    char digits[330];  // 10^6 times the largest double has 315 digits
    int count = 0;
    while (scaled.used) {
        uint32_t chunk = divideSmall(scaled, 10000);
        for (int i = 0; i < 4; ++i, chunk /= 10) digits[count++] = static_cast<char>('0' + chunk % 10);
    }
    while (count > 7 && digits[count - 1] == '0') --count;
    while (count < 7) digits[count++] = '0';
    while (count > 6) output.put(digits[--count]);
    output.put('.');
    while (count) output.put(digits[--count]);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Significant digits kept from a decimal number. Every point halfway between two floats has
// fewer significant digits than this, so cutting the rest to a single nonzero digit never moves
// the number across one.
constexpr int kSignificantDigits = 200;

}  // namespace

int formatTextV(char* out, size_t size, const char* format, va_list arguments) {
    Output output{out, size, 0};
    for (const char* at = format; *at; ++at) {
        if (*at != '%') {
            output.put(*at);
            continue;
        }
        if (at[1] == '%') {
            output.put('%');
            ++at;
        } else if (at[1] == 's') {
            const char* text = va_arg(arguments, const char*);
            if (!text) text = "(null)";  // as the runtime's printf writes a null pointer
            output.put(text, std::strlen(text));
            ++at;
        } else if (at[1] == '.' && at[2] == '*' && at[3] == 's') {
            const int precision = va_arg(arguments, int);
            const char* text = va_arg(arguments, const char*);
            if (!text) text = "(null)";
            size_t length = 0;
            while ((precision < 0 || length < static_cast<size_t>(precision)) && text[length]) ++length;
            output.put(text, length);
            at += 3;
        } else if (at[1] == 'x') {
            putHex(output, va_arg(arguments, unsigned int));
            ++at;
        } else if (at[1] == 'f') {
            putFixed(output, va_arg(arguments, double));
            ++at;
        } else {
            output.put('%');
        }
    }
    if (size) out[output.length < size ? output.length : size - 1] = '\0';
    return static_cast<int>(output.length);
}

int formatText(char* out, size_t size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = formatTextV(out, size, format, arguments);
    va_end(arguments);
    return length;
}

float decimalToFloat(const char* text) {
    const char* at = text;
    const bool negative = *at == '-';
    if (*at == '+' || *at == '-') ++at;

    // The number is digits * 10^power, digits holding its significant digits.
    BigNumber digits;
    setBig(digits, 0);
    int count = 0;
    int power = 0;
    bool cutNonzero = false;
    bool anyDigit = false;
    bool inFraction = false;
    for (;; ++at) {
        if (*at == '.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!isDigit(*at)) break;
        anyDigit = true;
        if (count == 0 && *at == '0') {
            if (inFraction) --power;
        } else if (count < kSignificantDigits) {
            multiplyAdd(digits, 10, static_cast<uint32_t>(*at - '0'));
            ++count;
            if (inFraction) --power;
        } else {
            cutNonzero = cutNonzero || *at != '0';
            if (!inFraction) ++power;
        }
    }
    if (!anyDigit) return 0.0f;
    if (cutNonzero) {
        multiplyAdd(digits, 10, 1);
        ++count;
        --power;
    }
    if ((*at == 'e' || *at == 'E')) {
        const char* exponentAt = at + 1;
        const bool exponentNegative = *exponentAt == '-';
        if (*exponentAt == '+' || *exponentAt == '-') ++exponentAt;
        int exponent = 0;
        for (; isDigit(*exponentAt); ++exponentAt)
            if (exponent < 100000) exponent = exponent * 10 + (*exponentAt - '0');
        power += exponentNegative ? -exponent : exponent;
    }

    uint32_t bits = negative ? 0x80000000u : 0;
    const int leadingPower = count - 1 + power;  // the number lies in [10^leading, 10^(leading+1))
    if (count > 0 && leadingPower > 39) {
        bits |= 0x7F800000u;
    } else if (count > 0 && leadingPower >= -47) {
        BigNumber numerator = digits, denominator;
        setBig(denominator, 1);
        if (power >= 0) multiplyByPowerOfTen(numerator, power);
        else multiplyByPowerOfTen(denominator, -power);
        // quotient = floor(number * 2^scale) holds 24 bits, or fewer below the normal range,
        // where the scale stops at 149.
        int scale = 24 - (bitLength(numerator) - bitLength(denominator));
        uint32_t quotient = 0;
        BigNumber remainder, divisor;
        for (;; --scale) {
            if (scale > 149) scale = 149;
            remainder = numerator;
            divisor = denominator;
            if (scale >= 0) shiftLeft(remainder, scale);
            else shiftLeft(divisor, -scale);
            quotient = divideSmallQuotient(remainder, divisor);
            if (quotient < 1u << 24) break;
        }
        shiftLeft(remainder, 1);
        const int half = compare(remainder, divisor);
        if (half > 0 || (half == 0 && (quotient & 1))) ++quotient;
        if (quotient == 1u << 24) {
            quotient >>= 1;
            --scale;
        }
        if (quotient >= 1u << 23) {
            const int biased = 150 - scale;
            bits |= biased >= 255 ? 0x7F800000u : static_cast<uint32_t>(biased) << 23 | (quotient & 0x7FFFFFu);
        } else {
            bits |= quotient;  // below the normal range: scale is 149
        }
    }
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
