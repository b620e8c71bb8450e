// The sheet's second page: rendering and sound features, one at a time, and two presets.
#pragma once

#include <windows.h>

#include "config/sheet_page.h"

extern const SheetPage kFeaturesPage;

// Refills the feature list, shows its first feature and selects it.
void fillFeatureList(HWND page, bool software);
// Shows the choices, their checks and the description of the selected feature.
void showSelectedFeature(HWND page, bool software);
