// What the launcher shows before its title screen, driven by the prompt flags ("OTHERS"):
// the readme once per machine, then the notice about the runtime components, and what it
// records in its settings key.
#include "tests/support/launcher_e2e.h"

namespace {

struct PromptCase {
    const char* name;
    std::optional<DWORD> flags;  // nothing: the settings key does not exist
    bool readmePresent;
    bool showsReadme;
    bool showsNotice;
    std::optional<DWORD> flagsAfter;  // nothing: no "OTHERS" value afterwards
};

std::ostream& operator<<(std::ostream& out, const PromptCase& c) { return out << c.name; }

const PromptCase kPromptCases[] = {
    // First start: the key is created and the readme is the one thing recorded.
    {"FirstStart", std::nullopt, true, true, true, 1u},
    {"FirstStartWithoutReadme", std::nullopt, false, false, true, std::nullopt},
    {"NothingShownYet", 0u, true, true, true, 1u},
    {"ReadmeShownBefore", 1u, true, false, true, 1u},
    {"ReadmeMissingStaysUnshown", 0u, false, false, true, 0u},
    // 14: every component offer made, so only the readme is left.
    {"AllOffersMade", 14u, true, true, false, 15u},
    {"AllOffersMadeWithoutReadme", 14u, false, false, false, 14u},
    {"EverythingDone", 15u, true, false, false, 15u},
    // The flags are compared as a signed number: all bits set reads as -1, below 14.
    {"AllBitsSet", 0xFFFFFFFFu, true, false, true, 0xFFFFFFFFu},
};

class StartupPrompts : public LauncherTest, public testing::WithParamInterface<PromptCase> {
protected:
    // Each prompt comes while the title window is still hidden, and belongs to it.
    void expectTitleStillHidden(const char* prompt) {
        HWND title = titleWindowOf();
        EXPECT_TRUE(title && !IsWindowVisible(title)) << "the title window shows before the " << prompt;
    }

    void closeReadme() {
        HWND viewer = waitForDialog(launcher_.id(), IDC_README_TEXT);
        ASSERT_TRUE(viewer) << "the readme did not come; the launcher shows " << describeWindows(launcher_.id());
        expectTitleStillHidden("readme");
        EXPECT_EQ(GetWindow(viewer, GW_OWNER), titleWindowOf()) << "the readme belongs to the title window";
        EXPECT_EQ(windowText(viewer), kGameTitle);
        EXPECT_EQ(controlText(GetDlgItem(viewer, IDC_README_TEXT)), readFileText("D:\\readme.txt"));
        answer(viewer, IDOK);
    }

    void closeNotice() {
        HWND box = nextBox(kRequirementsNotice, {IDOK});
        expectTitleStillHidden("notice");
        EXPECT_FALSE(box && messageBoxShowsIcon(box)) << "the notice has no icon";
        answer(box, IDOK);
    }
};

TEST_P(StartupPrompts, ComeInOrderBeforeTheTitleScreen) {
    const PromptCase& c = GetParam();
    if (c.flags) setPromptFlags(*c.flags);
    LauncherOptions options;
    if (!c.readmePresent) options.directory = folderWithoutReadme();
    ASSERT_TRUE(startLauncher(options));

    if (c.showsReadme) closeReadme();
    if (c.showsNotice) closeNotice();
    ASSERT_TRUE(waitForTitle());

    // What the prompts recorded is in place once the title screen shows.
    ASSERT_TRUE(regKeyExists(kSettingsKey));
    expectRegValueCount(kSettingsKey, c.flagsAfter ? 1 : 0);
    if (c.flagsAfter) expectRegDword(kSettingsKey, "OTHERS", *c.flagsAfter);
}

INSTANTIATE_TEST_SUITE_P(Flags, StartupPrompts, testing::ValuesIn(kPromptCases), testing::PrintToStringParamName());

}  // namespace
