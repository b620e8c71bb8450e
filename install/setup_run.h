// Running setup, and the once-per-machine offers of the runtime component installers.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

constexpr const char* kSetupStartError = "Error:CreateProcess Setup";

// "Install": starts regist\Qlk2_inst.exe where the file lookup finds it (normally on the CD),
// in its own folder and without a command line, and waits for it to end, whatever its exit
// code. 0 when the Uninstall action is running (silently) or setup is nowhere (after the
// lookup's message); 1 otherwise, also when it could not be started (after kSetupStartError).
int runSetup(HWND owner, bool uninstallRunning);

// Offers each runtime component not yet offered on this machine, in order: DirectX 6 (waited
// for behind the please-wait window), Indeo Video 5.06 and DirectX Media 6 (left running under
// the child watch; the resume message brings the sequence back here when one ends). Each
// question is asked once per machine, whatever the answer. 0 when regist\Dsetup.dll is nowhere
// (after the lookup's message), 1 otherwise.
int offerRuntimeComponents(HWND owner, int explainRequirement);

// Shows the DirectX setup message for a code (99: too little room for DirectX; -1 to -9: the
// DirectX setup library's failures) over messageOwner. 1 when the user chose OK in a box
// that also offers Cancel; 0 otherwise, and for a code without message.
int showDirectXSetupMessage(int code);

// Waits for a started component installer while the please-wait window shows, and removes the
// window however the wait ends. Closes process. 1 and the exit code when the installer ended;
// 0 when the wait failed.
int waitBehindPleaseWait(HANDLE process, DWORD* exitCode);

// Shows the please-wait window and hands a started installer to the child watch, which the
// message loop polls; takes over both handles of started. The watch waits on a handle opened
// for synchronize access, or on the start's own handle when none can be opened. 1 when the
// installer is watched; 0 (please-wait window removed, nothing watched) without any handle.
int watchInstaller(StartedProcess& started);

// Enables the shutdown privilege of the launcher's process, without which NT-family Windows
// refuses the restart that the DirectX installer asks for. Windows 95 and 98 know no
// privileges: the calls fail there, harmlessly.
void enableShutdownPrivilege();
