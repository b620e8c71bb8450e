// Registry set-up and checks for the Windows tests.
#include "tests/support/registry_expect.h"

#include <sddl.h>

#include <cstring>

#include <gtest/gtest.h>

#include "common/win_handles.h"
#include "settings/launcher_settings.h"

const RegPlace kSettingsKey{HKEY_LOCAL_MACHINE, kSettingsKeyPath};

namespace {

std::string describe(const RegPlace& place, const char* name) {
    return std::string(place.path) + " \"" + name + "\"";
}

// Reads a value of any size; false when it cannot be read.
bool queryValue(const RegPlace& place, const char* name, DWORD* type, std::vector<BYTE>* data) {
    RegistryKey key;
    if (key.open(place.root, place.path, KEY_READ) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    data->assign(size + 1, 0);
    if (RegQueryValueExA(key.get(), name, nullptr, type, data->data(), &size) != ERROR_SUCCESS) return false;
    data->resize(size);
    return true;
}

// Windows 95 and 98 store a REG_SZ value with its text's own length (the text and its zero),
// whatever length the program gave; Wine reporting either does the same.
bool stringsKeepTheirOwnLength() { return (GetVersion() & 0x80000000) != 0; }

std::string devicePath(const std::string& name) { return std::string(kDeviceListPath) + "\\" + name; }

// Reads the value, or reports at the caller's line that it is missing.
bool presentAt(const char* file, int line, const RegPlace& place, const char* name, DWORD* type,
               std::vector<BYTE>* data) {
    if (queryValue(place, name, type, data)) return true;
    ADD_FAILURE_AT(file, line) << describe(place, name) << " is missing";
    return false;
}

}  // namespace

void expectRegDwordAt(const char* file, int line, const RegPlace& place, const char* name, DWORD value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!presentAt(file, line, place, name, &type, &data)) return;
    if (type != REG_DWORD || data.size() != 4) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << " has type " << type << " and "
                                   << data.size() << " bytes, expected REG_DWORD of 4";
        return;
    }
    DWORD stored = 0;
    std::memcpy(&stored, data.data(), 4);
    if (stored != value) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << std::hex << std::showbase
                                   << " holds " << stored << ", expected " << value;
    }
}

void expectRegStringAt(const char* file, int line, const RegPlace& place, const char* name,
                       const char* text, DWORD size) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!presentAt(file, line, place, name, &type, &data)) return;
    if (type != REG_SZ) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << " has type " << type << ", expected REG_SZ";
    }
    const bool ownLength = stringsKeepTheirOwnLength() && data.size() == std::strlen(text) + 1;
    if (size != 0 && data.size() != size && !ownLength) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << " has " << data.size()
                                   << " bytes, expected " << size;
    }
    const std::string stored(reinterpret_cast<const char*>(data.data()),
                             strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
    if (stored != text) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << " holds \"" << stored
                                   << "\", expected \"" << text << "\"";
    }
}

void expectRegMissingAt(const char* file, int line, const RegPlace& place, const char* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (queryValue(place, name, &type, &data)) {
        ADD_FAILURE_AT(file, line) << describe(place, name) << " exists (type " << type << ", "
                                   << data.size() << " bytes), expected none";
    }
}

void expectRegValueCountAt(const char* file, int line, const RegPlace& place, DWORD count) {
    RegistryKey key;
    if (key.open(place.root, place.path, KEY_READ) != ERROR_SUCCESS) {
        ADD_FAILURE_AT(file, line) << place.path << " does not exist";
        return;
    }
    DWORD values = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE_AT(file, line) << place.path << " cannot be queried";
        return;
    }
    if (values != count) {
        ADD_FAILURE_AT(file, line) << place.path << " holds " << values << " values, expected " << count;
    }
}

void expectRegDwordsAt(const char* file, int line, const RegPlace& place, std::initializer_list<RegDword> values) {
    for (const RegDword& value : values) expectRegDwordAt(file, line, place, value.name, value.value);
}

