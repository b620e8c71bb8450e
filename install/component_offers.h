// The once-per-machine offers of the runtime components, as one sequence with one owner:
// DirectX 6 (waited for behind the please-wait window), Indeo Video 5.06 and DirectX Media 6
// (left running under the child watch). The title window starts and stops it, asks it whether
// it holds the window's input, and hands it the resume message and the end of each menu action;
// the message loop hands it its poll. It owns the watch timer, posts every resume message and
// sets messageOwner.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

// Posted to the title window to let the next outstanding offer follow.
constexpr UINT kResumeMessage = WM_USER + 1234;
// Its ticks only wake the message loop so that the watch is polled without user input.
constexpr UINT_PTR kWatchTimerId = 9999;
constexpr UINT kWatchTimerPeriod = 3000;

// Posts the title window its first resume message: the first offer follows once the message
// loop runs.
void startComponentOffers(HWND titleWindow);
// Whether an installer runs under the watch: meanwhile the title window ignores the mouse and
// the keyboard.
bool componentOffersHoldInput();
// The title window is going: its watch timer stops.
void stopComponentOffers(HWND titleWindow);

// The resume message has reached the title window. While a menu action runs (its dialog's own
// loop dispatched the message) the offers wait until it has ended; otherwise the watch timer
// starts and the outstanding offers are made.
void onResumeMessage(HWND titleWindow, bool actionRunning);

// A menu action has ended; actionRunning: another one still runs. An offer that waited for the
// action follows now, through the resume message.
void onActionEnded(HWND titleWindow, bool actionRunning);

// Called before every message is handled: when the watched installer has ended, removes the
// please-wait window, stops the watch timer of titleWindow, clears the watch, brings the title
// window to the top, repaints it and posts it the resume message. Without a title window (it
// has gone) only the watch ends. Returns 1 when it handled an end.
int pollChildWatch(HWND titleWindow);

// Makes each offer not yet made on this machine, in order, until one leaves an installer
// running under the watch (the resume message brings the sequence back here when it ends).
// Each question is asked once per machine, whatever the answer. 0 when regist\Dsetup.dll is
// nowhere (after the lookup's message), 1 otherwise.
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
