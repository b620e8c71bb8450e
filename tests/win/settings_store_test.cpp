// The settings store against Wine's registry: defaults, load, save and launch preparation.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "config/card_detection.h"
#include "settings/launcher_settings.h"
#include "settings/settings_store.h"
#include "tests/support/launcher_state.h"
#include "tests/support/path_buffer.h"
#include "tests/support/processes.h"
#include "tests/support/registry_expect.h"
#include "tests/support/window_driver.h"

namespace {

const RegPlace kCurrentVersion{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"};
constexpr BYTE kGarbage = 0xA5;

// Without a display no box can appear (MessageBoxA fails at once), and none is expected.
bool displayAvailable() { return !environmentValue("DISPLAY").empty(); }

// The machine's Program Files folder, or nothing when it has none, and the save folder below it.
std::string defaultSavePathText() {
    const RegValueCopy copy = copyRegValue(kCurrentVersion, "ProgramFilesDir");
    const char* folder = copy.present ? reinterpret_cast<const char*>(copy.data.data()) : "";
    return std::string(folder, strnlen(folder, copy.data.size())) + "\\" + kSaveFolderSuffix;
}

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(deleteRegTree(kSettingsKey));
        // Defaults must be set by the code, not inherited from a zeroed record.
        std::memset(&launcherSettings, kGarbage, sizeof launcherSettings);
        launcherSettings.savePath[kPathBufferSize - 1] = '\0';
        launcherSettings.installPath[kPathBufferSize - 1] = '\0';
    }
    void TearDown() override { EXPECT_TRUE(deleteRegTree(kSettingsKey)); }

    // The defaults, from whatever the record held before; driver 7: no card in the device list.
    static void expectDefaultsLoaded() {
        EXPECT_EQ(1, loadSettings(defaultDisplayDriver));
        EXPECT_EQ(0, loadPromptFlags());
        LauncherSettings defaults = {7, 0, "", 0x07970797, 9, 0.0f, 0.0f, 0, 0, 0, ""};
        std::snprintf(defaults.savePath, kPathBufferSize, "%s", defaultSavePathText().c_str());
        EXPECT_EQ(storedValues(defaults), storedValues(launcherSettings));
    }
    // Neither setup string is read; both buffers are left empty.
    static void expectSetupStringsMissing() {
        char path[kPathBufferSize] = "stale";
        EXPECT_EQ(0, readGameExecutablePath(path));
        EXPECT_STREQ("", path);
        EXPECT_EQ(0, readInstallPath());
        EXPECT_STREQ("", launcherSettings.installPath);
    }
    static void setBytes(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_TRUE(setRegValue(kSettingsKey, name, type, bytes.data(), static_cast<DWORD>(bytes.size())));
    }
};

TEST_F(SettingsStoreTest, EnsureSettingsKeyCreatesAnEmptyKeyAndKeepsAnExistingOne) {
    EXPECT_EQ(1, ensureSettingsKey());
    expectRegValueCount(kSettingsKey, 0u);

    ASSERT_TRUE(setRegDword(kSettingsKey, "Display Mode", 2));
    EXPECT_EQ(1, ensureSettingsKey());
    expectRegDword(kSettingsKey, "Display Mode", 2u);
}

// Loading writes nothing.
TEST_F(SettingsStoreTest, LoadWithoutTheKeyGivesTheDefaultsAndMakesNoKey) {
    expectDefaultsLoaded();
    EXPECT_FALSE(regKeyExists(kSettingsKey));
}

TEST_F(SettingsStoreTest, LoadFromAnEmptyKeyGivesTheDefaultsAndWritesNothing) {
    ensureSettingsKey();
    expectDefaultsLoaded();
    expectRegValueCount(kSettingsKey, 0u);
}

// Nor when the device list itself is missing, as on NT.
TEST_F(SettingsStoreTest, WithoutTheDeviceListTheDefaultDriverIsTheSoftwareOne) {
    DeviceListRemoved noDeviceList;
    ASSERT_TRUE(noDeviceList.removed());
    loadSettings(defaultDisplayDriver);
    EXPECT_EQ(7, launcherSettings.displayDriver);
}

