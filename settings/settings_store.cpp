// Loads and saves the settings record under HKEY_LOCAL_MACHINE\Software\ORVANE\QUARLOCK2.
#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

#include "common/message_catalogue.h"
#include "common/registry_access.h"
#include "settings/launcher_settings.h"
#include "settings/settings_values.h"

namespace {

constexpr const char* kCurrentVersionPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProgramFilesValueName = "ProgramFilesDir";
constexpr DWORD kProgramFilesBufferSize = 65535;

LONG openSettingsKeyToRead(RegistryKey& key) { return openKeyToRead(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath); }

LONG createSettingsKey(RegistryKey& key) { return createKeyToWrite(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath); }

// Reads the value as it is stored into destination: a text of kPathBufferSize bytes, or 4 bytes.
int readStored(HKEY key, const SettingsValue& value, void* destination) {
    if (value.kind == ValueKind::Text) {
        return readStringValue(key, value.name, static_cast<char*>(destination), kPathBufferSize);
    }
    return readDwordValue(key, value.name, destination);
}

void loadValue(HKEY key, const SettingsValue& value, int32_t (*fallbackDisplayDriver)()) {
    void* field = settingsField(launcherSettings, value);
    // "Install Flag" is read into a temporary, of which the record keeps the sound setting.
    uint32_t installFlag = 0;
    void* destination = value.kind == ValueKind::SoundBits ? &installFlag : field;
    if (!readStored(key, value, destination)) {
        switch (value.defaultFrom) {
            case DefaultFrom::Constant:
                std::memcpy(destination, &value.defaultValue, sizeof value.defaultValue);
                break;
            case DefaultFrom::DetectedCard:
                *static_cast<int32_t*>(destination) = fallbackDisplayDriver();
                break;
            case DefaultFrom::ProgramFilesFolder:
                // Without the Program Files folder, the save folder alone.
                defaultSavePath(static_cast<char*>(destination));
                appendSaveFolderSuffix(static_cast<char*>(destination));
                break;
        }
    }
    if (value.kind == ValueKind::SoundBits) *static_cast<uint32_t*>(field) = soundSettingFromInstallFlag(installFlag);
}

// Writes the value from the record: the field's bits or text, "Install Flag" composed.
int writeFromRecord(HKEY key, const SettingsValue& value) {
    const void* field = settingsField(launcherSettings, value);
    if (value.kind == ValueKind::Text) return writeStringValue(key, value.name, static_cast<const char*>(field));
    DWORD bits = 0;
    if (value.kind == ValueKind::SoundBits) {
        bits = composeInstallFlag();
    } else {
        std::memcpy(&bits, field, sizeof bits);
    }
    return writeDwordValue(key, value.name, bits);
}

// Writes the value only when it cannot be read; an existing value is left as it is.
int ensureValue(HKEY key, const SettingsValue& value) {
    char existing[kPathBufferSize];
    if (readStored(key, value, existing)) return 1;
    if (value.writes & kEnsuredAsDefault) return writeDwordValue(key, value.name, value.defaultValue);
    return writeFromRecord(key, value);
}

}  // namespace

int ensureSettingsKey() {
    RegistryKey key;
    if (openKeyToWrite(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath) != ERROR_SUCCESS) createSettingsKey(key);
    return 1;
}

int loadSettings(int32_t (*fallbackDisplayDriver)()) {
    RegistryKey key;
    // When the key cannot be opened every read fails and every field takes its default.
    openSettingsKeyToRead(key);
    for (const SettingsValue& value : kSettingsValues) loadValue(key.get(), value, fallbackDisplayDriver);
    return 1;
}

int saveSettings() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    // Stops at the first write that fails; the ones before it stay.
    for (const SettingsValue& value : kSettingsValues) {
        if ((value.writes & kSavedOnOk) && !writeFromRecord(key.get(), value)) return 0;
    }
    return 1;
}

int saveSavePath() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeFromRecord(key.get(), kSettingsValues[kSavePathValue]);
}

int prepareLaunchValues() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    for (const uint8_t index : kLaunchPreparationOrder) {
        if (!ensureValue(key.get(), kSettingsValues[index])) return 0;
    }
    return writeDwordValue(key.get(), kLaunchValueName, 1);
}

int loadPromptFlags() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    if (readDwordValue(key.get(), kPromptFlagsValueName, &launcherSettings.promptFlags)) return 1;
    launcherSettings.promptFlags = 0;
    return 0;
}

int savePromptFlags() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeDwordValue(key.get(), kPromptFlagsValueName, launcherSettings.promptFlags);
}

int readInstallPath() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    return readStringValue(key.get(), kInstallPathValueName, launcherSettings.installPath, kPathBufferSize);
}

int readGameExecutablePath(char* path) {
    if (!path) return 0;
    RegistryKey key;
    openSettingsKeyToRead(key);
    return readStringValue(key.get(), kGameExecutableValueName, path, kPathBufferSize);
}

unsigned long composeInstallFlag() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    uint32_t stored = 0;
    readDwordValue(key.get(), kSettingsValues[kInstallFlagValue].name, &stored);  // missing: no bits to keep
    return mergeSoundIntoInstallFlag(stored, launcherSettings.soundSetting);
}

int defaultSavePath(char* path) {
    RegistryKey key;
    if (openKeyToRead(key, HKEY_LOCAL_MACHINE, kCurrentVersionPath) != ERROR_SUCCESS) {
        showBox(nullptr, kProgramFilesOpenError, MB_OK, kSystemCaption);
        return 0;
    }
    // A folder too long to leave room for the save folder within the save path's limit is
    // as unusable as one that cannot be read.
    GlobalBlock block(kProgramFilesBufferSize + 1);
    char* folder = static_cast<char*>(block.data());
    if (!folder || !readStringValueOfUpTo(key.get(), kProgramFilesValueName, folder, kProgramFilesBufferSize) ||
        !composeProgramFilesFolder(folder, path)) {
        showBox(nullptr, kProgramFilesQueryError, MB_OK, kSystemCaption);
        return 0;
    }
    return 1;
}
