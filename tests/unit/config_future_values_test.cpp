// The four DATA values as text: "%f" and "%x" display, the decimal scan and the hexadecimal
// tail parse whose quirks stored values depend on.
#include "config/future_values.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string shownFloat(float value) {
    char text[kFloatTextSize];
    formatFloatValue(value, text, sizeof text);
    return text;
}

std::string shownHex(uint32_t value) {
    char text[kHexTextSize];
    formatHexValue(value, text, sizeof text);
    return text;
}

TEST(FutureValuesShown, FloatsWithSixDecimalsAndHexWithoutPrefix) {
    EXPECT_EQ("0.000000", shownFloat(0.0f));
    EXPECT_EQ("0.100000", shownFloat(0.1f));
    EXPECT_EQ("-1.500000", shownFloat(-1.5f));
    EXPECT_EQ("340282346638528859811704183484516925440.000000", shownFloat(3.4028234663852886e38f));
    EXPECT_EQ("0", shownHex(0));
    EXPECT_EQ("1f", shownHex(0x1F));
    EXPECT_EQ("ffffffff", shownHex(0xFFFFFFFF));
}

TEST(ScanFloatValue, ReadsTheLeadingDecimalNumberOrKeepsTheValue) {
    const float kept = 42.25f;
    const struct {
        const char* text;
        bool read;
        float value;
    } cases[] = {
        {"1.5", true, 1.5f},       {"1.5abc", true, 1.5f},   {"  \t-2.25", true, -2.25f},
        {"+3", true, 3.0f},        {".5", true, 0.5f},       {"7.", true, 7.0f},
        {"1e3", true, 1000.0f},    {"2.5E-1x", true, 0.25f}, {"1e", true, 1.0f},
        {"1e+", true, 1.0f},       {"0x1A", true, 0.0f},     {"12 34", true, 12.0f},
        {"", false, kept},         {"abc", false, kept},     {"   ", false, kept},
        {"-", false, kept},        {".", false, kept},       {"+.e5", false, kept},
        {"inf", false, kept},      {"nan", false, kept},     {"x1", false, kept},
    };
    for (const auto& c : cases) {
        float value = kept;
        EXPECT_EQ(c.read ? 1 : 0, scanFloatValue(c.text, &value)) << '"' << c.text << '"';
        EXPECT_EQ(c.value, value) << '"' << c.text << '"';
    }
}

TEST(ScanFloatValue, WhatIsShownReadsBackAsTheSameValue) {
    for (const float value : {0.0f, 0.1f, -0.1f, 1.5f, 123456.789f, 1e-3f, 3.4028234663852886e38f}) {
        char text[kFloatTextSize];
        formatFloatValue(value, text, sizeof text);
        float read = -7.0f;
        ASSERT_EQ(1, scanFloatValue(text, &read)) << text;
        // Six decimals lose nothing of these single-precision values.
        EXPECT_EQ(value, read) << text;
    }
}

TEST(ScanFloatValue, LooksAtTheFirst1023CharactersOnly) {
    std::string text(1022, '0');
    text += "12";  // the 2 lies beyond the first 1,023 characters
    float value = 0.0f;
    ASSERT_EQ(1, scanFloatValue(text.c_str(), &value));
    EXPECT_EQ(1.0f, value);
}

TEST(ParseHexTail, ReadsFromTheEndUpToACharacterAboveF) {
    const struct {
        const char* text;
        uint32_t value;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"1f", 0x1F},
        {"1F", 0x1F},
        {"0x1F", 0x1F},                // the scan ends at the x
        {"FFFFFFFF", 0xFFFFFFFF},
        {"123456789", 0x23456789},     // nine digits: the first one is lost
        {"abcdef", 0xABCDEF},
        {"zz10", 0x10},
        {"G", 0},
        {"ffffffffg", 0},               // a last character above f ends the scan at once
        // Characters below 'a' that are not digits count with their code minus 48.
        {" 1", 0xFFFFFF01},            // ' ' is -16
        {"-1", 0xFFFFFFD1},            // '-' is -3
        {"1.5", 0xE5},                 // '.' is -2: 5 - 32 + 256
        {"A:", 0xAA},                  // ':' is 10
        {"@", 16},                     // '@' is 16
        {"\xE9", 0xFFFFFFB9},          // a byte above 127 is negative: 0xE9 - 256 - 48
        {"1 2", 0x2},                   // the space's -16 and the 1 cancel out
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, parseHexTail(c.text)) << '"' << c.text << '"';
    }
}

// Longer texts than the parse's 31-character copy give the value of their last characters,
// as a short text with the same ending does.
TEST(ParseHexTail, LongTextsCountByTheirEnd) {
    const struct {
        std::string text;
        uint32_t value;
    } cases[] = {
        {std::string(40, '0') + "1f", 0x1F},
        {std::string(31, 'z') + "abc", 0xABC},
        {"0x" + std::string(100, '7') + "deadbeef", 0xDEADBEEF},
        {std::string(1023, 'F'), 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, parseHexTail(c.text.c_str())) << c.text.size() << " characters";
        EXPECT_EQ(c.value, parseHexTail(c.text.substr(c.text.size() - 8).c_str()));
    }
}

}  // namespace
