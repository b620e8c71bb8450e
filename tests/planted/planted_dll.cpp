// A DLL that only records that a process loaded it: the tests lay it where a program may look
// for a DLL by its name, the end-to-end tests beside a copy of the launcher under a system DLL's
// name. Its record is an empty file beside it, named as it is with ".loaded" added; it exports
// nothing.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    constexpr char kSuffix[] = ".loaded";
    char path[MAX_PATH + sizeof kSuffix];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    CopyMemory(path + length, kSuffix, sizeof kSuffix);
    HANDLE record = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record != INVALID_HANDLE_VALUE) CloseHandle(record);
    return TRUE;
}
