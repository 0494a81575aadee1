#pragma once
// The program's globals. Only start-up and the main frame's owner reach them;
// everything below gets what it needs passed in.
#include "settings/win/KeyboardAccelerator.h"

// The system-wide hotkeys of the program, delivered to the main window.
extern CKeyboardAccelerator gl_oKeyboardAccelerator;
