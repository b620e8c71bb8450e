// The launcher's own formatting and decimal conversions against the C runtime's snprintf and
// strtof, whose results they must reproduce exactly. Built natively (glibc) and into the Windows
// tests (mingw-w64's runtime, which the launcher used before).
#include "common/text_format.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The same bits read as another type of their size: a float from its pattern and back.
template <typename To, typename From>
To bitCast(From from) {
    static_assert(sizeof(To) == sizeof(From), "the two types must have one size");
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}
float floatFromBits(uint32_t bits) { return bitCast<float>(bits); }
uint32_t bitsOf(float value) { return bitCast<uint32_t>(value); }

std::string ours(double value) {
    char text[400];
    formatText(text, sizeof text, "%f", value);
    return text;
}

std::string runtimes(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

// The float patterns worth a look: zeros, the smallest and largest subnormals and normals,
// infinities, NaNs of both signs, and a sweep through every exponent.
std::vector<uint32_t> floatPatterns() {
    std::vector<uint32_t> patterns = {0x00000000, 0x80000000, 0x00000001, 0x007FFFFF, 0x00800000,
                                      0x7F7FFFFF, 0xFF7FFFFF, 0x7F800000, 0xFF800000, 0x7FC00000,
                                      0xFFC00000, 0x7F800001, 0x3C000000 /* 2^-7: a tie */};
    for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) patterns.push_back(static_cast<uint32_t>(bits));
    return patterns;
}

TEST(FormatText, WritesTheConversionsTheLauncherUsesAndCutsToFit) {
    char text[16];
    EXPECT_EQ(9, formatText(text, sizeof text, "%s\\%s", "D:", "regist"));
    EXPECT_STREQ("D:\\regist", text);
    EXPECT_EQ(5, formatText(text, sizeof text, "%.*s\\x", 3, "C:\\WINDOWS"));
    EXPECT_STREQ("C:\\\\x", text);
    EXPECT_EQ(12, formatText(text, sizeof text, "%x|%x|%%", 0u, 0xFFFFFFFFu));
    EXPECT_STREQ("0|ffffffff|%", text);
    EXPECT_EQ(2, formatText(text, sizeof text, "%d", 5));
    EXPECT_STREQ("%d", text) << "an unknown conversion stays as it stands";

    EXPECT_EQ(20, formatText(text, sizeof text, "%s", "twenty characters..."));
    EXPECT_STREQ("twenty characte", text) << "cut to the buffer, terminated";
    EXPECT_EQ(3, formatText(text, 1, "abc"));
    EXPECT_STREQ("", text);
}

TEST(FormatFixed, EveryKindOfFloatAsTheRuntimePrintsIt) {
    for (const uint32_t bits : floatPatterns()) {
        const double value = floatFromBits(bits);
        // The Windows runtime prints every NaN as "nan"; glibc gives a negative one its sign.
        ASSERT_EQ(value != value ? "nan" : runtimes(value), ours(value)) << std::hex << bits;
    }
}

TEST(FormatFixed, DoublesAtTheLimitsAndTiesAsTheRuntimePrintsThem) {
    for (const uint64_t bits : {0x0000000000000001ull, 0x000FFFFFFFFFFFFFull, 0x7FEFFFFFFFFFFFFFull,
                                0x3EB0C6F7A0B5ED8Dull /* 1e-6 */, 0x3EA0C6F7A0B5ED8Dull /* 5e-7 */}) {
        const double value = bitCast<double>(bits);
        EXPECT_EQ(runtimes(value), ours(value)) << std::hex << bits;
    }
    for (const double tie : {0.0000005, 0.0000015, 0.0000025, 1.0000005, 2.5e-7, 0.00000075})
        EXPECT_EQ(runtimes(tie), ours(tie)) << tie;
}

TEST(DecimalToFloat, ReadsWhatIsShownAsTheRuntimeReadsIt) {
    for (const uint32_t bits : floatPatterns()) {
        const std::string shown = runtimes(floatFromBits(bits));
        if (shown.find('n') != std::string::npos) continue;  // inf and nan are never read
        ASSERT_EQ(bitsOf(std::strtof(shown.c_str(), nullptr)), bitsOf(decimalToFloat(shown.c_str()))) << shown;
    }
}

TEST(DecimalToFloat, LimitsAndLongTextsAsTheRuntimeReadsThem) {
    const std::string texts[] = {
        "0", "-0", "+0.000", "1", "-2.5e-1", "1e", "7.", ".5", "1e+38", "3.4028234663852886e38",
        "3.4028235677973366e38", "3.40282357e38", "1e39", "1e40", "-1e100000000",
        "1.1754943508222875e-38", "1.401298464324817e-45", "7.006492321624085e-46",
        "7.006492321624086e-46", "1e-46", "1e-47", "1e-100000000", "16777217", "16777219", "0.1",
        "123456.789", std::string(300, '9'), "0." + std::string(60, '0') + "1e60", std::string(1022, '1'),
        "1" + std::string(200, '0') + "1e-200"};
    for (const std::string& text : texts)
        EXPECT_EQ(bitsOf(std::strtof(text.c_str(), nullptr)), bitsOf(decimalToFloat(text.c_str()))) << text;
}

// Exactly halfway between two neighbouring floats (400 digits: exact, zeros at the end) goes to
// the even one; a hair above or below goes to the nearer. mingw-w64's strtof reads the subnormal
// ones wrongly, so the expectation is the rule itself.
TEST(DecimalToFloat, HalfwayPointsGoToTheEvenNeighbour) {
    for (const uint32_t bits : {0x00000001u, 0x00000002u, 0x00800000u, 0x3F800000u, 0x4B800001u, 0x7F7FFFFEu,
                                0x7F7FFFFFu}) {
        const double below = floatFromBits(bits);
        const double above = bits == 0x7F7FFFFFu ? 0x1p128 : floatFromBits(bits + 1);  // where infinity begins
        char exact[500];
        std::snprintf(exact, sizeof exact, "%.400e", below + (above - below) / 2);
        const std::string halfway = exact;
        const size_t e = halfway.find('e');
        std::string justBelow = halfway;
        const size_t last = justBelow.find_last_not_of('0', e - 1);
        --justBelow[last];
        for (size_t at = last + 1; at < e; ++at) justBelow[at] = '9';

        EXPECT_EQ(bits & 1 ? bits + 1 : bits, bitsOf(decimalToFloat(halfway.c_str()))) << halfway;
        EXPECT_EQ(bits + 1, bitsOf(decimalToFloat((halfway.substr(0, e) + "1" + halfway.substr(e)).c_str())));
        EXPECT_EQ(bits, bitsOf(decimalToFloat(justBelow.c_str()))) << justBelow;
    }
}

}  // namespace
