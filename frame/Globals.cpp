#include "frame/Globals.h"

CKeyboardAccelerator gl_oKeyboardAccelerator;
