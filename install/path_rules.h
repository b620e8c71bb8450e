// Path rules of the file lookup and the program starts; no Win32 here.
#pragma once

#include "drives/path_join.h"

// The folder a program at executablePath is started in when it must run two levels up, as
// the game does ("D:\regist\MirelP.exe" -> "D:\", "C:\Games\Q2\regist\MirelP.exe" ->
// "C:\Games\Q2"). Never climbs above the root of the path ("D:\", "\\server\share\", "\"); a
// bare drive root keeps its backslash, so it names the root and not the drive's current
// folder. A relative path with fewer than two folders gives "": the caller's own current folder.
// out: kPathBufferSize characters; 0 (out emptied) when executablePath does not fit it.
int gameWorkingFolder(const char* executablePath, char* out);

// The text shown when locateFile finds a file nowhere, relativeName exactly as asked for, into
// out (kFileNotFoundMessageSize characters). Any name that fits a path buffer fits whole; a
// longer one, which no lookup could find anyway, is cut.
constexpr int kFileNotFoundMessageSize = kPathBufferSize + 128;
void fileNotFoundMessage(const char* relativeName, char* out);
