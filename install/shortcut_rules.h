// Names and paths of the uninstaller copy, its Add/Remove Programs entry and the Start-menu
// shortcuts; no Win32 here.
//
// Every path is made in a buffer of kPathBufferSize characters and is either whole or not
// made at all (empty): a cut-off path would name some other file or folder.
#pragma once

#include "settings/launcher_settings.h"

constexpr const char* kUninstallerFileName = "Qlk2_uninst.exe";
constexpr const char* kUninstallKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARLOCK2";
constexpr const char* kShellFoldersKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kDisplayNameValueName = "DisplayName";
constexpr const char* kUninstallStringValueName = "UninstallString";
constexpr const char* kProgramsValueName = "Programs";
constexpr const char* kShortcutDescription = "(C)ORVANE";

// "regist\Qlk2_uninst.exe": the uninstaller as the file lookup asks for it.
int uninstallerRelativeName(char* out);

// <program folder>\regist\Qlk2_uninst.exe: the CD's uninstaller beside a launcher in
// programFolder, from which the copy in the Windows folder is made.
int uninstallerSourcePath(const char* programFolder, char* out);

// The Start-menu folders and shortcuts below the Programs folder. A path that does not fit
// is left empty, and so is every path below it.
struct StartMenuPaths {
    char publisherFolder[kPathBufferSize];  // <Programs>\ORVANE
    char gameFolder[kPathBufferSize];       // <Programs>\ORVANE\QUARLOCK2
    char gameLink[kPathBufferSize];         // ...\QUARLOCK2\QUARLOCK2.lnk
    char uninstallLink[kPathBufferSize];    // ...\QUARLOCK2\Uninstall.lnk
};
// 1 when both folders fit (the shortcuts may still not); 0 otherwise.
int composeStartMenuPaths(const char* programsFolder, StartMenuPaths& paths);

// The working folder of a shortcut: target cut at its last backslash. A target in a root
// keeps the root's backslash ("D:\Qlk2_launch.exe" -> "D:\", "\Qlk2_launch.exe" -> "\"), since
// "D:" or nothing would mean whatever folder is current. 0 (out empty) when target holds no
// backslash or does not fit out.
int shortcutWorkingFolder(const char* target, char* out);
