// The settings record and the window-free rules of its registry values.
#include "settings/launcher_settings.h"

#include <cstring>

#include "common/string_functions.h"

LauncherSettings launcherSettings;

uint32_t soundSettingFromInstallFlag(uint32_t installFlag) {
    uint32_t sound = 0;
    switch (installFlag & kInstallFlagLevelBits) {
        case kInstallFlagLevel1: sound = 1; break;
        case kInstallFlagLevel2: sound = 2; break;
        default: break;  // 0x000 and 0x080 alone are both level 0
    }
    if (installFlag & kInstallFlagStereo) sound += kSoundStereo;
    return sound;
}

uint32_t mergeSoundIntoInstallFlag(uint32_t storedInstallFlag, uint32_t soundSetting) {
    uint32_t flag = storedInstallFlag & ~(kInstallFlagLevelBits | kInstallFlagStereo);
    switch (soundSetting & kSoundLevelMask) {
        case 1: flag |= kInstallFlagLevel1; break;
        case 2: flag |= kInstallFlagLevel2; break;
        default: break;
    }
    if (soundSetting & kSoundStereo) flag |= kInstallFlagStereo;
    return flag;
}

int composeProgramFilesFolder(const char* programFilesDir, char* path) {
    const size_t length = std::strlen(programFilesDir);
    if (length + 1 + std::strlen(kSaveFolderSuffix) > static_cast<size_t>(kSavePathMaxLength)) return 0;
    std::memcpy(path, programFilesDir, length);
    path[length] = '\\';
    path[length + 1] = '\0';
    return 1;
}

int appendSaveFolderSuffix(char* path) {
    const size_t length = boundedTextLength(path, kPathBufferSize);
    const size_t suffixLength = std::strlen(kSaveFolderSuffix);
    if (length + suffixLength >= static_cast<size_t>(kPathBufferSize)) return 0;
    std::memcpy(path + length, kSaveFolderSuffix, suffixLength + 1);
    return 1;
}
