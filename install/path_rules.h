// Path rules of the file lookup and the program starts; no Win32 here.
//
// Every path lives in a buffer of kPathBufferSize characters. Joining never writes past it:
// a result that does not fit is not made at all, so no caller meets a cut-off path.
#pragma once

#include "settings/launcher_settings.h"

// printf into out (kPathBufferSize characters). When the text with its zero does not fit,
// out is emptied and 0 returned; 1 otherwise.
int formatPath(char* out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// folder + "\" + name, bounded as formatPath. A folder ending in a backslash gives a doubled
// one, which the file system accepts.
int joinPath(char* out, const char* folder, const char* name);

// Cuts path at its last backslash, leaving its folder ("D:\regist\MirelP.exe" -> "D:\regist").
// 0 and path unchanged when it holds no backslash.
int cutAtLastBackslash(char* path);

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
