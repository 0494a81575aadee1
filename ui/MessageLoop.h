#pragma once
// The thread's message loop. Every queued message is first offered to the
// objects of its window and the window's parents (PreTranslateMessage, where a
// modeless dialog runs IsDialogMessage), then translated and dispatched.
#include <windows.h>

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Handles every message already queued and returns: false when WM_QUIT came,
// with its exit code in *pExitCode. For tests and for waits on a state.
bool PumpMessages(int* pExitCode = nullptr);
