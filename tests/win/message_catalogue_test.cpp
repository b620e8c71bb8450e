// The numbered messages as the user sees them: text, caption, button, icon and owner.
#include <windows.h>

#include <cstdint>

#include <gtest/gtest.h>

#include "common/message_catalogue.h"
#include "common/message_texts.h"
#include "tests/support/window_driver.h"

namespace {

class MessageCatalogueTest : public testing::Test {
protected:
    void TearDown() override { messageOwner = nullptr; }

    // Shows the message of that code and answers its box.
    static AnsweredBox show(uint32_t code) {
        auto box = answerNextMessageBox(IDOK);
        showMessage(code);
        return box.get();
    }
};

TEST_F(MessageCatalogueTest, ShowsTheTextInAPlainBoxWithTheGameCaption) {
    for (uint32_t code : {kMsgCannotCreateFolder, kMsgPathTooLong, kMsgNoCdromSetupStops, kMsgForbiddenPathCharacters,
                          kMsgNotEnoughRoom, kMsgForbiddenNameCharacters, kMsgRestartWindows}) {
        SCOPED_TRACE(code);
        const AnsweredBox box = show(code);
        expectBox(box, messageText(code), kGameTitle, nullptr);
        EXPECT_FALSE(box.hasIcon);
    }
}

TEST_F(MessageCatalogueTest, CodesWithoutTextShowNothingAndReturnAtOnce) {
    for (uint32_t code : {16u, 19u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(code);
        MessageBoxWatch watch;
        DWORD start = GetTickCount();
        showMessage(code);
        DWORD elapsed = GetTickCount() - start;
        EXPECT_TRUE(watch.stop().empty());
        EXPECT_LT(elapsed, 200u);
    }
}

TEST_F(MessageCatalogueTest, TheBoxIsOwnedByMessageOwnerOnceItIsSet) {
    TestWindow owner(true);
    ASSERT_NE(nullptr, owner.get());
    messageOwner = owner;

    AnsweredBox box = show(4);
    expectBox(box, messageText(kMsgGeneralError), kGameTitle, owner.get());
    EXPECT_FALSE(box.ownerEnabled);  // modal to its owner while it is up
    EXPECT_TRUE(IsWindowEnabled(owner));

    // Without an owner the box disables no window.
    messageOwner = nullptr;
    auto answered = whenWindowAppears("#32770", "QUARLOCK2", [&](HWND shown) {
        EXPECT_EQ(nullptr, GetWindow(shown, GW_OWNER));
        EXPECT_TRUE(IsWindowEnabled(owner)) << "while the box is up";
        clickButton(shown, IDOK);
    });
    showMessage(4);
    EXPECT_TRUE(answered.get());
}

}  // namespace
