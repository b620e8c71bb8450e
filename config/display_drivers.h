// Display-driver codes: the names shown for them and the PCI ids that identify the cards.
#pragma once

#include <cstdint>

using DisplayDriverCode = int32_t;

constexpr int kDriverNameCount = 24;
constexpr DisplayDriverCode kDriverVoodoo = 0;
constexpr DisplayDriverCode kDriverSoftwareVideoMemory = 5;
constexpr DisplayDriverCode kDriverSoftwareSystemMemory = 7;
constexpr DisplayDriverCode kDriverIntel740 = 15;
constexpr DisplayDriverCode kDriverVoodoo2 = 17;

// Entry `code` of the driver name table; a code outside it gives a neutral text instead.
const char* driverName(DisplayDriverCode code);
bool voodooFamily(DisplayDriverCode code);
// Upper-cases text in place, then answers the code of the first known id it contains, or -1.
DisplayDriverCode matchHardwareId(char* text);
