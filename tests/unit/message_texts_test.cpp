// The numbered messages and the readme's text block size.
#include "common/message_texts.h"
#include "launcher/readme_rules.h"

#include <cstdint>

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

}  // namespace
