// Loads and saves the settings record under HKEY_LOCAL_MACHINE\Software\ORVANE\QUARLOCK2.
#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

#include "common/win_handles.h"
#include "settings/launcher_settings.h"

namespace {

constexpr DWORD kDwordSize = 4;
constexpr const char* kCurrentVersionPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr DWORD kProgramFilesBufferSize = 65535;

LONG openSettingsKey(RegistryKey& key, REGSAM access) {
    return key.open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, access);
}

LONG openOrCreateSettingsKey(RegistryKey& key) {
    return key.create(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kKeyReadWrite);
}

// Reads a DWORD value straight into a 4-byte field, whatever type it was stored with. A value
// longer than 4 bytes does not fit and counts as missing; a shorter one is zero-extended.
// The field is changed only on success.
template <typename Field>
int readDword(HKEY key, const char* name, Field* field) {
    static_assert(sizeof(Field) == kDwordSize, "a DWORD value fills a 4-byte field");
    if (!key) return 0;
    BYTE bytes[kDwordSize] = {};
    DWORD size = kDwordSize;
    if (RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) return 0;
    std::memcpy(field, bytes, kDwordSize);
    return 1;
}

template <typename Field>
int writeDword(HKEY key, const char* name, const Field& field) {
    static_assert(sizeof(Field) == kDwordSize, "a DWORD value holds a 4-byte field");
    BYTE bytes[kDwordSize];
    std::memcpy(bytes, &field, kDwordSize);
    return RegSetValueExA(key, name, 0, REG_DWORD, bytes, kDwordSize) == ERROR_SUCCESS;
}

// Reads a string value into text (kPathBufferSize characters), always terminated. A value
// that does not fit the buffer with its terminating zero counts as missing; text is then
// emptied so that a caller ignoring the result never meets a stale or partial path.
int readString(HKEY key, const char* name, char* text) {
    char buffer[kPathBufferSize];
    DWORD size = kPathBufferSize;
    if (key && RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                &size) == ERROR_SUCCESS &&
        finishStringValue(buffer, kPathBufferSize, size)) {
        std::memcpy(text, buffer, kPathBufferSize);
        return 1;
    }
    text[0] = '\0';
    return 0;
}

// Writes the whole 260-byte buffer: the text, its terminating zero and zeros after it.
int writeString(HKEY key, const char* name, const char* text) {
    BYTE buffer[kPathBufferSize] = {};
    const void* end = std::memchr(text, '\0', kPathBufferSize - 1);
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - text)
                              : static_cast<size_t>(kPathBufferSize - 1);
    std::memcpy(buffer, text, length);
    return RegSetValueExA(key, name, 0, REG_SZ, buffer, kPathBufferSize) == ERROR_SUCCESS;
}

// Writes the value only when it cannot be read; an existing value is left as it is.
template <typename Field>
int ensureDword(HKEY key, const char* name, const Field& value) {
    Field existing{};
    return readDword(key, name, &existing) || writeDword(key, name, value);
}

int ensureString(HKEY key, const char* name, const char* text) {
    char existing[kPathBufferSize];
    return readString(key, name, existing) || writeString(key, name, text);
}

void showProgramFilesError(const char* text) {
    MessageBoxA(nullptr, text, nullptr, MB_OK);
}

}  // namespace

int ensureSettingsKey() {
    RegistryKey key;
    if (openSettingsKey(key, kKeyReadWrite) != ERROR_SUCCESS) openOrCreateSettingsKey(key);
    return 1;
}

int loadSettings(int32_t (*fallbackDisplayDriver)()) {
    LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    // When the key cannot be opened every read fails and every field takes its default.
    openSettingsKey(key, KEY_READ);
    const HKEY settingsKey = key.get();

    if (!readDword(settingsKey, "Display Driver", &settings.displayDriver))
        settings.displayDriver = fallbackDisplayDriver();
    if (!readDword(settingsKey, "Display Mode", &settings.displayMode)) settings.displayMode = 0;
    if (!readString(settingsKey, "Save Path", settings.savePath)) {
        defaultSavePath(settings.savePath);
        appendSaveFolderSuffix(settings.savePath);
    }
    if (!readDword(settingsKey, "Option", &settings.optionBits)) settings.optionBits = kDefaultOptionBits;
    uint32_t installFlag = 0;
    if (!readDword(settingsKey, "Install Flag", &installFlag)) installFlag = kDefaultInstallFlag;
    if (!readDword(settingsKey, "DATA1", &settings.data1)) settings.data1 = 0.0f;
    if (!readDword(settingsKey, "DATA2", &settings.data2)) settings.data2 = 0.0f;
    if (!readDword(settingsKey, "DATA3", &settings.data3)) settings.data3 = 0;
    if (!readDword(settingsKey, "DATA4", &settings.data4)) settings.data4 = 0;
    settings.soundSetting = soundSettingFromInstallFlag(installFlag);
    return 1;
}

