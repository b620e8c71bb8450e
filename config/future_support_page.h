// The sheet's third page: four raw values for later patches.
#pragma once

#include <windows.h>

#include "config/sheet_page.h"

extern const SheetPage kFutureSupportPage;
