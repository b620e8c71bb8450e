// Which failed starts of a CD program are tried once more through the shell; no Win32 here.
#pragma once

#include <cstring>

// CreateProcess refuses a program whose manifest asks for administrator rights (Windows Vista
// and later); the shell asks the user for them and starts it.
constexpr unsigned long kElevationRequiredError = 740;  // ERROR_ELEVATION_REQUIRED

// Only a program named .exe goes to the shell: it would open any other file by its file
// association, DXINST.bin with Windows 8's "How do you want to open this file?" over the launcher.
inline bool startGoesToShell(unsigned long createProcessError, const char* path) {
    if (createProcessError != kElevationRequiredError) return false;
    const size_t length = std::strlen(path);
    if (length < 4) return false;
    const char* extension = path + length - 4;
    return extension[0] == '.' && (extension[1] | 0x20) == 'e' && (extension[2] | 0x20) == 'x' &&
           (extension[3] | 0x20) == 'e';
}
