// The numbered messages as the user sees them: text, caption, button, icon and owner.
#include <windows.h>

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "common/message_catalogue.h"
#include "tests/support/window_driver.h"

namespace {

class MessageCatalogueTest : public testing::Test {
protected:
    void TearDown() override {
        messageOwner = nullptr;
        if (owner_) DestroyWindow(owner_);
    }

    HWND makeOwner() {
        owner_ = CreateWindowExA(0, "STATIC", "message owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return owner_;
    }

    // Shows the message of that code and answers its box.
    static AnsweredBox show(uint32_t code) {
        auto box = answerNextMessageBox(IDOK);
        showMessage(code);
        return box.get();
    }

private:
    HWND owner_ = nullptr;
};

TEST_F(MessageCatalogueTest, ShowsTheTextInAPlainBoxWithTheGameCaption) {
    const struct {
        uint32_t code;
        const char* text;
    } cases[] = {
        {0, "Unable to create the folder. Please reboot and try again."},
        {5, "The PATH is too long. It must be within 245 characters."},
        {8, "Cannot find a CD-ROM drive.\nSetup discontinues."},
        {12, "Cannot create folder as specified. \n, : * ; ? \" < > | / are not valid characters."},
        {15, "There is not enough free room to install QUARLOCK2 on the hard drive you have selected."},
        {17, "Cannot create folder as specified. \n, : * ; ? \" < > | / \\ are not valid characters."},
        {18, "Push OK button to restart Windows."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        AnsweredBox box = show(c.code);
        ASSERT_TRUE(box.seen);
        EXPECT_EQ(c.text, box.text);
        EXPECT_EQ("QUARLOCK2", box.caption);
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
        EXPECT_FALSE(box.hasIcon);
        EXPECT_EQ(nullptr, box.owner);
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
    HWND owner = makeOwner();
    ASSERT_NE(nullptr, owner);
    messageOwner = owner;

    AnsweredBox box = show(4);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ("There was an Error. Please reboot and try again.", box.text);
    EXPECT_EQ(owner, box.owner);
    EXPECT_FALSE(box.ownerEnabled);  // modal to its owner while it is up
    EXPECT_TRUE(IsWindowEnabled(owner));

    // Without an owner the box disables no window.
    messageOwner = nullptr;
    HWND boxOwner = owner;
    bool ownerEnabledDuringBox = false;
    auto answered = whenWindowAppears("#32770", "QUARLOCK2", [&](HWND shown) {
        boxOwner = GetWindow(shown, GW_OWNER);
        ownerEnabledDuringBox = IsWindowEnabled(owner);
        clickButton(shown, IDOK);
    });
    showMessage(4);
    ASSERT_TRUE(answered.get());
    EXPECT_EQ(nullptr, boxOwner);
    EXPECT_TRUE(ownerEnabledDuringBox);
}

}  // namespace
