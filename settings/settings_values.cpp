// The values of the settings key, as the game reads them.
#include "settings/settings_values.h"

#include <cstddef>

const SettingsValue kSettingsValues[kSettingsValueCount] = {
    {"Display Driver", offsetof(LauncherSettings, displayDriver), ValueKind::Dword, DefaultFrom::DetectedCard,
     kSavedOnOk | kEnsuredFromRecord, 0},
    {"Display Mode", offsetof(LauncherSettings, displayMode), ValueKind::Dword, DefaultFrom::Constant,
     kSavedOnOk | kEnsuredFromRecord, 0},
    {"Save Path", offsetof(LauncherSettings, savePath), ValueKind::Text, DefaultFrom::ProgramFilesFolder,
     kEnsuredFromRecord, 0},
    // A missing "Option" is completed with the game's default, not the record's bits.
    {"Option", offsetof(LauncherSettings, optionBits), ValueKind::Dword, DefaultFrom::Constant,
     kSavedOnOk | kEnsuredAsDefault, kDefaultOptionBits},
    {"Install Flag", offsetof(LauncherSettings, soundSetting), ValueKind::SoundBits, DefaultFrom::Constant,
     kSavedOnOk | kEnsuredAsDefault, kDefaultInstallFlag},
    {"DATA1", offsetof(LauncherSettings, data1), ValueKind::Dword, DefaultFrom::Constant, kSavedOnOk, 0},
    {"DATA2", offsetof(LauncherSettings, data2), ValueKind::Dword, DefaultFrom::Constant, kSavedOnOk, 0},
    {"DATA3", offsetof(LauncherSettings, data3), ValueKind::Dword, DefaultFrom::Constant, kSavedOnOk, 0},
    {"DATA4", offsetof(LauncherSettings, data4), ValueKind::Dword, DefaultFrom::Constant, kSavedOnOk, 0},
};

const uint8_t kLaunchPreparationOrder[kLaunchPreparationCount] = {kSavePathValue, kInstallFlagValue,
                                                              kDisplayDriverValue, kDisplayModeValue, kOptionValue};
