// Loading and saving the settings record under the program's registry key.
#pragma once

#include <cstdint>

int ensureSettingsKey();
// Fills the record, each missing value with its default; without a stored "Display Driver"
// it takes what fallbackDisplayDriver answers, asked only then. Always 1.
int loadSettings(int32_t (*fallbackDisplayDriver)());
int saveSettings();
int saveSavePath();
int prepareLaunchValues();
int loadPromptFlags();
int savePromptFlags();
int readInstallPath();
int readGameExecutablePath(char* path);  // path: a buffer of kPathBufferSize characters
unsigned long composeInstallFlag();
int defaultSavePath(char* path);  // path: a buffer of kPathBufferSize characters
