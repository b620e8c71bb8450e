// The uninstaller copy, its Add/Remove Programs entry and the Start-menu shortcuts, as a start
// of the launcher leaves them in Wine's file system and registry.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "install/shortcuts.h"
#include "tests/support/files.h"
#include "tests/support/path_buffer.h"
#include "tests/support/registry_expect.h"
#include "tests/support/shortcuts.h"

namespace {

constexpr const char* kSourceBytes = "the uninstaller on the CD";

// The names of what the folder holds, "a b c", for failure messages and emptiness checks.
std::string folderContents(const std::string& folder) {
    std::string names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return "<no folder>";
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names += (names.empty() ? "" : " ") + name;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }
bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A Programs folder of exactly length characters, made on disk below the test's folder.
std::string deepFolder(const std::string& base, size_t length) {
    std::string folder = base;
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return "";
    while (folder.size() < length) {
        const size_t room = length - folder.size() - 1;
        folder += "\\" + std::string(room > 100 ? 100 : room, 'd');
        if (!CreateDirectoryA(folder.c_str(), nullptr)) return "";
    }
    return folder;
}

// Each test starts on a machine without the copy or its entry, with the CD's uninstaller,
// read-only, in regist\ beside this program (which stands in for the launcher), and with the
// shell's Programs folder moved to a folder of the test's own.
class StartMenuRegistration : public testing::Test {
protected:
    void SetUp() override {
        removeFile(copyPath_);
        ASSERT_TRUE(deleteRegTree(kUninstallEntry));
        ASSERT_TRUE(writeFile(sourcePath_, kSourceBytes));
        ASSERT_TRUE(SetFileAttributesA(sourcePath_.c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(CreateDirectoryA(programs_.c_str(), nullptr));
        ASSERT_TRUE(setRegString(kShellFolders, "Programs", programs_.c_str()));
    }

    void TearDown() override {
        removeFile(sourcePath_);
        RemoveDirectoryA(sourceFolder_.c_str());  // only when no other test left files in it
        removeFile(copyPath_);
        EXPECT_TRUE(deleteRegTree(kUninstallEntry));
    }

    std::string link(const char* name) const { return gameFolder() + "\\" + name + ".lnk"; }
    std::string gameFolder() const { return programs_ + "\\ORVANE\\QUARLOCK2"; }

    void expectCopyAndEntryAt(const char* file, int line) {
        const DWORD attributes = GetFileAttributesA(copyPath_.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            ADD_FAILURE_AT(file, line) << "no copy at " << copyPath_;
        } else if (attributes & FILE_ATTRIBUTE_READONLY) {
            ADD_FAILURE_AT(file, line) << "the copy kept the CD's read-only attribute";
        }
        if (readFileText(copyPath_) != kSourceBytes) ADD_FAILURE_AT(file, line) << "the copy is not the CD's file";
        expectRegValueCountAt(file, line, kUninstallEntry, 2);
        expectRegStringAt(file, line, kUninstallEntry, "DisplayName", "QUARLOCK2", 260);
        expectRegStringAt(file, line, kUninstallEntry, "UninstallString", copyPath_.c_str(), 260);
    }

    void expectBothShortcutsAt(const char* file, int line) {
        EXPECT_EQ(shortcutAt(link("QUARLOCK2")), launcherShortcut()) << "from line " << line << " of " << file;
        EXPECT_EQ(shortcutAt(link("Uninstall")), copyPath_ + " | " + windowsFolder() + " | (C)ORVANE")
            << "from line " << line << " of " << file;
    }
    // Registers without a Programs folder to put shortcuts in: the copy and entry are made all the
    // same, and no folder in the root of the current drive.
    void registerWithoutProgramsFolderAt(const char* file, int line) {
        testing::ScopedTrace caller(file, line, "registered here");
        registerShortcutsAndUninstaller();
        expectCopyAndEntryAt(file, line);
        EXPECT_EQ(folderContents(programs_), "");
        EXPECT_FALSE(exists("\\ORVANE")) << "folders made in the root of the current drive";
    }
    // Registers with a Programs folder of that length, made on disk; the game folder below it.
    std::string registerBelowProgramsOfLength(size_t length) {
        const std::string programs = deepFolder(testFolder_ / std::to_string(length), length);
        EXPECT_EQ(length, programs.size());
        EXPECT_TRUE(setRegString(kShellFolders, "Programs", programs.c_str()));
        registerShortcutsAndUninstaller();
        return programs + "\\ORVANE\\QUARLOCK2";
    }
    // This program stands in for the launcher on the hard disk.
    static std::string launcherShortcut() { return modulePath() + " | " + folderOf(modulePath()) + " | (C)ORVANE"; }

    const std::string sourceFolder_ = folderOf(modulePath()) + "\\regist";
    const std::string sourcePath_ = sourceFolder_ + "\\Qlk2_uninst.exe";
    const std::string copyPath_ = windowsFolder() + "\\Qlk2_uninst.exe";
    ScratchFolder testFolder_{"start-menu-test"};
    const std::string programs_ = testFolder_ / "Programs";
    SavedRegValue savedPrograms_{kShellFolders, "Programs"};
};
#define expectCopyAndEntry() expectCopyAndEntryAt(__FILE__, __LINE__)
#define expectBothShortcuts() expectBothShortcutsAt(__FILE__, __LINE__)
#define registerWithoutProgramsFolder() registerWithoutProgramsFolderAt(__FILE__, __LINE__)

TEST_F(StartMenuRegistration, FirstStartMakesTheCopyItsEntryAndBothShortcuts) {
    registerShortcutsAndUninstaller();

    expectCopyAndEntry();
    EXPECT_TRUE(GetFileAttributesA(sourcePath_.c_str()) & FILE_ATTRIBUTE_READONLY) << "the CD's file is left as it is";
    // The uninstaller must be able to remove its own copy.
    EXPECT_TRUE(DeleteFileA(copyPath_.c_str()));
    expectBothShortcuts();
    EXPECT_EQ(folderContents(gameFolder()), "QUARLOCK2.lnk Uninstall.lnk");
}

TEST_F(StartMenuRegistration, SecondStartLeavesCopyAndEntryAloneAndRewritesTheShortcuts) {
    registerShortcutsAndUninstaller();
    ASSERT_TRUE(writeFile(copyPath_, "the copy as the first start left it"));
    ASSERT_TRUE(setRegString(kUninstallEntry, "UninstallString", "C:\\elsewhere\\Qlk2_uninst.exe"));
    ASSERT_TRUE(deleteRegValue(kUninstallEntry, "DisplayName"));
    ASSERT_TRUE(writeFile(link("QUARLOCK2"), "not a shortcut"));
    ASSERT_TRUE(DeleteFileA(link("Uninstall").c_str()));

    registerShortcutsAndUninstaller();

    EXPECT_EQ(readFileText(copyPath_), "the copy as the first start left it");
    expectRegValueCount(kUninstallEntry, 1);
    expectRegString(kUninstallEntry, "UninstallString", "C:\\elsewhere\\Qlk2_uninst.exe", 0);
    expectBothShortcuts();
}

// An NT account without administrator rights may still set the entry's values.
TEST_F(StartMenuRegistration, TheEntryIsWrittenToAKeyThatRefusesOwnerAndAccessListChanges) {
    ASSERT_TRUE(setRegString(kUninstallEntry, "DisplayName", "an older entry"));
    KeyAccessList userAccess(kUninstallEntry, kUserSoftwareAccess);
    ASSERT_TRUE(userAccess.applied());
    registerShortcutsAndUninstaller();
    expectCopyAndEntry();
}

// Missing or empty: either way there is no Programs folder (an empty name would put the
// shortcuts in the root of the current drive).
TEST_F(StartMenuRegistration, WithoutTheProgramsValueCopyAndEntryAreMadeAndNoShortcut) {
    ASSERT_TRUE(deleteRegValue(kShellFolders, "Programs"));
    registerWithoutProgramsFolder();
}

TEST_F(StartMenuRegistration, WithAnEmptyProgramsValueCopyAndEntryAreMadeAndNoShortcut) {
    ASSERT_TRUE(setRegString(kShellFolders, "Programs", ""));
    registerWithoutProgramsFolder();
}

TEST_F(StartMenuRegistration, WithoutTheCdsUninstallerNoCopyNoEntryButBothShortcuts) {
    removeFile(sourcePath_);

    registerShortcutsAndUninstaller();

    EXPECT_FALSE(exists(copyPath_));
    EXPECT_FALSE(regKeyExists(kUninstallEntry));
    expectBothShortcuts();
}

// "\ORVANE\QUARLOCK2\QUARLOCK2.lnk" adds 31 characters to the Programs folder: with 228 the
// shortcuts are 259 characters long and fit, with 229 they do not and are left out whole,
// never saved under a cut-off name.
TEST_F(StartMenuRegistration, ShortcutsOf259CharactersAreMade) {
    const std::string folder = registerBelowProgramsOfLength(228);
    EXPECT_EQ(folderContents(folder), "QUARLOCK2.lnk Uninstall.lnk");
    EXPECT_EQ(shortcutAt(folder + "\\QUARLOCK2.lnk"), launcherShortcut());
}

TEST_F(StartMenuRegistration, ShortcutsTooLongForAPathAreLeftOut) {
    EXPECT_EQ(folderContents(registerBelowProgramsOfLength(229)), "") << "the folders fit, the shortcuts do not";
}

// The value goes into exactly the size the caller gives, and only a whole, non-empty name
// counts as read; the bytes after that size are never touched.
TEST(ProgramsFolder, OnlyAWholeNameIsRead) {
    constexpr DWORD kSize = 32;
    SavedRegValue saved(kShellFolders, "Programs");
    for (const StringValueCase& c : stringValueCases(kSize)) {
        ASSERT_TRUE(setRegValue(kShellFolders, "Programs", REG_SZ, c.data.data(), static_cast<DWORD>(c.data.size())));
        std::string buffer(kSize + 16, 'z');
        const int whole = c.result && !c.text.empty();
        EXPECT_EQ(whole, readProgramsFolder(&buffer[0], kSize)) << c.what;
        EXPECT_EQ(whole ? c.text : "", buffer.c_str()) << c.what;
        EXPECT_EQ(std::string(16, 'z'), buffer.substr(kSize)) << c.what;
    }
    ASSERT_TRUE(deleteRegValue(kShellFolders, "Programs"));
    char buffer[kSize] = "left over";
    EXPECT_EQ(0, readProgramsFolder(buffer, kSize)) << "missing";
    EXPECT_STREQ("", buffer);
}

// An NT account may have no right to change the shell's folder list; reading it is enough.
TEST(ProgramsFolder, IsReadFromAKeyThatGrantsOnlyReading) {
    SavedRegValue saved(kShellFolders, "Programs");
    ASSERT_TRUE(setRegString(kShellFolders, "Programs", "C:\\Start\\Programs"));
    KeyAccessList readOnly(kShellFolders, kReadOnlyAccess);  // goes first: the value is put back after
    ASSERT_TRUE(readOnly.applied());
    char folder[MAX_PATH] = "";
    EXPECT_EQ(1, readProgramsFolder(folder, MAX_PATH));
    EXPECT_STREQ("C:\\Start\\Programs", folder);
}

}  // namespace
