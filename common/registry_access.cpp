// Opening registry keys and reading and writing their values, for the whole launcher.
#include "common/registry_access.h"

#include <cstring>

#include "common/path_buffer.h"
#include "common/registry_text.h"

namespace {

constexpr DWORD kDwordSize = 4;

// Reads the value into text (textSize bytes), telling the registry valueSize, which is textSize
// or one less.
int readText(HKEY key, const char* name, char* text, DWORD textSize, DWORD valueSize) {
    if (textSize == 0) return 0;
    DWORD length = valueSize;
    if (key &&
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &length) == ERROR_SUCCESS &&
        finishStringValue(text, textSize, length)) {
        return 1;
    }
    text[0] = '\0';
    return 0;
}

}  // namespace

LONG openKeyToRead(RegistryKey& key, HKEY root, const char* path) { return key.open(root, path, KEY_READ); }

LONG openKeyToWrite(RegistryKey& key, HKEY root, const char* path) { return key.open(root, path, kKeyReadWrite); }

LONG createKeyToWrite(RegistryKey& key, HKEY root, const char* path) {
    return key.create(root, path, kKeyReadWrite);
}

LONG enumerateSubkey(HKEY key, DWORD index, char* name, DWORD size) {
    name[0] = '\0';
    DWORD length = size;
    const LONG status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    name[size] = '\0';
    return status;
}

int readDwordValue(HKEY key, const char* name, void* field) {
    if (!key) return 0;
    BYTE bytes[kDwordSize] = {};
    DWORD size = kDwordSize;
    if (RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) return 0;
    std::memcpy(field, bytes, kDwordSize);
    return 1;
}

int readStringValue(HKEY key, const char* name, char* text, DWORD size) {
    return readText(key, name, text, size, size);
}

int readStringValueOfUpTo(HKEY key, const char* name, char* text, DWORD size) {
    return readText(key, name, text, size + 1, size);
}

int writeDwordValue(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), kDwordSize) ==
           ERROR_SUCCESS;
}

int writeStringValue(HKEY key, const char* name, const char* text) {
    BYTE buffer[kPathBufferSize];
    if (!registryTextBuffer(text, reinterpret_cast<char*>(buffer))) return 0;
    return RegSetValueExA(key, name, 0, REG_SZ, buffer, kPathBufferSize) == ERROR_SUCCESS;
}
