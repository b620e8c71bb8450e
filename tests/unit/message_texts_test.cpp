// The numbered messages and the readme's text block size.
#include "common/message_texts.h"
#include "launcher/readme_rules.h"

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

namespace {

TEST(MessageTexts, CodesWithoutTextShowNothing) {
    EXPECT_EQ(messageText(kMsgNone), nullptr);
    EXPECT_EQ(messageText(19), nullptr);
    EXPECT_EQ(messageText(UINT32_MAX), nullptr);
    for (uint32_t code = 0; code <= 18; ++code) {
        if (code == kMsgNone) continue;
        EXPECT_NE(messageText(code), nullptr) << code;
    }
}

TEST(MessageTexts, ForbiddenCharacterListsDifferOnlyInTheBackslash) {
    EXPECT_STREQ(messageText(kMsgForbiddenPathCharacters),
                 "Cannot create folder as specified. \n, : * ; ? \" < > | / are not valid characters.");
    EXPECT_STREQ(messageText(kMsgForbiddenNameCharacters),
                 "Cannot create folder as specified. \n, : * ; ? \" < > | / \\ are not valid characters.");
}

TEST(MessageTexts, MultiLineAndPlainTexts) {
    EXPECT_STREQ(messageText(kMsgNoCdromSetupStops), "Cannot find a CD-ROM drive.\nSetup discontinues.");
    EXPECT_STREQ(messageText(kMsgGeneralError), "There was an Error. Please reboot and try again.");
    EXPECT_STREQ(messageText(kMsgPathTooLong), "The PATH is too long. It must be within 245 characters.");
    EXPECT_STREQ(messageText(kMsgRestartWindows), "Push OK button to restart Windows.");
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
