// The one settings record of the run and the layout of its registry values.
#pragma once

#include <cstdint>

#include "common/path_buffer.h"
// The longest save path the launcher hands the game; the folder chooser enforces the same.
constexpr int kSavePathMaxLength = 245;

struct LauncherSettings {
    int32_t displayDriver;
    uint32_t displayMode;
    char savePath[kPathBufferSize];
    uint32_t optionBits;
    uint32_t soundSetting;
    float data1;
    float data2;
    uint32_t data3;
    uint32_t data4;
    uint32_t promptFlags;
    char installPath[kPathBufferSize];
};

extern LauncherSettings launcherSettings;

constexpr const char* kSettingsKeyPath = "Software\\ORVANE\\QUARLOCK2";
constexpr const char* kSaveFolderSuffix = "ORVANE\\QUARLOCK2\\";

constexpr uint32_t kDefaultOptionBits = 0x07970797;
constexpr uint32_t kDefaultInstallFlag = 0x300;

// "OTHERS": the one-time prompts already given.
constexpr uint32_t kPromptReadmeShown = 0x1;
constexpr uint32_t kPromptDirectXOffered = 0x2;
constexpr uint32_t kPromptIndeoOffered = 0x4;
constexpr uint32_t kPromptDirectXMediaOffered = 0x8;
constexpr int32_t kAllComponentsOffered = 14;

// soundSetting: bits 0-1 the quality level 0, 1 or 2; 8 marks stereo.
constexpr uint32_t kSoundStereo = 8;
constexpr uint32_t kSoundLevelMask = 3;

// "Install Flag": the launcher owns only the sound bits, every other bit passes through.
constexpr uint32_t kInstallFlagLevelBits = 0x180;
constexpr uint32_t kInstallFlagLevel1 = 0x100;
constexpr uint32_t kInstallFlagLevel2 = 0x180;
constexpr uint32_t kInstallFlagStereo = 0x200;

uint32_t soundSettingFromInstallFlag(uint32_t installFlag);
uint32_t mergeSoundIntoInstallFlag(uint32_t storedInstallFlag, uint32_t soundSetting);

// Writes programFilesDir and one backslash into path (kPathBufferSize characters) when the
// default save path built on them, kSaveFolderSuffix included, stays within
// kSavePathMaxLength; otherwise leaves path as it was and returns 0.
int composeProgramFilesFolder(const char* programFilesDir, char* path);
// Appends kSaveFolderSuffix to the text in path when the result fits the buffer.
int appendSaveFolderSuffix(char* path);
