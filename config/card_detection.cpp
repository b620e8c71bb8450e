// Walks the Windows 95/98 Configuration Manager's device list for a known 3D card.
#include "config/card_detection.h"

#include "common/registry_access.h"
#include "common/text_format.h"

namespace {

constexpr char kEnumKeyPath[] = "Config Manager\\Enum";
constexpr const char* kHardwareKeyValueName = "HardWareKey";
constexpr DWORD kNameBufferSize = 65535;

// Each buffer has one byte beyond what the registry is told, so that a name or value that
// fills the buffer without a terminating zero is still terminated inside it.
struct DetectionBuffers {
    char deviceName[kNameBufferSize + 1];
    char devicePath[sizeof kEnumKeyPath + kNameBufferSize + 1];
    char hardwareKey[kNameBufferSize + 1];
};

// The code of the card behind one device key, or -1 when it is no card we know.
DisplayDriverCode identifyDevice(const char* deviceName, DetectionBuffers& buffers) {
    const int length = formatText(buffers.devicePath, sizeof buffers.devicePath, "%s\\%s",
                                  kEnumKeyPath, deviceName);
    if (length < 0 || static_cast<size_t>(length) >= sizeof buffers.devicePath) return -1;
    RegistryKey device;
    if (openKeyToRead(device, HKEY_DYN_DATA, buffers.devicePath) != ERROR_SUCCESS) return -1;
    // The value's type is not examined.
    char* hardwareKey = buffers.hardwareKey;
    if (!readStringValueOfUpTo(device.get(), kHardwareKeyValueName, hardwareKey, kNameBufferSize)) return -1;
    // Only PCI devices; the prefix is tested before the text is upper-cased.
    if (hardwareKey[0] != 'P' || hardwareKey[1] != 'C' || hardwareKey[2] != 'I') return -1;
    return matchHardwareId(hardwareKey);
}

}  // namespace

DisplayDriverCode detectDisplayCard() {
    RegistryKey devices;
    if (openKeyToRead(devices, HKEY_DYN_DATA, kEnumKeyPath) != ERROR_SUCCESS) return -2;

    GlobalBlock block(sizeof(DetectionBuffers));
    DetectionBuffers* buffers = static_cast<DetectionBuffers*>(block.data());
    if (!buffers) return -2;

    DisplayDriverCode result = -1;
    for (DWORD index = 0;; ++index) {
        const LONG status = enumerateSubkey(devices.get(), index, buffers->deviceName, kNameBufferSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return -2;

        const DisplayDriverCode code = identifyDevice(buffers->deviceName, *buffers);
        if (voodooFamily(code)) return code;
        if (code >= 0) result = code;
    }
    return result >= 0 ? result : kDriverSoftwareSystemMemory;
}

DisplayDriverCode defaultDisplayDriver() {
    const DisplayDriverCode detected = detectDisplayCard();
    return detected >= 0 ? detected : kDriverSoftwareSystemMemory;
}
