// chain_host: the frame and the history as the program runs them, logging
// every capture; with --view it shows the main window, so that a person can
// try the history view by hand. The
// end-to-end scenarios drive it from outside (xclip copies, the driver's
// viewer beside it). Log lines: "capture <unix-us> <qpc-us> <item count>
// <head text, UTF-8>".
#include <windows.h>

#include <cstdio>
#include <string>

#include "frame/Globals.h"
#include "frame/MainFrame.h"
#include "settings/SettingsPlatform.h"
#include "ui/ClipboardWin32.h"
#include "ui/KeyEventsWin32.h"
#include "ui/KeyStoreWin32.h"
#include "ui/MessageLoop.h"
#include "ui/ProgramFileWin32.h"
#include "ui/SettingsMessagesWin32.h"
#include "ui/TextServicesWin32.h"

namespace {

int64_t UnixMicros() {
  FILETIME ft;
  ::GetSystemTimePreciseAsFileTime(&ft);
  const int64_t t = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return (t - 116444736000000000LL) / 10;
}

int64_t QpcMicros() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return c.QuadPart / f.QuadPart * 1000000 + c.QuadPart % f.QuadPart * 1000000 / f.QuadPart;
}

class CCaptureLog : public IHistoryView {
 public:
  CCaptureLog(CTanselDoc& doc, FILE* f) : m_doc(doc), m_f(f) {}
  // Every whole-list change: captures, and the program's own activations.
  void OnUpdate(int nHint) override {
    const int64_t unixUs = UnixMicros(), qpcUs = QpcMicros();
    if (nHint != 0 || !m_f) return;
    const int n = m_doc.GetItemCount();
    std::string text = n ? Utf8FromUtf16(m_doc.GetItem(0)->strText) : "";
    if (text.size() > 200) text = text.substr(0, 200) + "...";
    std::fprintf(m_f, "capture %lld %lld %d %s\n", static_cast<long long>(unixUs),
                 static_cast<long long>(qpcUs), n, text.c_str());
    std::fflush(m_f);
  }

 private:
  CTanselDoc& m_doc;
  FILE* m_f;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  FILE* f = stdout;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"--log")
      f = _wfopen(argv[i + 1], L"ab");  // binary: lines end in LF alone
  CKeyStoreWin32 store;
  CSettingsMessagesWin32 messages;
  CProgramFileWin32 program;
  SetSettingsPlatform(&store, &messages, &program);
  CClipboardWin32 clipboard;
  CTextServicesWin32 text;
  CTanselDoc doc(clipboard, text);
  CCaptureLog log(doc, f);
  doc.AddView(&log);
  CMessageBoxPrompt prompt;
  CKeyEventsWin32 keyEvents;
  CListView::InitCommonControls();
  // The hotkeys are not registered here; the options dialog lists them all.
  std::map<uint32_t, MESSAGE_DESCRIPTION> commands;
  BuildCommandTable(commands);
  CMainFrame frame(FRAME_SERVICES{doc, gl_oKeyboardAccelerator, text, prompt, keyEvents, commands});
  if (!frame.Create()) return 1;
  for (int i = 1; i < argc; ++i)
    if (std::wstring(argv[i]) == L"--view") frame.ToggleMainWindow();
  std::fprintf(f, "ready %lld %lld\n", static_cast<long long>(UnixMicros()),
               static_cast<long long>(QpcMicros()));
  std::fflush(f);
  return RunMessageLoop();
}
