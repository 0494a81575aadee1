#pragma once
// The program's message boxes: always titled "Tansel". When the caller asks
// for no icon, the buttons choose one: a question for Yes/No, an exclamation
// mark for OK.
#include <windows.h>

// The flags a box is shown with, for the flags the caller asked for.
UINT MessageBoxFlags(UINT type);

// Shows the box over owner (the thread's active window when none is given)
// and returns the button pressed: IDOK, IDYES, IDNO.
int AppMessageBox(const wchar_t* text, UINT type = MB_OK, HWND owner = nullptr);

// Where views and dialogs ask or tell the user something. The program shows
// AppMessageBox; tests answer in the user's place, so no test waits on a box.
class IUserPrompt {
 public:
  virtual ~IUserPrompt() = default;
  // The button pressed: IDOK, IDYES, IDNO.
  virtual int Show(const wchar_t* text, UINT type) = 0;
};

// The program's boxes, owned by the active window.
class CMessageBoxPrompt : public IUserPrompt {
 public:
  int Show(const wchar_t* text, UINT type) override { return AppMessageBox(text, type); }
};