TEST_F(SettingsStoreTest, DisplayDriverThatDoesNotFitRunsTheDetection) {
    DeviceKeys devices;
    ASSERT_TRUE(devices.add("QLK2DEV_A", "PCI\\VEN_10DE&DEV_0020&SUBSYS_00000000&REV_04"));
    const std::string eightBytes("\x05\0\0\0\0\0\0\0", 8);
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;  // empty: no value
        int32_t expected;
    } cases[] = {
        {"missing", REG_DWORD, "", 19},
        {"8-byte binary", REG_BINARY, eightBytes, 19},
        {"8-byte qword", REG_QWORD, eightBytes, 19},
        {"4-byte dword", REG_DWORD, std::string("\x05\0\0\0", 4), 5},
        {"4-byte binary, type not examined", REG_BINARY, std::string("\x0B\0\0\0", 4), 11},
        {"2-byte binary, zero-extended", REG_BINARY, std::string("\x0C\0", 2), 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        deleteRegTree(kSettingsKey);
        ensureSettingsKey();
        if (!c.bytes.empty()) setBytes("Display Driver", c.type, c.bytes);
        std::memset(&launcherSettings.displayDriver, kGarbage, sizeof launcherSettings.displayDriver);
        loadSettings(defaultDisplayDriver);
        EXPECT_EQ(c.expected, launcherSettings.displayDriver);
    }
}

TEST_F(SettingsStoreTest, LoadReadsEveryStoredValue) {
    const LauncherSettings stored = {22, 2, "D:\\Saves\\", 0x12345678, 10, 0.1f, -2.5f, 0xDEADBEEF, 7, 0xE, ""};
    ASSERT_TRUE(setRegString(kSettingsKey, "Save Path", stored.savePath));
    ASSERT_TRUE(setRegDwords(kSettingsKey, {{"Display Driver", 22}, {"Display Mode", 2}, {"Option", 0x12345678},
                                            {"Install Flag", 0x381}, {"DATA1", floatBits(stored.data1)},
                                            {"DATA2", floatBits(stored.data2)}, {"DATA3", 0xDEADBEEF}, {"DATA4", 7},
                                            {"OTHERS", 0xE}}));

    EXPECT_EQ(1, loadSettings(defaultDisplayDriver));
    EXPECT_EQ(1, loadPromptFlags());
    EXPECT_EQ(storedValues(stored), storedValues(launcherSettings));
}

TEST_F(SettingsStoreTest, SaveWritesEveryValueAsFourByteDwordsAndKeepsForeignInstallBits) {
    ASSERT_TRUE(setRegDword(kSettingsKey, "Install Flag", 0x12345781));
    // Sound setting 0, level 0 and mono, clears all three sound bits.
    launcherSettings = {17, 1, "C:\\Saves\\", 0x00010203, 0, 1.5f, 0.0f, 0xABCDEF01, 0, 0xF, ""};

    EXPECT_EQ(1, saveSettings());

    expectRegDwords(kSettingsKey, {{"Display Driver", 17}, {"Display Mode", 1}, {"Option", 0x00010203},
                                   {"Install Flag", 0x12345401}, {"DATA1", floatBits(1.5f)}, {"DATA2", 0},
                                   {"DATA3", 0xABCDEF01}, {"DATA4", 0}});
    expectRegValueCount(kSettingsKey, 8u);  // neither "Save Path" nor "OTHERS" nor "Launch"
}

TEST_F(SettingsStoreTest, SaveWithoutInstallFlagStoresOnlyTheSoundBits) {
    launcherSettings.soundSetting = 9;
    EXPECT_EQ(1, saveSettings());
    expectRegDword(kSettingsKey, "Install Flag", 0x300u);
}

TEST_F(SettingsStoreTest, SaveSavePathWritesTheWholeBufferAsString) {
    std::strcpy(launcherSettings.savePath, "C:\\Games\\Saves\\");
    EXPECT_EQ(1, saveSavePath());
    expectRegString(kSettingsKey, "Save Path", "C:\\Games\\Saves\\", 260u);
    expectRegValueCount(kSettingsKey, 1u);

    // A record text without its terminator is not written, nor read past: a cut-off path would
    // name another folder.
    std::memset(launcherSettings.savePath, 'p', kPathBufferSize);
    EXPECT_EQ(0, saveSavePath());
    expectRegString(kSettingsKey, "Save Path", "C:\\Games\\Saves\\", 260u);
}

// A value that is missing or does not fit is written: the record's, but "Option" and "Install
// Flag" the game's defaults.
TEST_F(SettingsStoreTest, PrepareLaunchWritesWhatIsMissingOrDoesNotFit) {
    launcherSettings = {19, 2, "E:\\Q2Saves\\", 0x1, 0, 0.0f, 0.0f, 0, 0, 0, ""};
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "values that do not fit" : "no values");
        deleteRegTree(kSettingsKey);
        if (present) {
            setBytes("Save Path", REG_SZ, std::string(260, 's'));
            for (const char* name : {"Install Flag", "Display Driver", "Display Mode", "Option"})
                setBytes(name, REG_BINARY, std::string("\x05\0\0\0\0\0\0\0", 8));
        }

        EXPECT_EQ(1, prepareLaunchValues());

        expectRegString(kSettingsKey, "Save Path", "E:\\Q2Saves\\", 260u);
        expectRegDwords(kSettingsKey, {{"Install Flag", 0x300}, {"Display Driver", 19}, {"Display Mode", 2},
                                       {"Option", 0x07970797}, {"Launch", 1}});
        expectRegValueCount(kSettingsKey, 6u);
    }
}

