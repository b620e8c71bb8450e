// Registry set-up and checks for the Windows tests; the checks report the caller's line.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// A key given by its root and its path below it.
struct RegPlace {
    HKEY root;
    const char* path;
};

extern const RegPlace kSettingsKey;  // the launcher's settings, HKLM\Software\ORVANE\QUARLOCK2

void expectRegDwordAt(const char* file, int line, const RegPlace& place, const char* name, DWORD value);
// size: the data length RegQueryValueExA must report, or 0 to accept any. On Windows 95/98,
// which store a string with its own length, the text's length with its zero passes too.
void expectRegStringAt(const char* file, int line, const RegPlace& place, const char* name,
                       const char* text, DWORD size);
void expectRegMissingAt(const char* file, int line, const RegPlace& place, const char* name);
void expectRegValueCountAt(const char* file, int line, const RegPlace& place, DWORD count);

// A REG_DWORD of 4 bytes holding value.
#define expectRegDword(place, name, value) expectRegDwordAt(__FILE__, __LINE__, place, name, value)
// A REG_SZ whose text is text and whose data length is size (0: any).
#define expectRegString(place, name, text, size) expectRegStringAt(__FILE__, __LINE__, place, name, text, size)
#define expectRegMissing(place, name) expectRegMissingAt(__FILE__, __LINE__, place, name)
// The key exists and holds exactly count values.
#define expectRegValueCount(place, count) expectRegValueCountAt(__FILE__, __LINE__, place, count)

// A value's name and the REG_DWORD it holds.
struct RegDword {
    const char* name;
    DWORD value;
};
// Each REG_DWORD of 4 bytes holds its value.
void expectRegDwordsAt(const char* file, int line, const RegPlace& place, std::initializer_list<RegDword> values);
#define expectRegDwords(place, ...) expectRegDwordsAt(__FILE__, __LINE__, place, __VA_ARGS__)

// The bits of a float, as the settings key stores DATA1 and DATA2 in a REG_DWORD.
inline DWORD floatBits(float value) {
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Each creates the key when needed and answers whether the value was stored.
bool setRegValue(const RegPlace& place, const char* name, DWORD type, const void* data, DWORD size);
bool setRegDword(const RegPlace& place, const char* name, DWORD value);
bool setRegDwords(const RegPlace& place, std::initializer_list<RegDword> values);
bool setRegString(const RegPlace& place, const char* name, const char* text);  // with its zero
bool deleteRegValue(const RegPlace& place, const char* name);

struct RegValueCopy {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};
RegValueCopy copyRegValue(const RegPlace& place, const char* name);
// Puts a copied value back, or deletes the value when the copy found none.
bool restoreRegValue(const RegPlace& place, const char* name, const RegValueCopy& copy);

// A value as the holder found it, put back (or deleted again) when the holder goes.
class SavedRegValue {
public:
    SavedRegValue(const RegPlace& place, const char* name)
        : place_(place), name_(name), copy_(copyRegValue(place, name)) {}
    ~SavedRegValue() { restoreRegValue(place_, name_, copy_); }
    SavedRegValue(const SavedRegValue&) = delete;
    SavedRegValue& operator=(const SavedRegValue&) = delete;

private:
    RegPlace place_;
    const char* name_;
    RegValueCopy copy_;
};

bool regKeyExists(const RegPlace& place);
// Removes the key with everything below it; true when it is gone afterwards.
bool deleteRegTree(const RegPlace& place);

// Access lists, as NT gives them to an account without administrator rights: the machine's
// keys grant it reading only, or (HKEY_LOCAL_MACHINE\Software) query, set, create, enumerate,
// notify, delete and read-control, but never change of access list or owner, nor links.
constexpr const char* kReadOnlyAccess = "D:P(A;;KR;;;WD)";
constexpr const char* kUserSoftwareAccess = "D:P(D;;0xC0020;;;WD)(A;;0x3001F;;;WD)";

// While the holder lives, the key has that access list (SDDL); its own comes back when the
// holder goes.
class KeyAccessList {
public:
    KeyAccessList(const RegPlace& place, const char* accessList);
    ~KeyAccessList();
    KeyAccessList(const KeyAccessList&) = delete;
    KeyAccessList& operator=(const KeyAccessList&) = delete;
    bool applied() const { return applied_; }

private:
    RegPlace place_;
    std::vector<BYTE> saved_;
    bool applied_ = false;
};

// Plug and Play device keys under HKEY_DYN_DATA "Config Manager\Enum", as the card detection
// reads them. Every key it adds is removed again when the holder goes.
class DeviceKeys {
public:
    DeviceKeys() = default;
    ~DeviceKeys() { removeAll(); }
    DeviceKeys(const DeviceKeys&) = delete;
    DeviceKeys& operator=(const DeviceKeys&) = delete;

    // A device key without a "HardWareKey" value.
    bool add(const std::string& name);
    // A device whose "HardWareKey" is the text with its terminating zero, as REG_SZ.
    bool add(const std::string& name, const char* hardwareKey);
    // A device whose "HardWareKey" holds exactly these bytes with this type.
    bool add(const std::string& name, DWORD type, const std::string& bytes);
    void removeAll();

private:
    std::vector<std::string> names_;
};

constexpr const char* kDeviceListPath = "Config Manager\\Enum";

// Removes the Plug and Play device list while the holder lives, and makes it again, empty, when
// it goes, as the other tests expect it.
class DeviceListRemoved {
public:
    DeviceListRemoved();
    ~DeviceListRemoved();
    DeviceListRemoved(const DeviceListRemoved&) = delete;
    DeviceListRemoved& operator=(const DeviceListRemoved&) = delete;
    bool removed() const { return removed_; }

private:
    bool removed_;
};
