// SAVE GAME FOLDER from the title screen: a folder chosen in the tree, OK, and the path
// stored and shown under the item.
#include "tests/support/launcher_e2e.h"

#include <iterator>

namespace {

const std::string kFolders = "C:\\foldertest";

const char* const kLevels[] = {"", "\\E2E", "\\E2E\\Saves", "\\E2E\\Saves\\Slot1"};

// The whole window, caption included, saved as a screenshot when they are asked for.
void saveWindowShot(HWND window, const char* fileName) {
    if (environmentValue("E2E_SCREENSHOT_DIR").empty()) return;
    // A dialog that has just shown paints once its thread has gone through its queue.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    Sleep(300);
    RECT area = {};
    GetWindowRect(window, &area);
    saveScreenshot(ScreenPixels(area), fileName);
}

// The folders the test chooses from: made before the launcher starts, removed after it.
class SaveFolderE2E : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        for (const char* level : kLevels) CreateDirectoryA((kFolders + level).c_str(), nullptr);
    }
    void TearDown() override {
        LauncherTest::TearDown();
        for (size_t level = std::size(kLevels); level-- > 0;) RemoveDirectoryA((kFolders + kLevels[level]).c_str());
    }
};

TEST_F(SaveFolderE2E, FolderChosenInTheTreeIsStoredAndShownUnderTheItem) {
    ASSERT_TRUE(setRegString(kSettingsKey, "Save Path", (kFolders + "\\E2E\\Saves\\Gone\\").c_str()));
    ASSERT_TRUE(startAtTitleScreen());
    postClick(title_, 400, 290);
    HWND chooser = waitForDialog(launcher_.id(), IDC_FOLDER_TREE);
    ASSERT_TRUE(chooser) << describeWindows(launcher_.id());
    EXPECT_EQ(kGameTitle, windowText(chooser));
    EXPECT_EQ(kFolders + "\\E2E\\Saves\\", dialogItemText(chooser, IDC_FOLDER_PATH)) << "the deepest existing folder";
    saveWindowShot(chooser, "save_folder_chooser.bmp");

    // The name dialog over the chooser, looked at and cancelled.
    clickButton(chooser, IDC_FOLDER_NEW);
    HWND names = waitForDialog(launcher_.id(), IDC_NEW_FOLDER_PROMPT);
    ASSERT_TRUE(names) << describeWindows(launcher_.id());
    saveWindowShot(names, "new_folder_name.bmp");
    clickButton(names, IDCANCEL);
    EXPECT_TRUE(waitUntilGone(names));

    // Down in the tree selects the first folder inside the one the chooser opened.
    HWND tree = GetDlgItem(chooser, IDC_FOLDER_TREE);
    PostMessageA(tree, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(tree, WM_KEYUP, VK_DOWN, 0xC0000001);
    const std::string chosen = kFolders + "\\E2E\\Saves\\Slot1\\";
    EXPECT_TRUE(waitUntil([&] { return dialogItemText(chooser, IDC_FOLDER_PATH) == chosen; }))
        << dialogItemText(chooser, IDC_FOLDER_PATH);
    clickButton(chooser, IDOK);
    ASSERT_TRUE(waitUntilGone(chooser));
    expectRegString(kSettingsKey, "Save Path", chosen.c_str(), 260);

    const MenuTextLine line = menuLineOf(MenuTextKind::SavePath);
    const int left = savePathTextX(measureMenuText(chosen).extent);
    const TitleShot shot = waitForTextAt(title_, line, chosen, left);
    saveScreenshot(shot, "save_folder_title.bmp");
    EXPECT_TRUE(textAt(shot, line, chosen, left));
    expectStillRunning();
}

}  // namespace
