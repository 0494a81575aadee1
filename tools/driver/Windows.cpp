// Window subcommands: find and wait for windows, describe them, send them
// messages, bring one to the front, signal a named event.
#include "Driver.h"

namespace tdriver {
namespace {

UINT ParseMessage(const std::wstring& text) {
  static const struct {
    const wchar_t* name;
    UINT id;
  } kNames[] = {
      {L"WM_NULL", WM_NULL},
      {L"WM_CLOSE", WM_CLOSE},
      {L"WM_QUIT", WM_QUIT},
      {L"WM_COMMAND", WM_COMMAND},
      {L"WM_SYSCOMMAND", WM_SYSCOMMAND},
      {L"WM_KEYDOWN", WM_KEYDOWN},
      {L"WM_KEYUP", WM_KEYUP},
      {L"WM_CHAR", WM_CHAR},
      {L"WM_HOTKEY", WM_HOTKEY},
      {L"WM_TIMER", WM_TIMER},
      {L"WM_SETTEXT", WM_SETTEXT},
      {L"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH},
      {L"WM_DRAWCLIPBOARD", WM_DRAWCLIPBOARD},
      {L"WM_CHANGECBCHAIN", WM_CHANGECBCHAIN},
      {L"WM_ACTIVATE", WM_ACTIVATE},
      {L"WM_SHOWWINDOW", WM_SHOWWINDOW},
      {L"WM_USER", WM_USER},
      {L"WM_APP", WM_APP},
  };
  for (const auto& n : kNames)
    if (text == n.name) return n.id;
  return static_cast<UINT>(ParseInt(text, L"message"));
}

struct Message {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

Message ParseMessageArgs(const std::vector<std::wstring>& pos) {
  Message m{ResolveWindow(pos[0]), ParseMessage(pos[1]), 0, 0};
  if (pos.size() > 2) m.wp = static_cast<WPARAM>(ParseInt(pos[2], L"wparam"));
  if (pos.size() > 3) m.lp = static_cast<LPARAM>(ParseInt(pos[3], L"lparam"));
  return m;
}

// title [child] [timeout]: with two words the second is a timeout when it
// is a number.
struct WindowQuery {
  std::wstring title, child;
  DWORD timeoutMs = 10000;
};

WindowQuery ParseQuery(const std::vector<std::wstring>& pos) {
  WindowQuery q;
  q.title = pos[0];
  if (pos.size() == 2 && IsNumber(pos[1]))
    q.timeoutMs = static_cast<DWORD>(ParseInt(pos[1], L"timeout"));
  else if (pos.size() >= 2)
    q.child = pos[1];
  if (pos.size() == 3) q.timeoutMs = static_cast<DWORD>(ParseInt(pos[2], L"timeout"));
  return q;
}

}  // namespace

int CmdFind(Args& args) {
  const bool visible = args.Flag(L"--visible");
  const bool all = args.Flag(L"--all");
  const auto pos = args.Positional(1, 2);
  const auto found = FindTopLevel(pos[0], pos.size() > 1 ? pos[1] : L"", visible);
  if (found.empty()) Fail(kFailed, L"no window titled \"" + pos[0] + L"\"");
  for (HWND h : found) {
    OutLine(Hex(reinterpret_cast<uintptr_t>(h)));
    if (!all) break;
  }
  return kOk;
}

int CmdWaitWindow(Args& args) {
  const bool visible = args.Flag(L"--visible");
  const bool gone = args.Flag(L"--gone");
  const WindowQuery q = ParseQuery(args.Positional(1, 3));
  std::vector<HWND> found;
  const bool ok = PollUntil(q.timeoutMs, 20, [&] {
    found = FindTopLevel(q.title, q.child, visible);
    return gone ? found.empty() : !found.empty();
  });
  if (!ok) Fail(kTimeout, L"timed out waiting for \"" + q.title + L"\"" + (gone ? L" to go" : L""));
  if (!gone) OutLine(Hex(reinterpret_cast<uintptr_t>(found.front())));
  return kOk;
}

int CmdWaitMenu(Args& args) {
  // A popup menu is a top-level window of its own class, without a title.
  const auto pos = args.Positional(0, 1);
  const DWORD timeout = pos.empty() ? 10000 : static_cast<DWORD>(ParseInt(pos[0], L"timeout"));
  HWND menu = nullptr;
  if (!PollUntil(timeout, 20, [&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
      }))
    Fail(kTimeout, L"timed out waiting for a menu");
  OutLine(Hex(reinterpret_cast<uintptr_t>(menu)));
  return kOk;
}

int CmdInfo(Args& args) {
  const auto pos = args.Positional(1, 1);
  HWND h = ResolveWindow(pos[0]);
  DWORD pid = 0;
  const DWORD tid = GetWindowThreadProcessId(h, &pid);
  RECT r{};
  GetWindowRect(h, &r);
  const LONG_PTR exStyle = GetWindowLongPtrW(h, GWL_EXSTYLE);
  OutLine(L"hwnd " + Hex(reinterpret_cast<uintptr_t>(h)));
  OutLine(L"title " + WindowText(h));
  OutLine(L"class " + WindowClass(h));
  OutLine(L"pid " + std::to_wstring(pid));
  OutLine(L"tid " + std::to_wstring(tid));
  OutLine(L"visible " + std::to_wstring(IsWindowVisible(h) ? 1 : 0));
  OutLine(L"iconic " + std::to_wstring(IsIconic(h) ? 1 : 0));
  OutLine(L"enabled " + std::to_wstring(IsWindowEnabled(h) ? 1 : 0));
  OutLine(L"topmost " + std::to_wstring(exStyle & WS_EX_TOPMOST ? 1 : 0));
  OutLine(L"foreground " + std::to_wstring(GetForegroundWindow() == h ? 1 : 0));
  OutLine(L"rect " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom));
  OutLine(L"style " + Hex(static_cast<uint32_t>(GetWindowLongPtrW(h, GWL_STYLE))));
  OutLine(L"exstyle " + Hex(static_cast<uint32_t>(exStyle)));
  OutLine(L"parent " + Hex(reinterpret_cast<uintptr_t>(GetAncestor(h, GA_PARENT))));
  OutLine(L"owner " + Hex(reinterpret_cast<uintptr_t>(GetWindow(h, GW_OWNER))));
  return kOk;
}

int CmdText(Args& args) {
  // The text of the window, or of its first descendant of a class (an edit
  // inside another program's window); WM_GETTEXT crosses processes.
  const auto pos = args.Positional(1, 2);
  HWND h = ResolveWindow(pos[0]);
  if (pos.size() > 1) {
    HWND child = FindWindowExW(h, nullptr, pos[1].c_str(), nullptr);
    for (HWND parent = GetWindow(h, GW_CHILD); !child && parent;
         parent = GetWindow(parent, GW_HWNDNEXT))
      child = FindWindowExW(parent, nullptr, pos[1].c_str(), nullptr);
    if (!child) Fail(kFailed, L"no " + pos[1] + L" inside the window");
    h = child;
  }
  Out(SentText(h));
  return kOk;
}

int CmdPost(Args& args) {
  const Message m = ParseMessageArgs(args.Positional(2, 4));
  if (!PostMessageW(m.hwnd, m.msg, m.wp, m.lp)) FailLastError(L"PostMessage");
  return kOk;
}

int CmdSend(Args& args) {
  const DWORD timeout =
      static_cast<DWORD>(ParseInt(args.Option(L"--timeout", L"5000"), L"--timeout"));
  const Message m = ParseMessageArgs(args.Positional(2, 4));
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(m.hwnd, m.msg, m.wp, m.lp, SMTO_ABORTIFHUNG, timeout, &result))
    FailLastError(L"SendMessageTimeout");
  OutLine(std::to_wstring(static_cast<LONG_PTR>(result)));
  return kOk;
}

int CmdMove(Args& args) {
  const auto pos = args.Positional(5, 5);
  int v[4];
  for (int i = 0; i < 4; ++i) v[i] = static_cast<int>(ParseInt(pos[i + 1], L"a coordinate"));
  if (!SetWindowPos(ResolveWindow(pos[0]), nullptr, v[0], v[1], v[2], v[3],
                    SWP_NOZORDER | SWP_NOACTIVATE))
    FailLastError(L"SetWindowPos");
  return kOk;
}

int CmdClose(Args& args) {
  const auto pos = args.Positional(1, 1);
  if (!PostMessageW(ResolveWindow(pos[0]), WM_CLOSE, 0, 0)) FailLastError(L"PostMessage");
  return kOk;
}

int CmdForeground(Args& args) {
  args.Positional(0, 0);
  HWND h = GetForegroundWindow();
  OutLine(Hex(reinterpret_cast<uintptr_t>(h)) + (h ? L"\t" + WindowText(h) : L""));
  return kOk;
}

int CmdActivate(Args& args) {
  const auto pos = args.Positional(1, 1);
  HWND h = ResolveWindow(pos[0]);
  SetForegroundWindow(h);
  if (!PollUntil(3000, 10, [h] { return GetForegroundWindow() == h; }))
    Fail(kFailed, L"the window did not come to the front");
  return kOk;
}

int CmdSignal(Args& args) {
  const auto pos = args.Positional(1, 1);
  HANDLE h = OpenEventW(EVENT_MODIFY_STATE, FALSE, pos[0].c_str());
  if (!h) FailLastError(L"OpenEvent " + pos[0]);
  const BOOL ok = SetEvent(h);
  CloseHandle(h);
  if (!ok) FailLastError(L"SetEvent");
  return kOk;
}

}  // namespace tdriver
