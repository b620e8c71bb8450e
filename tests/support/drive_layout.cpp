// Drive letters of the test prefix, changed through Wine's mount manager.
#include "tests/support/drive_layout.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

#include "common/win_handles.h"
#include "tests/support/files.h"
#include "tests/support/processes.h"

namespace {

struct UnixDrive {  // Wine's request to define a drive letter
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
};

// letter in lower case; an empty folder removes the letter.
bool mount(char letter, UINT type, const std::string& unixFolder) {
    std::vector<char> request(sizeof(UnixDrive) + unixFolder.size() + 1);
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    *drive = {static_cast<ULONG>(request.size()), type, 0, 0, 0, static_cast<WCHAR>(letter), 0, 0, 0};
    if (!unixFolder.empty()) drive->mountPointOffset = sizeof(UnixDrive);
    std::memcpy(request.data() + sizeof(UnixDrive), unixFolder.c_str(), unixFolder.size() + 1);
    KernelHandle manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD returned = 0;
    return DeviceIoControl(manager.get(), CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                           request.data(), static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr) != FALSE;
}

}  // namespace

DriveLayout::~DriveLayout() {
    for (char letter : touched_) mount(letter, DRIVE_NO_ROOT_DIR, "");
    if (touched_.count('c')) mount('c', DRIVE_FIXED, environmentValue("WINEPREFIX") + "/drive_c");
    if (touched_.count('d')) mount('d', DRIVE_CDROM, environmentValue("DEMO_CD_DIR"));
}

bool DriveLayout::define(char letter, UINT type, const std::string& folder) {
    return defineUnix(letter, type, unixPathOf(folder));
}

bool DriveLayout::defineUnix(char letter, UINT type, const std::string& unixFolder) {
    const char lower = static_cast<char>(letter | 0x20);
    touched_.insert(lower);
    return mount(lower, type, unixFolder);
}
