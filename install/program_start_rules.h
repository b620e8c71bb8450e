// Which failed starts of a CD program are tried once more through the shell; no Win32 here.
#pragma once

// CreateProcess refuses a program whose manifest asks for administrator rights (Windows Vista
// and later); the shell asks the user for them and starts it.
constexpr unsigned long kElevationRequiredError = 740;  // ERROR_ELEVATION_REQUIRED

inline bool startAsksForElevation(unsigned long createProcessError) {
    return createProcessError == kElevationRequiredError;
}
