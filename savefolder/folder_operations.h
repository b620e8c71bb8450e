// The save-path rules against the machine's disks, and testing and making folders.
#pragma once

// Whether path passes the typed-path rules with the machine's fixed disks; a forbidden
// character is told to the user, every other refusal is silent.
bool checkTypedPath(const char* path, bool requireRootSeparator);

// Whether the folder path (ending with a backslash) lists any entry; a drive root with
// nothing on it counts as missing, and so does a path whose listing pattern would not fit.
bool folderExists(const char* path);

// Makes the folder with every missing parent, from the top down; true when it exists
// afterwards. Each level that cannot be made is told to the user.
bool createFolderPath(const char* path);