bool setRegValue(const RegPlace& place, const char* name, DWORD type, const void* data, DWORD size) {
    RegistryKey key;
    if (key.create(place.root, place.path, KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    // RegSetValueExA counts one byte more for a string whose last byte is not zero but whose
    // next byte is: a non-zero byte after the data keeps the stored length exactly size.
    std::vector<BYTE> bytes(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    bytes.push_back(0xFF);
    return RegSetValueExA(key.get(), name, 0, type, bytes.data(), size) == ERROR_SUCCESS;
}

bool setRegDword(const RegPlace& place, const char* name, DWORD value) {
    return setRegValue(place, name, REG_DWORD, &value, sizeof value);
}

bool setRegDwords(const RegPlace& place, std::initializer_list<RegDword> values) {
    bool stored = true;
    for (const RegDword& value : values) stored = setRegDword(place, value.name, value.value) && stored;
    return stored;
}

bool setRegString(const RegPlace& place, const char* name, const char* text) {
    return setRegValue(place, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool deleteRegValue(const RegPlace& place, const char* name) {
    RegistryKey key;
    if (key.open(place.root, place.path, KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

RegValueCopy copyRegValue(const RegPlace& place, const char* name) {
    RegValueCopy copy;
    copy.present = queryValue(place, name, &copy.type, &copy.data);
    return copy;
}

bool restoreRegValue(const RegPlace& place, const char* name, const RegValueCopy& copy) {
    if (!copy.present) {
        deleteRegValue(place, name);
        return true;
    }
    return setRegValue(place, name, copy.type, copy.data.data(), static_cast<DWORD>(copy.data.size()));
}

bool regKeyExists(const RegPlace& place) {
    RegistryKey key;
    return key.open(place.root, place.path, KEY_READ) == ERROR_SUCCESS;
}

bool deleteRegTree(const RegPlace& place) {
    RegDeleteTreeA(place.root, place.path);
    return !regKeyExists(place);
}

KeyAccessList::KeyAccessList(const RegPlace& place, const char* accessList) : place_(place) {
    RegistryKey key;
    if (key.open(place.root, place.path, READ_CONTROL | WRITE_DAC) != ERROR_SUCCESS) return;
    DWORD size = 0;
    RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (size == 0 || RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS)
        return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(accessList, SDDL_REVISION_1, &descriptor, nullptr))
        return;
    applied_ = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
}

// The owner of a key may always change its access list.
KeyAccessList::~KeyAccessList() {
    if (!applied_) return;
    RegistryKey key;
    if (key.open(place_.root, place_.path, WRITE_DAC) == ERROR_SUCCESS)
        RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved_.data());
}

bool DeviceKeys::add(const std::string& name) {
    names_.push_back(name);
    RegistryKey key;
    return key.create(HKEY_DYN_DATA, devicePath(name).c_str(), KEY_ALL_ACCESS) == ERROR_SUCCESS;
}

bool DeviceKeys::add(const std::string& name, const char* hardwareKey) {
    return add(name, REG_SZ, std::string(hardwareKey) + '\0');
}

bool DeviceKeys::add(const std::string& name, DWORD type, const std::string& bytes) {
    const std::string path = devicePath(name);
    return add(name) && setRegValue(RegPlace{HKEY_DYN_DATA, path.c_str()}, "HardWareKey", type, bytes.data(),
                                    static_cast<DWORD>(bytes.size()));
}

void DeviceKeys::removeAll() {
    for (const std::string& name : names_) deleteRegTree(RegPlace{HKEY_DYN_DATA, devicePath(name).c_str()});
    names_.clear();
}

DeviceListRemoved::DeviceListRemoved() : removed_(deleteRegTree(RegPlace{HKEY_DYN_DATA, kDeviceListPath})) {}

DeviceListRemoved::~DeviceListRemoved() {
    RegistryKey key;
    EXPECT_EQ(ERROR_SUCCESS, key.create(HKEY_DYN_DATA, kDeviceListPath, KEY_ALL_ACCESS)) << "no device list again";
}
