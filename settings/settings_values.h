// The values of the settings key: for each, its name, the record field it holds, its kind, its
// default and the operations that write it; loading, saving and the launch preparation walk
// this table. No Win32 here.
#pragma once

#include <cstdint>

#include "settings/launcher_settings.h"

enum class ValueKind : uint8_t {
    Dword,      // REG_DWORD of 4 bytes: the field's bits
    Text,       // REG_SZ of kPathBufferSize bytes: the field's text
    SoundBits,  // REG_DWORD "Install Flag": the field is soundSetting, held in its bits 0x380
};

// Where a value that cannot be read at load gets its default from.
enum class DefaultFrom : uint8_t {
    Constant,            // defaultValue
    DetectedCard,        // the card detection that loadSettings is given
    ProgramFilesFolder,  // defaultSavePath, then kSaveFolderSuffix even when that failed
};

// The operations that write a value; loading writes none.
constexpr uint8_t kSavedOnOk = 0x1;          // saveSettings, from the record
constexpr uint8_t kEnsuredFromRecord = 0x2;  // prepareLaunchValues, from the record, when unreadable
constexpr uint8_t kEnsuredAsDefault = 0x4;   // prepareLaunchValues, defaultValue, when unreadable

struct SettingsValue {
    const char* name;
    uint16_t field;  // the offset of its field in LauncherSettings
    ValueKind kind;
    DefaultFrom defaultFrom;
    uint8_t writes;
    uint32_t defaultValue;  // as stored; 0 where the default comes from elsewhere
};

// The rows, in the order loadSettings reads them; saveSettings writes the kSavedOnOk rows in the
// same order, and stops at the first write that fails.
enum SettingsValueIndex : uint8_t {
    kDisplayDriverValue,
    kDisplayModeValue,
    kSavePathValue,
    kOptionValue,
    kInstallFlagValue,
    kData1Value,
    kData2Value,
    kData3Value,
    kData4Value,
    kSettingsValueCount
};
extern const SettingsValue kSettingsValues[kSettingsValueCount];

// The rows prepareLaunchValues makes sure of, in its order; it stops at the first write that fails.
constexpr int kLaunchPreparationCount = 5;
extern const uint8_t kLaunchPreparationOrder[kLaunchPreparationCount];

// The field of settings that a row is read into and written from.
inline void* settingsField(LauncherSettings& settings, const SettingsValue& value) {
    return reinterpret_cast<char*>(&settings) + value.field;
}

// The key's other values: the one-time prompts given, the mark of a game start, and the two
// that only setup writes.
constexpr const char* kPromptFlagsValueName = "OTHERS";
constexpr const char* kLaunchValueName = "Launch";
constexpr const char* kInstallPathValueName = "Install Path";
constexpr const char* kGameExecutableValueName = "Execute_Mirel";
