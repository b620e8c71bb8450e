// Joining and cutting paths in the launcher's path buffers; no Win32 here.
//
// Every path lives in a buffer of kPathBufferSize characters. Joining never writes past it:
// a result that does not fit is not made at all, so no caller meets a cut-off path.
#pragma once

#include "common/path_buffer.h"

// printf into out (kPathBufferSize characters). When the text with its zero does not fit,
// out is emptied and 0 returned; 1 otherwise.
int formatPath(char* out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// folder + "\" + name, bounded as formatPath. A folder ending in a backslash gives a doubled
// one, which the file system accepts.
int joinPath(char* out, const char* folder, const char* name);

// Cuts path at its last backslash, leaving its folder ("D:\regist\MirelP.exe" -> "D:\regist").
// 0 and path unchanged when it holds no backslash.
int cutAtLastBackslash(char* path);
