// The DLLs the launcher loads itself, each by its full path in the system folder, and the DLL
// search of the process narrowed before anything is loaded by name.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

// What the launcher takes from comctl32.dll, which is not one of the known DLLs that Windows
// loads from its system folder only: the registration of the common controls (the folder
// chooser's tree view) and the OPTIONS property sheet. Each has the type of the function named.
struct CommonControls {
    decltype(&InitCommonControls) initCommonControls;
    decltype(&PropertySheetA) propertySheet;
    decltype(&CreatePropertySheetPageA) createPropertySheetPage;
    decltype(&DestroyPropertySheetPage) destroyPropertySheetPage;
};

// Filled once at start-up by loadCommonControls; every member is null until then.
extern CommonControls commonControls;

// Takes the current folder out of the DLL search of the launcher and of the programs it starts
// (Windows XP SP1 and later; Windows 95 and 98 have no such call, and nothing changes there). The
// program's own folder stays in the search: leaving only the system folder would also keep an
// input method or shell extension from finding the DLLs it keeps beside itself.
void narrowDllSearch();

// Loads comctl32.dll from the system folder into commonControls: 1 when the library and each of
// its functions could be had, otherwise 0 with commonControls left empty. The library is never
// freed: windows of its classes exist until the launcher ends, and the end unloads it.
int loadCommonControls();
// The same from the file of that name in the system folder, into functions; 0, and functions
// untouched, when the path does not fit a path buffer, the file cannot be loaded or it lacks a
// function (it then stays loaded).
int loadCommonControlsFrom(const char* fileName, CommonControls& functions);
