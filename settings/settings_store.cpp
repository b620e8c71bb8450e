// Loads and saves the settings record under HKEY_LOCAL_MACHINE\Software\ORVANE\QUARLOCK2.
#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

#include "common/registry_access.h"
#include "settings/launcher_settings.h"

namespace {

constexpr const char* kCurrentVersionPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProgramFilesValueName = "ProgramFilesDir";
constexpr DWORD kProgramFilesBufferSize = 65535;

LONG openSettingsKeyToRead(RegistryKey& key) { return openKeyToRead(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath); }

LONG createSettingsKey(RegistryKey& key) { return createKeyToWrite(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath); }

int readString(HKEY key, const char* name, char* text) { return readStringValue(key, name, text, kPathBufferSize); }

// A DATA value holds its float's bits.
DWORD floatBits(float value) {
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Writes the value only when it cannot be read; an existing value is left as it is.
int ensureDword(HKEY key, const char* name, DWORD value) {
    DWORD existing = 0;
    return readDwordValue(key, name, &existing) || writeDwordValue(key, name, value);
}

int ensureString(HKEY key, const char* name, const char* text) {
    char existing[kPathBufferSize];
    return readString(key, name, existing) || writeStringValue(key, name, text);
}

void showProgramFilesError(const char* text) {
    MessageBoxA(nullptr, text, nullptr, MB_OK);
}

}  // namespace

int ensureSettingsKey() {
    RegistryKey key;
    if (openKeyToWrite(key, HKEY_LOCAL_MACHINE, kSettingsKeyPath) != ERROR_SUCCESS) createSettingsKey(key);
    return 1;
}

int loadSettings(int32_t (*fallbackDisplayDriver)()) {
    LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    // When the key cannot be opened every read fails and every field takes its default.
    openSettingsKeyToRead(key);
    const HKEY settingsKey = key.get();

    if (!readDwordValue(settingsKey, "Display Driver", &settings.displayDriver))
        settings.displayDriver = fallbackDisplayDriver();
    if (!readDwordValue(settingsKey, "Display Mode", &settings.displayMode)) settings.displayMode = 0;
    if (!readString(settingsKey, "Save Path", settings.savePath)) {
        defaultSavePath(settings.savePath);
        appendSaveFolderSuffix(settings.savePath);
    }
    if (!readDwordValue(settingsKey, "Option", &settings.optionBits)) settings.optionBits = kDefaultOptionBits;
    uint32_t installFlag = 0;
    if (!readDwordValue(settingsKey, "Install Flag", &installFlag)) installFlag = kDefaultInstallFlag;
    if (!readDwordValue(settingsKey, "DATA1", &settings.data1)) settings.data1 = 0.0f;
    if (!readDwordValue(settingsKey, "DATA2", &settings.data2)) settings.data2 = 0.0f;
    if (!readDwordValue(settingsKey, "DATA3", &settings.data3)) settings.data3 = 0;
    if (!readDwordValue(settingsKey, "DATA4", &settings.data4)) settings.data4 = 0;
    settings.soundSetting = soundSettingFromInstallFlag(installFlag);
    return 1;
}

int saveSettings() {
    const LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    const HKEY settingsKey = key.get();
    // Stops at the first write that fails; the ones before it stay.
    return writeDwordValue(settingsKey, "Display Driver", settings.displayDriver) &&
           writeDwordValue(settingsKey, "Display Mode", settings.displayMode) &&
           writeDwordValue(settingsKey, "Option", settings.optionBits) &&
           writeDwordValue(settingsKey, "Install Flag", composeInstallFlag()) &&
           writeDwordValue(settingsKey, "DATA1", floatBits(settings.data1)) &&
           writeDwordValue(settingsKey, "DATA2", floatBits(settings.data2)) &&
           writeDwordValue(settingsKey, "DATA3", settings.data3) &&
           writeDwordValue(settingsKey, "DATA4", settings.data4);
}

int saveSavePath() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeStringValue(key.get(), "Save Path", launcherSettings.savePath);
}

int prepareLaunchValues() {
    const LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    const HKEY settingsKey = key.get();
    // A missing "Option" gets the game's default, not the record's bits.
    const bool complete = ensureString(settingsKey, "Save Path", settings.savePath) &&
                          ensureDword(settingsKey, "Install Flag", kDefaultInstallFlag) &&
                          ensureDword(settingsKey, "Display Driver", settings.displayDriver) &&
                          ensureDword(settingsKey, "Display Mode", settings.displayMode) &&
                          ensureDword(settingsKey, "Option", kDefaultOptionBits);
    if (!complete) return 0;
    return writeDwordValue(settingsKey, "Launch", 1);
}

int loadPromptFlags() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    if (readDwordValue(key.get(), "OTHERS", &launcherSettings.promptFlags)) return 1;
    launcherSettings.promptFlags = 0;
    return 0;
}

int savePromptFlags() {
    RegistryKey key;
    if (createSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeDwordValue(key.get(), "OTHERS", launcherSettings.promptFlags);
}

int readInstallPath() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    return readString(key.get(), "Install Path", launcherSettings.installPath);
}

int readGameExecutablePath(char* path) {
    if (!path) return 0;
    RegistryKey key;
    openSettingsKeyToRead(key);
    return readString(key.get(), "Execute_Mirel", path);
}

unsigned long composeInstallFlag() {
    RegistryKey key;
    openSettingsKeyToRead(key);
    uint32_t stored = 0;
    readDwordValue(key.get(), "Install Flag", &stored);  // missing: no bits to keep
    return mergeSoundIntoInstallFlag(stored, launcherSettings.soundSetting);
}

int defaultSavePath(char* path) {
    RegistryKey key;
    if (openKeyToRead(key, HKEY_LOCAL_MACHINE, kCurrentVersionPath) != ERROR_SUCCESS) {
        showProgramFilesError("Reg Open Error. ProgramFilesDir");
        return 0;
    }
    // A folder too long to leave room for the save folder within the save path's limit is
    // as unusable as one that cannot be read.
    GlobalBlock block(kProgramFilesBufferSize + 1);
    char* folder = static_cast<char*>(block.data());
    if (!folder || !readStringValueOfUpTo(key.get(), kProgramFilesValueName, folder, kProgramFilesBufferSize) ||
        !composeProgramFilesFolder(folder, path)) {
        showProgramFilesError("Reg Query Error. ProgramFilesDir");
        return 0;
    }
    return 1;
}
