// The save folder chooser and the new-folder name dialog against Wine's file system, tree
// view and dialog manager, on folder trees the tests build under C:\foldertest.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/message_texts.h"
#include "common/module_instance.h"
#include "drives/drive_survey.h"
#include "resources/resource_ids.h"
#include "savefolder/folder_operations.h"
#include "savefolder/folder_tree.h"
#include "savefolder/new_folder_dialog.h"
#include "savefolder/save_folder_dialog.h"
#include "settings/launcher_settings.h"
#include "tests/support/files.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

const std::string kRoot = "C:\\foldertest";
const std::string kTooLong = messageText(kMsgPathTooLong);

HTREEITEM relative(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string itemText(HWND tree, HTREEITEM item) {
    char text[260] = "";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

// The path of an item below the root ("foldertest\Keep\"), "" for the root.
std::string pathOf(HWND tree, HTREEITEM item) {
    std::string path;
    for (; item && relative(tree, item, TVGN_PARENT); item = relative(tree, item, TVGN_PARENT))
        path = itemText(tree, item) + "\\" + path;
    return path;
}

// Every item's path below the root that starts with prefix, in tree order.
void collect(HWND tree, HTREEITEM item, const std::string& prefix, std::vector<std::string>& paths) {
    for (HTREEITEM c = relative(tree, item, TVGN_CHILD); c; c = relative(tree, c, TVGN_NEXT)) {
        if (pathOf(tree, c).compare(0, prefix.size(), prefix) == 0) paths.push_back(pathOf(tree, c));
        collect(tree, c, prefix, paths);
    }
}

struct Chooser {
    HWND dialog, tree;
    std::string edit() const { return dialogItemText(dialog, IDC_FOLDER_PATH); }
    std::string root() const { return itemText(tree, relative(tree, nullptr, TVGN_ROOT)); }
    std::string selected() const { return pathOf(tree, relative(tree, nullptr, TVGN_CARET)); }
    int drive() const { return comboSelection(dialog, IDC_FOLDER_DRIVES); }
    std::vector<std::string> below(const std::string& prefix) const {
        std::vector<std::string> paths;
        collect(tree, relative(tree, nullptr, TVGN_ROOT), prefix, paths);
        return paths;
    }
};

class SaveFolderTest : public testing::Test {
protected:
    void SetUp() override {
        appInstance = GetModuleHandleA(nullptr);
        savedDrives_ = driveTable;
        useFixedDrives({"C:"});
        ASSERT_TRUE(CreateDirectoryA(kRoot.c_str(), nullptr));
        deleteRegValue(kSettingsKey, "Save Path");
    }
    void TearDown() override {
        removeFolderTree(kRoot);
        EXPECT_FALSE(isFolder(kRoot));
        driveTable = savedDrives_;
    }

    static void useFixedDrives(std::initializer_list<const char*> names) {
        std::memset(driveTable.fixedDrives, 0, sizeof driveTable.fixedDrives);
        int index = 0;
        for (const char* name : names) std::strcpy(driveTable.fixedDrives[index++].name, name);
    }
    // A folder below the test root with its parents; the attributes go on the last one.
    static void makeFolder(const std::string& relativePath, DWORD attributes = 0) {
        for (size_t end = 0; end != std::string::npos;) {
            end = relativePath.find('\\', end + 1);
            CreateDirectoryA((kRoot + "\\" + relativePath.substr(0, end)).c_str(), nullptr);
        }
        const std::string path = kRoot + "\\" + relativePath;
        ASSERT_TRUE(isFolder(path) && (!attributes || SetFileAttributesA(path.c_str(), attributes))) << path;
    }
    // Opens the chooser on savePath with drive working it from a helper thread.
    static int runChooser(const std::string& savePath, const std::function<void(const Chooser&)>& drive) {
        std::strcpy(launcherSettings.savePath, savePath.c_str());
        auto driver = whenDialogAppears(IDC_FOLDER_TREE, [&](HWND dialog) {
            drive({dialog, GetDlgItem(dialog, IDC_FOLDER_TREE)});
        });
        const int result = chooseSaveFolder(nullptr);
        EXPECT_TRUE(driver.get()) << "the chooser did not show";
        return result;
    }
    // Runs the name dialog under parent with drive working it.
    static INT_PTR runNameDialog(const std::string& parent, const std::function<void(HWND)>& drive) {
        std::strcpy(launcherSettings.savePath, parent.c_str());
        auto driver = whenDialogAppears(IDC_NEW_FOLDER_PROMPT, drive);
        const INT_PTR result = runNewFolderNameDialog(nullptr, launcherSettings.savePath);
        EXPECT_TRUE(driver.get()) << "the name dialog did not show";
        return result;
    }

private:
    DriveTable savedDrives_ = {};
    SavedRegValue savedRegistryPath_{kSettingsKey, "Save Path"};
};

// Hidden, system and recycle folders at any depth, files, and folders whose listing would not
// fit a path buffer never show; a link to a folder shows, but not what lies below it (this one
// leads back to the test root). The deepest existing folder of the stored path is selected,
// and the edit box shows its path as the file system spells it; Cancel puts the path back.
TEST_F(SaveFolderTest, TreeShowsVisibleFoldersAndSelectsTheDeepestExistingOne) {
    makeFolder("Keep\\Inner\\rEcYcLeD");
    FolderLink loop(kRoot + "\\Keep\\Loop", kRoot);
    ASSERT_TRUE(loop.made());
    makeFolder("Keep\\Recycled");
    makeFolder("Keep\\Hidden", FILE_ATTRIBUTE_HIDDEN);
    makeFolder("Keep\\Inner\\System", FILE_ATTRIBUTE_SYSTEM);
    makeFolder("Keep\\Inner\\System\\Below");
    makeFolder("RECYCLED\\Below");
    CloseHandle(CreateFileA((kRoot + "\\Keep\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    // Below C:\foldertest\L\ the folder of 37 is 256 characters with its backslash and its
    // listing 259; its sibling of 38 and its child do not fit.
    const std::string deep = "L\\" + std::string(100, 'a') + "\\" + std::string(100, 'b') + "\\";
    makeFolder(deep + std::string(37, 'c') + "\\e");
    makeFolder(deep + std::string(38, 'd'));

    const std::string stored = "c:\\FOLDERTEST\\keep\\inner\\Gone\\Missing\\";
    EXPECT_EQ(0, runChooser(stored, [&](const Chooser& chooser) {
        EXPECT_EQ("QUARLOCK2", windowText(chooser.dialog));
        EXPECT_EQ("C:\\", chooser.root());
        EXPECT_EQ("foldertest\\Keep\\Inner\\", chooser.selected());
        EXPECT_EQ("C:\\foldertest\\Keep\\Inner\\", chooser.edit());
        const std::string l = "foldertest\\L\\", a = l + std::string(100, 'a') + "\\";
        const std::string b = a + std::string(100, 'b') + "\\";
        std::vector<std::string> shown = chooser.below("foldertest\\");
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ((std::vector<std::string>{"foldertest\\", "foldertest\\Keep\\", "foldertest\\Keep\\Inner\\",
                                            "foldertest\\Keep\\Loop\\", l, a, b, b + std::string(37, 'c') + "\\"}),
                  shown);
    }));
    EXPECT_EQ(stored, launcherSettings.savePath);
    expectRegMissing(kSettingsKey, "Save Path");
}

INT_PTR CALLBACK quietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Reading and adding stop once the tree holds its limit (the root counts): the folders read first
// stay, in the tree's depth-first order.
TEST_F(SaveFolderTest, TheFillStopsWhenTheTreeHoldsItsLimit) {
    makeFolder("A\\A1\\A11");
    makeFolder("A\\A2");
    makeFolder("B\\B1");
    const std::vector<std::string> all = {"A\\", "A\\A1\\", "A\\A1\\A11\\", "A\\A2\\", "B\\", "B\\B1\\"};
    HWND dialog = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_SAVE_FOLDER), nullptr, quietDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    const Chooser chooser = {dialog, GetDlgItem(dialog, IDC_FOLDER_TREE)};
    for (unsigned limit : {1u, 4u, 6u, 7u, 100u}) {
        SendMessageA(chooser.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        fillFolderTree((kRoot + "\\").c_str(), insertTreeItem(chooser.tree, TVI_ROOT, kRoot.c_str()), chooser.tree, limit);
        const size_t added = std::min<size_t>(limit - 1, all.size());
        EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + added), chooser.below("")) << limit;
    }
    DestroyWindow(dialog);
}

// The search goes by containment: Program, listed before Program Files, wins for a path below
// Program Files; OK stores the path the edit box shows.
TEST_F(SaveFolderTest, ProgramIsChosenBeforeProgramFilesAndOkStoresIt) {
    makeFolder("Program");
    makeFolder("Program Files\\ORVANE");
    EXPECT_EQ(0, runChooser(kRoot + "\\Program Files\\ORVANE\\QUARLOCK2\\", [&](const Chooser& chooser) {
        ASSERT_EQ((std::vector<std::string>{"foldertest\\Program\\", "foldertest\\Program Files\\",
                                            "foldertest\\Program Files\\ORVANE\\"}),
                  chooser.below("foldertest\\P"))
            << "listing order";
        EXPECT_EQ(kRoot + "\\Program\\", chooser.edit());
        pressButton(chooser.dialog, IDOK);
    }));
    expectRegString(kSettingsKey, "Save Path", (kRoot + "\\Program\\").c_str(), kPathBufferSize);
}

// The drive list keeps the drive last used from one opening to the next unless the stored
// path names a fixed disk; a path on another drive is shown, and OK refuses it silently.
TEST_F(SaveFolderTest, DriveChoiceCancelAndTheNextOpeningsDrive) {
    useFixedDrives({"C:", "D:"});
    const std::string stored = kRoot + "\\";
    runChooser(stored, [&](const Chooser& chooser) {
        EXPECT_EQ(0, chooser.drive());
        chooseComboEntry(chooser.dialog, IDC_FOLDER_DRIVES, 1);
        EXPECT_EQ("D:\\", chooser.root());
        EXPECT_EQ(nullptr, relative(chooser.tree, relative(chooser.tree, nullptr, TVGN_ROOT), TVGN_NEXT));
        EXPECT_EQ("", chooser.selected());
        EXPECT_EQ("D:\\", chooser.edit());
        EXPECT_STREQ("D:\\", launcherSettings.savePath);
    });
    EXPECT_EQ(stored, launcherSettings.savePath);

    runChooser("N:\\Saves\\", [&](const Chooser& chooser) {
        EXPECT_EQ(1, chooser.drive());
        EXPECT_EQ("D:\\", chooser.root());
        EXPECT_EQ("N:\\Saves\\", chooser.edit());
        MessageBoxWatch watch;
        setEditText(chooser.dialog, IDC_FOLDER_PATH, "N:\\Other\\");
        pressButton(chooser.dialog, IDOK);
        EXPECT_TRUE(watch.stop().empty());
        EXPECT_EQ("N:\\Saves\\", chooser.edit());
    });
    EXPECT_STREQ("N:\\Saves\\", launcherSettings.savePath);
    expectRegMissing(kSettingsKey, "Save Path");

    runChooser(stored, [&](const Chooser& chooser) { EXPECT_EQ(0, chooser.drive()); });
}

// The system's tree control selects another item when the selected one is deleted, and tells
// the dialog; this one is made to do so before the whole tree goes.
WNDPROC treeProcedure = nullptr;
LRESULT CALLBACK selectingBeforeDeletion(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TVM_DELETEITEM && reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT) {
        HTREEITEM other = relative(tree, relative(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
        if (other) CallWindowProcA(treeProcedure, tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(other));
    }
    return CallWindowProcA(treeProcedure, tree, message, wParam, lParam);
}

// Choosing the drive already shown reads it again and makes its root the path, whatever the
// tree tells the dialog while the old items go.
TEST_F(SaveFolderTest, ChoosingTheShownDriveAgainRebuildsTheTreeFromItsRoot) {
    makeFolder("Keep\\Inner");
    runChooser(kRoot + "\\Keep\\Inner\\", [&](const Chooser& chooser) {
        ASSERT_EQ("foldertest\\Keep\\Inner\\", chooser.selected());
        makeFolder("Keep\\Added");  // shows only when the drive is read again
        treeProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            chooser.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(selectingBeforeDeletion)));
        chooseComboEntry(chooser.dialog, IDC_FOLDER_DRIVES, 0);
        SetWindowLongPtrA(chooser.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProcedure));

        EXPECT_EQ("C:\\", chooser.root());
        EXPECT_EQ("", chooser.selected());
        std::vector<std::string> shown = chooser.below("foldertest\\K");
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ((std::vector<std::string>{"foldertest\\Keep\\", "foldertest\\Keep\\Added\\",
                                            "foldertest\\Keep\\Inner\\"}),
                  shown);
        EXPECT_EQ("C:\\", chooser.edit());
        EXPECT_STREQ("C:\\", launcherSettings.savePath);
    });
}

// A box from making folders belongs to the title window, not to the chooser: meanwhile the
// chooser takes no command, so a drive picked then changes neither the tree nor the path.
TEST_F(SaveFolderTest, NoCommandIsTakenWhileFoldersAreMade) {
    useFixedDrives({"C:", "D:"});
    CloseHandle(CreateFileA((kRoot + "\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string typed = kRoot + "\\file\\sub\\";
    const std::string cannotCreate = messageText(kMsgCannotCreateFolder);
    std::vector<std::string> boxes;
    EXPECT_EQ(0, runChooser(kRoot + "\\", [&](const Chooser& chooser) {
        setEditText(chooser.dialog, IDC_FOLDER_PATH, typed.c_str());
        EXPECT_EQ("Ok to create " + typed + " folder?", pressAndAnswer(chooser.dialog, IDOK).text);
        HWND box = waitForMessageBox(GetCurrentProcessId(), 5000);
        ASSERT_TRUE(box);
        EXPECT_EQ(cannotCreate, messageBoxText(box));
        chooseComboEntry(chooser.dialog, IDC_FOLDER_DRIVES, 1);
        EXPECT_EQ(typed, launcherSettings.savePath);
        EXPECT_EQ("C:\\", chooser.root());
        clickButton(box, IDOK);
        waitUntilGone(box);
        for (AnsweredBox next; (next = answerNextMessageBox(IDOK, 2000).get()).seen;) boxes.push_back(next.text);
    }));
    EXPECT_EQ((std::vector<std::string>{cannotCreate, messageText(kMsgGeneralError)}), boxes);
}

// Typed paths keep their letters as typed. "C:Name" names a folder in the current folder of
// C: and is taken by OK, which asks, makes and stores it, but New Folder refuses it silently.
// A forbidden character is told.
TEST_F(SaveFolderTest, TypedPathsAsTheUserTypesThem) {
    makeFolder("games");
    const std::string folder = currentFolder();
    SetCurrentDirectoryA(kRoot.c_str());
    EXPECT_EQ(0, runChooser(kRoot + "\\", [&](const Chooser& chooser) {
        MessageBoxWatch none;
        setEditText(chooser.dialog, IDC_FOLDER_PATH, "C:Relative");
        pressButton(chooser.dialog, IDC_FOLDER_NEW);
        EXPECT_TRUE(none.stop().empty());
        EXPECT_EQ(kRoot + "\\", chooser.edit());

        setEditText(chooser.dialog, IDC_FOLDER_PATH, "C:\\A;B\\");
        AnsweredBox forbidden = pressAndAnswer(chooser.dialog, IDOK);
        EXPECT_EQ(messageText(kMsgForbiddenPathCharacters), forbidden.text);
        EXPECT_EQ("QUARLOCK2", forbidden.caption);
        EXPECT_EQ(kRoot + "\\", chooser.edit());

        setEditText(chooser.dialog, IDC_FOLDER_PATH, "C:Relative");
        EXPECT_EQ("Ok to create C:Relative\\ folder?", pressAndAnswer(chooser.dialog, IDOK).text);
    }));
    EXPECT_TRUE(isFolder(kRoot + "\\Relative"));
    expectRegString(kSettingsKey, "Save Path", "C:Relative\\", kPathBufferSize);

    EXPECT_EQ(0, runChooser(kRoot + "\\", [&](const Chooser& chooser) {
        setEditText(chooser.dialog, IDC_FOLDER_PATH, "c:\\foldertest\\games");
        pressButton(chooser.dialog, IDOK);
    }));
    expectRegString(kSettingsKey, "Save Path", "c:\\foldertest\\games\\", kPathBufferSize);
    SetCurrentDirectoryA(folder.c_str());
}

TEST_F(SaveFolderTest, CreateFolderPathMakesMissingLevelsFromTheTop) {
    makeFolder("A");
    MessageBoxWatch watch;
    const std::string path = kRoot + "\\A\\B\\C\\";
    EXPECT_FALSE(folderExists(path.c_str()));
    EXPECT_TRUE(createFolderPath(path.c_str()));
    EXPECT_TRUE(folderExists(path.c_str()));
    EXPECT_TRUE(createFolderPath(path.c_str())) << "an existing path";
    EXPECT_TRUE(watch.stop().empty());
}

// OK on a missing folder asks first, and Cancel makes nothing. The length is judged after the
// folders are made, except for a path too long to be listed at all.
TEST_F(SaveFolderTest, OkAsksBeforeMakingAndLimitsTheLengthAfterwards) {
    const std::string opened = kRoot + "\\", base = opened + std::string(100, 'L') + "\\";
    const std::string path246 = base + std::string(130, 'x') + "\\", path245 = base + std::string(129, 'y') + "\\";
    const std::string path258 = opened + std::string(243, 'z') + "\\";
    EXPECT_EQ(0, runChooser(opened, [&](const Chooser& chooser) {
        setEditText(chooser.dialog, IDC_FOLDER_PATH, (kRoot + "\\NotMade").c_str());
        AnsweredBox question = pressAndAnswer(chooser.dialog, IDOK, IDCANCEL);
        EXPECT_EQ("Ok to create " + kRoot + "\\NotMade\\ folder?", question.text);
        EXPECT_EQ(chooser.dialog, question.owner);
        EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), question.buttons);
        EXPECT_FALSE(isFolder(kRoot + "\\NotMade"));
        EXPECT_EQ(opened, chooser.edit());

        setEditText(chooser.dialog, IDC_FOLDER_PATH, path258.c_str());
        EXPECT_EQ(kTooLong, pressAndAnswer(chooser.dialog, IDOK).text) << "asked nothing";
        EXPECT_FALSE(isFolder(path258));

        setEditText(chooser.dialog, IDC_FOLDER_PATH, path246.c_str());
        auto question246 = answerNextMessageBox(IDOK);
        clickButton(chooser.dialog, IDOK);
        EXPECT_EQ("Ok to create " + path246 + " folder?", question246.get().text);
        EXPECT_EQ(kTooLong, answerNextMessageBox(IDOK).get().text);
        SendMessageA(chooser.dialog, WM_NULL, 0, 0);
        EXPECT_TRUE(isFolder(path246));
        EXPECT_EQ(opened, chooser.edit());

        setEditText(chooser.dialog, IDC_FOLDER_PATH, path245.substr(0, 244).c_str());
        EXPECT_EQ("Ok to create " + path245 + " folder?", pressAndAnswer(chooser.dialog, IDOK).text);
    }));
    EXPECT_TRUE(isFolder(path245));
    expectRegString(kSettingsKey, "Save Path", path245.c_str(), kPathBufferSize);
}

// New Folder makes the folder under the typed path, but puts its item under the selected one.
TEST_F(SaveFolderTest, NewFolderUnderATypedPathThatIsNotTheSelectedItem) {
    makeFolder("Keep");
    runChooser(kRoot + "\\Keep\\", [&](const Chooser& chooser) {
        setEditText(chooser.dialog, IDC_FOLDER_PATH, (kRoot + "\\Typed").c_str());
        std::string prompt;
        auto names = whenDialogAppears(IDC_NEW_FOLDER_PROMPT, [&](HWND names) {
            prompt = dialogItemText(names, IDC_NEW_FOLDER_PROMPT);
            setEditText(names, IDC_NEW_FOLDER_NAME, "Fresh");
            pressButton(names, IDOK);
        });
        EXPECT_EQ("Ok to create " + kRoot + "\\Typed\\ folder?", pressAndAnswer(chooser.dialog, IDC_FOLDER_NEW).text);
        EXPECT_TRUE(names.get());
        SendMessageA(chooser.dialog, WM_NULL, 0, 0);
        EXPECT_EQ("Enter folder name to be created under " + kRoot + "\\Typed\\ folder.", prompt);
        EXPECT_TRUE(isFolder(kRoot + "\\Typed\\Fresh"));
        EXPECT_EQ("foldertest\\Keep\\Fresh\\", chooser.selected());
        EXPECT_EQ(kRoot + "\\Keep\\Fresh\\", chooser.edit());
    });
    EXPECT_FALSE(isFolder(kRoot + "\\Keep\\Fresh"));
}

TEST_F(SaveFolderTest, NameDialogRefusesBadNamesAndKeepsTheLimit) {
    makeFolder("Keep");
    const std::string parent = kRoot + "\\", parent240 = parent + std::string(225, 'q') + "\\";
    makeFolder(std::string(225, 'q'));
    const std::string forbidden = messageText(kMsgForbiddenNameCharacters);
    const struct {
        const std::string& parent;
        std::string name, box;
        INT_PTR result;
    } cases[] = {
        {parent, "", "", 1},
        {parent, "a/b", forbidden, 1},
        {parent, "a\\b", forbidden, 1},
        {parent, "Keep", messageText(kMsgFolderMayExist), 1},
        {parent240, "abcde", "", 0},
    };
    for (const auto& c : cases) {
        MessageBoxWatch watch;
        EXPECT_EQ(c.result, runNameDialog(c.parent, [&](HWND names) {
            setEditText(names, IDC_NEW_FOLDER_NAME, c.name.c_str());
            pressButton(names, IDOK);
            // Closed by OK itself: what is left open is cancelled, with the same result.
            EXPECT_TRUE(waitUntilGone(names, 5000)) << c.name;
        })) << c.name;
        std::vector<AnsweredBox> boxes = watch.stop();
        EXPECT_EQ(c.box, boxes.empty() ? "" : boxes[0].text) << c.name;
        EXPECT_EQ(c.result == 0 ? c.parent + c.name : c.parent, launcherSettings.savePath);
        if (c.result == 0) {
            EXPECT_TRUE(isFolder(c.parent + c.name));
        }
    }

    // One character more, or a name longer than any buffer: told, and asked again.
    EXPECT_EQ(1, runNameDialog(parent240, [&](HWND names) {
        for (const std::string& name : {std::string("abcdef"), std::string(300, 'n')}) {
            setEditText(names, IDC_NEW_FOLDER_NAME, name.c_str());
            AnsweredBox box = pressAndAnswer(names, IDOK);
            EXPECT_EQ("The folder name is too long.", box.text);
            EXPECT_EQ(names, box.owner);
            EXPECT_TRUE(IsWindowVisible(names));
            EXPECT_EQ("", dialogItemText(names, IDC_NEW_FOLDER_NAME));
            EXPECT_EQ("Enter folder name to be created under " + parent240 + " folder.",
                      dialogItemText(names, IDC_NEW_FOLDER_PROMPT));
        }
    }));
    EXPECT_FALSE(isFolder(parent240 + "abcdef"));
}

}  // namespace