int saveSettings() {
    const LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    if (openOrCreateSettingsKey(key) != ERROR_SUCCESS) return 0;
    const HKEY settingsKey = key.get();
    // Stops at the first write that fails; the ones before it stay.
    return writeDword(settingsKey, "Display Driver", settings.displayDriver) &&
           writeDword(settingsKey, "Display Mode", settings.displayMode) &&
           writeDword(settingsKey, "Option", settings.optionBits) &&
           writeDword(settingsKey, "Install Flag", static_cast<uint32_t>(composeInstallFlag())) &&
           writeDword(settingsKey, "DATA1", settings.data1) &&
           writeDword(settingsKey, "DATA2", settings.data2) &&
           writeDword(settingsKey, "DATA3", settings.data3) &&
           writeDword(settingsKey, "DATA4", settings.data4);
}

int saveSavePath() {
    RegistryKey key;
    if (openOrCreateSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeString(key.get(), "Save Path", launcherSettings.savePath);
}

int prepareLaunchValues() {
    const LauncherSettings& settings = launcherSettings;
    RegistryKey key;
    if (openOrCreateSettingsKey(key) != ERROR_SUCCESS) return 0;
    const HKEY settingsKey = key.get();
    // A missing "Option" gets the game's default, not the record's bits.
    const bool complete = ensureString(settingsKey, "Save Path", settings.savePath) &&
                          ensureDword(settingsKey, "Install Flag", kDefaultInstallFlag) &&
                          ensureDword(settingsKey, "Display Driver", settings.displayDriver) &&
                          ensureDword(settingsKey, "Display Mode", settings.displayMode) &&
                          ensureDword(settingsKey, "Option", kDefaultOptionBits);
    if (!complete) return 0;
    return writeDword(settingsKey, "Launch", uint32_t{1});
}

int loadPromptFlags() {
    RegistryKey key;
    if (openSettingsKey(key, KEY_READ) == ERROR_SUCCESS &&
        readDword(key.get(), "OTHERS", &launcherSettings.promptFlags)) {
        return 1;
    }
    launcherSettings.promptFlags = 0;
    return 0;
}

int savePromptFlags() {
    RegistryKey key;
    if (openOrCreateSettingsKey(key) != ERROR_SUCCESS) return 0;
    return writeDword(key.get(), "OTHERS", launcherSettings.promptFlags);
}

int readInstallPath() {
    RegistryKey key;
    openSettingsKey(key, KEY_READ);
    return readString(key.get(), "Install Path", launcherSettings.installPath);
}

int readGameExecutablePath(char* path) {
    if (!path) return 0;
    RegistryKey key;
    openSettingsKey(key, KEY_READ);
    return readString(key.get(), "Execute_Mirel", path);
}

unsigned long composeInstallFlag() {
    RegistryKey key;
    openSettingsKey(key, KEY_READ);
    uint32_t stored = 0;
    readDword(key.get(), "Install Flag", &stored);  // missing: no bits to keep
    return mergeSoundIntoInstallFlag(stored, launcherSettings.soundSetting);
}

int defaultSavePath(char* path) {
    RegistryKey key;
    if (key.open(HKEY_LOCAL_MACHINE, kCurrentVersionPath, KEY_READ) != ERROR_SUCCESS) {
        showProgramFilesError("Reg Open Error. ProgramFilesDir");
        return 0;
    }
    // A folder too long to leave room for the save folder within the save path's limit is
    // as unusable as one that cannot be read.
    GlobalBlock block(kProgramFilesBufferSize + 1);
    char* folder = static_cast<char*>(block.data());
    DWORD size = kProgramFilesBufferSize;
    if (!folder ||
        RegQueryValueExA(key.get(), "ProgramFilesDir", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(folder), &size) != ERROR_SUCCESS) {
        showProgramFilesError("Reg Query Error. ProgramFilesDir");
        return 0;
    }
    folder[size < kProgramFilesBufferSize ? size : kProgramFilesBufferSize] = '\0';
    if (!composeProgramFilesFolder(folder, path)) {
        showProgramFilesError("Reg Query Error. ProgramFilesDir");
        return 0;
    }
    return 1;
}
