// Looking for a known 3D card in the Windows 95/98 Plug and Play device list.
#pragma once

#include "config/display_drivers.h"

// 0 or 17 when a Voodoo or Voodoo2 is present, else the last card recognised, 7 when none
// is, -2 when the device list cannot be read.
DisplayDriverCode detectDisplayCard();

// The driver the settings take while none is stored: the card detected, or 7 when none is
// recognised or the device list cannot be read.
DisplayDriverCode defaultDisplayDriver();