TEST_F(SettingsStoreTest, PrepareLaunchLeavesPresentValuesAndSetsLaunch) {
    ASSERT_TRUE(setRegString(kSettingsKey, "Save Path", "F:\\Old\\"));
    ASSERT_TRUE(setRegDwords(kSettingsKey, {{"Install Flag", 0x5}, {"Display Driver", 1}, {"Display Mode", 0},
                                            {"Option", 0x42}, {"Launch", 0}}));
    launcherSettings = {19, 2, "E:\\New\\", 0x1, 0, 0.0f, 0.0f, 0, 0, 0, ""};

    EXPECT_EQ(1, prepareLaunchValues());

    expectRegString(kSettingsKey, "Save Path", "F:\\Old\\", 8u);
    expectRegDwords(kSettingsKey, {{"Install Flag", 0x5}, {"Display Driver", 1}, {"Display Mode", 0}, {"Option", 0x42},
                                   {"Launch", 1}});
    expectRegValueCount(kSettingsKey, 6u);
}

TEST_F(SettingsStoreTest, PromptFlagsRoundTripAndClearWhenMissing) {
    EXPECT_EQ(0, loadPromptFlags());  // no key
    EXPECT_EQ(0u, launcherSettings.promptFlags);

    ensureSettingsKey();
    launcherSettings.promptFlags = 0xFFFFFFFF;
    EXPECT_EQ(0, loadPromptFlags());  // key without "OTHERS"
    EXPECT_EQ(0u, launcherSettings.promptFlags);

    deleteRegTree(kSettingsKey);
    launcherSettings.promptFlags = kPromptReadmeShown | kPromptIndeoOffered;
    EXPECT_EQ(1, savePromptFlags());  // creates the key
    expectRegDword(kSettingsKey, "OTHERS", 0x5u);

    launcherSettings.promptFlags = 0;
    EXPECT_EQ(1, loadPromptFlags());
    EXPECT_EQ(0x5u, launcherSettings.promptFlags);
}

TEST_F(SettingsStoreTest, SetupStringsAreReadWithinTheirBuffer) {
    for (const StringValueCase& c : stringValueCases(kPathBufferSize)) {
        SCOPED_TRACE(c.what);
        setBytes("Execute_Mirel", REG_SZ, c.data);
        setBytes("Install Path", REG_SZ, c.data);

        // The buffer under test sits between two guards, so a read that runs past it shows.
        std::string guarded(16 + kPathBufferSize + 16, 'G');
        char* path = &guarded[16];
        EXPECT_EQ(c.result, readGameExecutablePath(path));
        EXPECT_EQ(std::string(32, 'G'), guarded.substr(0, 16) + guarded.substr(16 + kPathBufferSize)) << "guards";
        ASSERT_TRUE(std::memchr(path, '\0', kPathBufferSize));
        EXPECT_EQ(c.text, path);

        std::memset(launcherSettings.installPath, 'G', kPathBufferSize);
        EXPECT_EQ(c.result, readInstallPath());
        ASSERT_TRUE(std::memchr(launcherSettings.installPath, '\0', kPathBufferSize));
        EXPECT_EQ(c.text, launcherSettings.installPath);
    }
}

TEST_F(SettingsStoreTest, SetupStringsMissingWithoutTheKey) { expectSetupStringsMissing(); }

TEST_F(SettingsStoreTest, SetupStringsMissingFromAnEmptyKey) {
    ensureSettingsKey();
    expectSetupStringsMissing();
}

// An NT account without administrator rights may only read the machine's keys: what the
// launcher only reads, it still finds there.
TEST_F(SettingsStoreTest, ValuesAreReadFromAKeyThatGrantsOnlyReading) {
    ASSERT_TRUE(setRegString(kSettingsKey, "Install Path", "C:\\Games\\Q2"));
    ASSERT_TRUE(setRegString(kSettingsKey, "Execute_Mirel", "C:\\Games\\Q2\\regist\\MirelP.exe"));
    ASSERT_TRUE(setRegDwords(kSettingsKey, {{"Display Driver", 19}, {"Install Flag", 0x381}}));
    KeyAccessList readOnly(kSettingsKey, kReadOnlyAccess);
    ASSERT_TRUE(readOnly.applied());

    char path[kPathBufferSize] = "";
    EXPECT_EQ(1, readGameExecutablePath(path));
    EXPECT_STREQ("C:\\Games\\Q2\\regist\\MirelP.exe", path);
    EXPECT_EQ(1, readInstallPath());
    EXPECT_STREQ("C:\\Games\\Q2", launcherSettings.installPath);
    loadSettings(defaultDisplayDriver);
    EXPECT_EQ(19, launcherSettings.displayDriver) << "read, not detected";
    EXPECT_EQ(10u, launcherSettings.soundSetting);
    launcherSettings.soundSetting = 0;
    EXPECT_EQ(0x001ul, composeInstallFlag()) << "the stored bits it keeps were read";
}

