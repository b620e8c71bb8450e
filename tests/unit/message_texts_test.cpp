// The numbered messages, the readme's text block size and the fitting of its text into the box.
#include "common/launcher_texts.h"
#include "common/message_texts.h"
#include "launcher/readme_rules.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The one table the tests under Wine and end to end take the texts of the boxes from; code 16
// and the codes above 18 show nothing.
TEST(MessageTexts, EachCodeHasItsTextOrNone) {
    const char* const expected[] = {
        "Unable to create the folder. Please reboot and try again.",
        "Unable to find the file. Please reboot and try again.",
        "Unable to close the file. Please reboot and try again.",
        "Unable to lock the memory. Please reboot and try again.",
        "There was an Error. Please reboot and try again.",
        "The PATH is too long. It must be within 245 characters.",
        "Cannot find a CD-ROM drive.",
        "Please execute the program from the CD-ROM.",
        "Cannot find a CD-ROM drive.\nSetup discontinues.",
        "Unable to write to the registry. Please reboot and try again.",
        "QUARLOCK2 will not start until rebooted. Setup complete.",
        "Installation completed successfully.",
        "Cannot create folder as specified. \n, : * ; ? \" < > | / are not valid characters.",
        "Cannot create folder as specified. Same name folder may already exist.",
        ", : * ; ? \" < > | / are not valid characters.",
        "There is not enough free room to install QUARLOCK2 on the hard drive you have selected.",
        nullptr,
        "Cannot create folder as specified. \n, : * ; ? \" < > | / \\ are not valid characters.",
        "Push OK button to restart Windows.",
    };
    ASSERT_EQ(kMessageCount, sizeof expected / sizeof expected[0]);
    for (uint32_t code = 0; code < kMessageCount; ++code) EXPECT_STREQ(messageText(code), expected[code]) << code;
    EXPECT_EQ(messageText(19), nullptr);
    EXPECT_EQ(messageText(UINT32_MAX), nullptr);
    EXPECT_STREQ(kGameTitle, "QUARLOCK2");
}

// The two notices the tests under Wine and end to end take from here.
TEST(MessageTexts, TheStartUpNotices) {
    EXPECT_STREQ(kColourDepthWarning,
                 "QUARLOCK2 can be run in 16-bit depth only.\nPlease change the color depth to 16-bit.");
    EXPECT_STREQ(kRequirementsNotice,
                 "You are required to have DirectX(R)6 (or later), Intel(R)Indeo(R)Video5.06 (or later) and "
                 "DirectX(R)Media6 (or later) installed before playing.");
}

TEST(ReadmeBlock, HoldsTheFileAndItsTerminator) {
    EXPECT_EQ(readmeBlockSize(0), 1u);
    EXPECT_EQ(readmeBlockSize(1000), 1001u);
    EXPECT_EQ(readmeBlockSize(UINT32_MAX - 1), static_cast<size_t>(UINT32_MAX));
}

TEST(ReadmeBlock, SizeWhoseTerminatorWouldWrapGivesNone) {
    EXPECT_EQ(readmeBlockSize(UINT32_MAX), 0u);
}

// A box that takes texts of up to capacity bytes, as a Windows 95 edit box takes what its heap
// holds, and records the length of every text it was offered.
struct SmallBox {
    size_t capacity;
    std::vector<size_t> offered;
    bool take(const char* text) {
        offered.push_back(std::strlen(text));
        return offered.back() <= capacity;
    }
};

TEST(ReadmeFit, TheLongestBeginningTheBoxTakesEndsWithALine) {
    std::string lines;
    for (int line = 0; line < 1200; ++line) lines += std::string(line % 90, 'x') + "\r\n";  // 54,900 bytes
    const struct {
        std::string text;
        size_t capacity, shown;
    } cases[] = {
        {"one\ntwo\n", 100, 8},                       // taken whole, at the first try
        {"one\ntwo\nthree", 12, 8},                   // a last line without its end is left out too
        {"one\ntwo\nthree", 7, 4},
        {"first line too long\nx\n", 5, 0},           // nothing: the box is emptied
        {lines + lines, SIZE_MAX, 2 * lines.size()},  // a box that takes anything, as NT's
        {lines + lines, 65535, lines.size() + 10580},  // no try beyond what a 95 box can hold
        {lines + lines, 60000, lines.size() + 5087},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        SmallBox box{c.capacity, {}};
        EXPECT_EQ(c.shown, putLongestBeginning(box, &text[0], text.size())) << c.capacity;
        EXPECT_EQ(c.text, text) << "the text is put back";
        ASSERT_FALSE(box.offered.empty());
        EXPECT_EQ(c.text.size(), box.offered.front()) << "the whole text first";
        for (size_t tried = 1; tried < box.offered.size(); ++tried) {
            EXPECT_LE(box.offered[tried], kEditBoxTextLimit);
            EXPECT_LT(box.offered[tried], box.offered[tried - 1]);
        }
        EXPECT_EQ(c.shown, box.offered.back());
        if (c.shown > 0 && c.shown < c.text.size()) {
            EXPECT_EQ('\n', c.text[c.shown - 1]);
        }
    }
}

}  // namespace
