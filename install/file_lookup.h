// Finding the files the launcher starts: next to the program, on the CD-ROM drives, in the
// save and install folders and in the Windows folder.
#pragma once

#include <windows.h>

// Every path buffer below holds kPathBufferSize (260) characters.

// A file exists when it can be opened for reading (shared reading, read-only attribute); one
// that exists but cannot be opened, or a folder, counts as absent.
int fileExists(const char* path);

// The running program's full path; 0 (path empty) when it does not fit the buffer whole.
int programPath(char* path);
// The folder of the running program: its module path cut at the last backslash; 1 then.
// 0 when the module path holds no backslash (folder then holds it unchanged) or cannot be
// read whole (folder empty).
int programFolder(char* folder);
// The Windows folder as the system gives it; 0 (folder empty) when it cannot be read whole.
int windowsFolder(char* folder);

// Finds relativeName, given relative to a CD root ("regist\MirelP.exe"), trying in order:
// the program's folder, every CD-ROM drive, the save folder, the install folder ("Install
// Path", when it can be read) and the Windows folder. 1 and the first existing candidate in
// path; otherwise 0 after telling the user in a box owned by owner. A candidate that would not
// fit 260 characters is skipped.
int locateFile(const char* relativeName, HWND owner, char* path);

// The game executable named by "Execute_Mirel", when that file exists; 0 otherwise, silently.
int locateRegisteredGame(char* path);

// The Windows folder + "\" + fileName (a bare name), when that file exists; 0 otherwise,
// silently.
int locateInWindowsFolder(const char* fileName, char* path);