// Under HKEY_LOCAL_MACHINE\Software such an account may still query, set and create, and every
// write of the launcher asks for no more.
TEST_F(SettingsStoreTest, ValuesAreWrittenToAKeyThatRefusesOwnerAndAccessListChanges) {
    ASSERT_TRUE(setRegDword(kSettingsKey, "OTHERS", 1));
    KeyAccessList userAccess(kSettingsKey, kUserSoftwareAccess);
    ASSERT_TRUE(userAccess.applied());
    RegistryKey key;
    ASSERT_NE(ERROR_SUCCESS, key.open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_ALL_ACCESS)) << "Wine grants all";

    launcherSettings.promptFlags = 3;
    EXPECT_EQ(1, ensureSettingsKey());
    EXPECT_EQ(1, saveSettings());
    EXPECT_EQ(1, saveSavePath());
    EXPECT_EQ(1, savePromptFlags());
    EXPECT_EQ(1, prepareLaunchValues());
    expectRegDwords(kSettingsKey, {{"OTHERS", 3}, {"Launch", 1}});
}

TEST_F(SettingsStoreTest, UnterminatedSavePathCountsAsMissing) {
    setBytes("Save Path", REG_SZ, std::string(260, 'x'));
    loadSettings(defaultDisplayDriver);
    EXPECT_EQ(defaultSavePathText(), launcherSettings.savePath);
}

TEST_F(SettingsStoreTest, LongProgramFilesDirNeverOverflowsTheSavePath) {
    SavedRegValue restore(kCurrentVersion, "ProgramFilesDir");
    // 227 characters leave the default save path exactly at its limit of 245.
    const std::string longest = "C:\\" + std::string(224, 'L');
    ASSERT_TRUE(setRegString(kCurrentVersion, "ProgramFilesDir", longest.c_str()));
    loadSettings(defaultDisplayDriver);
    EXPECT_EQ(longest + "\\" + kSaveFolderSuffix, launcherSettings.savePath);
    EXPECT_EQ(static_cast<size_t>(kSavePathMaxLength), std::strlen(launcherSettings.savePath));

    for (const size_t length : {228u, 300u, 70000u}) {
        SCOPED_TRACE(length);
        const std::string tooLong = "C:\\" + std::string(length - 3, 'L');
        ASSERT_TRUE(setRegString(kCurrentVersion, "ProgramFilesDir", tooLong.c_str()));
        std::memset(launcherSettings.savePath, kGarbage, kPathBufferSize);
        std::strcpy(launcherSettings.installPath, "sentinel");
        MessageBoxWatch boxes;
        loadSettings(defaultDisplayDriver);
        const std::vector<AnsweredBox> shown = boxes.stop();
        if (displayAvailable()) {
            ASSERT_EQ(1u, shown.size());
            expectBox(shown[0], "Reg Query Error. ProgramFilesDir", "Error", nullptr);
        }
        // The failure leaves only the save folder, as when the value cannot be read at all.
        EXPECT_STREQ(kSaveFolderSuffix, launcherSettings.savePath);
        EXPECT_STREQ("sentinel", launcherSettings.installPath);
    }
}

TEST_F(SettingsStoreTest, MissingProgramFilesDirIsReportedAndLeavesTheBuffer) {
    SavedRegValue restore(kCurrentVersion, "ProgramFilesDir");
    ASSERT_TRUE(deleteRegValue(kCurrentVersion, "ProgramFilesDir"));
    char path[kPathBufferSize] = "unchanged";
    MessageBoxWatch boxes;
    EXPECT_EQ(0, defaultSavePath(path));
    const std::vector<AnsweredBox> shown = boxes.stop();
    EXPECT_STREQ("unchanged", path);
    if (!displayAvailable()) GTEST_SKIP() << "no display: the message box is not checked";
    ASSERT_EQ(1u, shown.size());
    expectBox(shown[0], "Reg Query Error. ProgramFilesDir", "Error", nullptr);
}

}  // namespace
