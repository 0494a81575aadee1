// Tansel.exe: a clipboard history in the notification area.
#include <windows.h>

#include "frame/TanselApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  CTanselApp app;
  if (!app.InitInstance(::GetCommandLineW())) return 0;
  return app.Run();
}
