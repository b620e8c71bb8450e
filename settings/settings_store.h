// Loading and saving the settings record under the program's registry key.
#pragma once

int ensureSettingsKey();
int loadSettings();
int saveSettings();
int saveSavePath();
int prepareLaunchValues();
int loadPromptFlags();
int savePromptFlags();
int readInstallPath();
int readGameExecutablePath(char* path);  // path: a buffer of kPathBufferSize characters
unsigned long composeInstallFlag();
int defaultSavePath(char* path);  // path: a buffer of kPathBufferSize characters
