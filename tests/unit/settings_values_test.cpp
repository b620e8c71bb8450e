// The settings record's window-free rules: the table of its registry values, the sound bits of
// "Install Flag" and the bounds of the default save path.
#include "settings/settings_values.h"

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/path_buffer.h"

namespace {

// The settings key as the game reads it, in loading's order: each value's name, record field, kind,
// default and the operations that write it; then the orders of saving and of the launch preparation.
TEST(SettingsValues, TheTableIsTheKeysLayout) {
    LauncherSettings s;
    const auto row = [&s](const SettingsValue& v) {
        return std::make_tuple(std::string(v.name), settingsField(s, v), v.kind, v.defaultFrom, v.defaultValue,
                               +v.writes);
    };
    const int savedAndEnsured = kSavedOnOk | kEnsuredFromRecord, savedOrDefault = kSavedOnOk | kEnsuredAsDefault;
    // A row left out here stays empty, and fails.
    const decltype(row(kSettingsValues[0])) expected[kSettingsValueCount] = {
        {"Display Driver", &s.displayDriver, ValueKind::Dword, DefaultFrom::DetectedCard, 0, savedAndEnsured},
        {"Display Mode", &s.displayMode, ValueKind::Dword, DefaultFrom::Constant, 0, savedAndEnsured},
        {"Save Path", s.savePath, ValueKind::Text, DefaultFrom::ProgramFilesFolder, 0, kEnsuredFromRecord},
        {"Option", &s.optionBits, ValueKind::Dword, DefaultFrom::Constant, 0x07970797, savedOrDefault},
        {"Install Flag", &s.soundSetting, ValueKind::SoundBits, DefaultFrom::Constant, 768, savedOrDefault},
        {"DATA1", &s.data1, ValueKind::Dword, DefaultFrom::Constant, 0, kSavedOnOk},
        {"DATA2", &s.data2, ValueKind::Dword, DefaultFrom::Constant, 0, kSavedOnOk},
        {"DATA3", &s.data3, ValueKind::Dword, DefaultFrom::Constant, 0, kSavedOnOk},
        {"DATA4", &s.data4, ValueKind::Dword, DefaultFrom::Constant, 0, kSavedOnOk},
    };
    using Names = std::vector<std::string>;
    Names saved, ensured;
    for (int i = 0; i < kSettingsValueCount; ++i) {
        EXPECT_EQ(expected[i], row(kSettingsValues[i]));
        if (kSettingsValues[i].writes & kSavedOnOk) saved.push_back(kSettingsValues[i].name);
    }
    for (const uint8_t index : kLaunchPreparationOrder) ensured.push_back(kSettingsValues[index].name);
    EXPECT_EQ(saved,
              (Names{"Display Driver", "Display Mode", "Option", "Install Flag", "DATA1", "DATA2", "DATA3", "DATA4"}));
    EXPECT_EQ(ensured, (Names{"Save Path", "Install Flag", "Display Driver", "Display Mode", "Option"}));
}

TEST(InstallFlag, LoadsAsSoundSetting) {
    const struct {
        uint32_t installFlag;
        uint32_t soundSetting;
    } cases[] = {
        {0x000, 0},  {0x080, 0},  {0x100, 1},  {0x180, 2},        {0x200, 8},
        {0x280, 8},  {0x300, 9},  {0x380, 10}, {0x381, 10},       {0xFFFFFC7F, 0},
        {0xFFFFFFFF, 10}, {0x17F, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.soundSetting, soundSettingFromInstallFlag(c.installFlag))
            << std::hex << "install flag 0x" << c.installFlag;
    }
}

TEST(InstallFlag, SavingReplacesOnlyTheSoundBits) {
    const struct {
        uint32_t stored;
        uint32_t soundSetting;
        uint32_t expected;
    } cases[] = {
        {0x381, 0, 0x001},      // level 0 mono over level 2 stereo
        {0x000, 9, 0x300},      // level 1 stereo over nothing
        {0x000, 10, 0x380},     {0x000, 2, 0x180},     {0x000, 8, 0x200},
        {0x080, 0, 0x000},      // the lone 0x080 of level 0 is not kept
        {0x080, 1, 0x100},      {0xFFFFFFFF, 1, 0xFFFFFD7F},
        {0x12345400, 10, 0x12345780},
        {0x000, 3, 0x000},      // no such level: no level bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, mergeSoundIntoInstallFlag(c.stored, c.soundSetting))
            << std::hex << "stored 0x" << c.stored << ", sound " << std::dec << c.soundSetting;
    }
}

TEST(InstallFlag, EverySoundSettingSurvivesARoundTrip) {
    for (const uint32_t stored : {0x0u, 0x381u, 0xFFFFFFFFu, 0xA5A5A5A5u}) {
        for (const uint32_t sound : {0u, 1u, 2u, 8u, 9u, 10u}) {
            const uint32_t flag = mergeSoundIntoInstallFlag(stored, sound);
            EXPECT_EQ(sound, soundSettingFromInstallFlag(flag)) << std::hex << stored << " " << sound;
            EXPECT_EQ(stored & ~0x380u, flag & ~0x380u);
        }
    }
}

TEST(DefaultSavePath, ProgramFilesFolderMustLeaveRoomForTheSaveFolder) {
    const size_t suffix = std::strlen(kSaveFolderSuffix);
    const size_t longest = kSavePathMaxLength - 1 - suffix;  // 227
    const struct {
        std::string folder;
        int result;
    } cases[] = {
        {"C:\\Program Files", 1},
        {"", 1},
        {std::string(longest, 'p'), 1},
        {std::string(longest + 1, 'p'), 0},
        {std::string(300, 'p'), 0},
        {std::string(65534, 'p'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.size());
        auto path = pathBuffer("before");
        ASSERT_EQ(c.result, composeProgramFilesFolder(c.folder.c_str(), path.get()));
        if (!c.result) {
            EXPECT_STREQ("before", path.get());
            continue;
        }
        EXPECT_EQ(c.folder + "\\", path.get());
        ASSERT_EQ(1, appendSaveFolderSuffix(path.get()));
        EXPECT_EQ(c.folder + "\\" + kSaveFolderSuffix, path.get());
        EXPECT_LE(std::strlen(path.get()), static_cast<size_t>(kSavePathMaxLength));
    }
}

TEST(DefaultSavePath, SuffixIsAppendedOnlyWhenItFits) {
    const size_t suffix = std::strlen(kSaveFolderSuffix);
    const struct {
        std::string start;
        int result;
    } cases[] = {
        {"", 1},  // the folder could not be found: the save folder alone
        {std::string(kPathBufferSize - 1 - suffix, 'q'), 1},
        {std::string(kPathBufferSize - suffix, 'q'), 0},
        {std::string(kPathBufferSize - 1, 'q'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start.size());
        auto path = pathBuffer(c.start);
        EXPECT_EQ(c.result, appendSaveFolderSuffix(path.get()));
        EXPECT_EQ(c.result ? c.start + kSaveFolderSuffix : c.start, path.get());
    }

    std::vector<char> unterminated(kPathBufferSize, 'u');
    EXPECT_EQ(0, appendSaveFolderSuffix(unterminated.data()));
}

}  // namespace
