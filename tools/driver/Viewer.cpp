// The viewer subcommand: a minimal member of the clipboard viewer chain that
// logs every notice with its time. It is the baseline of the latency
// benchmarks and a stand-in program for the harness's own tests: it can
// also show a list view of the texts it saw and register global hotkeys, and
// with --popup it is the simplest clip window: its first hotkey shows a
// topmost list of the texts at the cursor, where Enter puts the selected text
// back on the clipboard.
#include "Driver.h"

#include <commctrl.h>

namespace tdriver {
namespace {

constexpr wchar_t kClassName[] = L"TDriverViewer";
constexpr UINT_PTR kHoldTimer = 7;

struct Viewer {
  LogFile* log = nullptr;
  HWND hwnd = nullptr;
  HWND next = nullptr;
  HWND list = nullptr;
  bool joining = false;
  bool inChain = false;
  DWORD slowMs = 0;
  DWORD holdMs = 0;   // keeps the clipboard open that long after each notice
  bool read = false;  // read the text at each notice, as a history would
  std::vector<std::wstring> hotkeys;
  // The popup list: the texts seen, newest first, and the next notice to
  // skip (the popup's own write).
  HWND popup = nullptr;
  HWND popupList = nullptr;
  std::vector<std::wstring> texts;
  bool skipNext = false;
};

// The text on the clipboard; false when there is none. The cost of a
// capture's read.
bool ReadText(HWND hwnd, std::wstring& text) {
  bool has = false;
  if (!OpenClipboard(hwnd)) return false;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
      has = true;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return has;
}

std::wstring H(HWND h) { return Hex(reinterpret_cast<uintptr_t>(h)); }

// The list shows what a history would: newest text first, on one line.
void AddRow(Viewer& v, const std::wstring& text) {
  std::wstring shown = text.substr(0, 200);
  for (auto& c : shown)
    if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
  std::wstring length = std::to_wstring(text.size());
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = 0;
  item.pszText = shown.data();
  const int row =
      static_cast<int>(SendMessageW(v.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  item.iItem = row;
  item.iSubItem = 1;
  item.pszText = length.data();
  SendMessageW(v.list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void CreateList(Viewer& v) {
  RECT rc;
  GetClientRect(v.hwnd, &rc);
  v.list =
      CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                      0, 0, rc.right, rc.bottom, v.hwnd, nullptr, nullptr, nullptr);
  const wchar_t* names[] = {L"Text", L"Length"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = i == 0 ? 400 : 80;
    col.pszText = const_cast<wchar_t*>(names[i]);
    SendMessageW(v.list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
}

// Every text, newest first, row 0 selected, at the cursor, in front.
void ShowPopup(Viewer& v) {
  SendMessageW(v.popupList, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < v.texts.size(); ++i) {
    std::wstring shown = v.texts[i].substr(0, 200);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = shown.data();
    SendMessageW(v.popupList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  LVITEMW state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(v.popupList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  POINT at;
  GetCursorPos(&at);
  SetWindowPos(v.popup, HWND_TOPMOST, at.x, at.y, 415, 250, SWP_SHOWWINDOW);
  SetForegroundWindow(v.popup);
  SetFocus(v.popupList);
}

// Enter in the popup: the selected text back on the clipboard, the popup gone.
void ActivateFromPopup(Viewer& v) {
  const int row = static_cast<int>(
      SendMessageW(v.popupList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  ShowWindow(v.popup, SW_HIDE);
  if (row < 0 || static_cast<size_t>(row) >= v.texts.size()) return;
  const std::wstring text = v.texts[static_cast<size_t>(row)];
  if (!OpenClipboard(v.hwnd)) return;
  v.skipNext = true;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    memcpy(GlobalLock(h), text.c_str(), bytes);
    GlobalUnlock(h);
    if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
  }
  CloseClipboard();
  v.texts.erase(v.texts.begin() + row);
  v.texts.insert(v.texts.begin(), text);
}

LRESULT Dispatch(Viewer& v, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DRAWCLIPBOARD: {
      const int64_t unixUs = UnixMicros(), qpcUs = QpcMicros();
      if (v.joining) {
        // The system's notice from inside SetClipboardViewer: the
        // content did not change, so it is neither a copy nor passed on.
        v.log->Event(L"join-draw", L"", unixUs, qpcUs);
        return 0;
      }
      if (v.slowMs) Sleep(v.slowMs);
      // Taken before the notice goes on: the next viewer finds it held, as
      // when a clipboard tool grabs each copy the moment it hears of it.
      if (v.holdMs && OpenClipboard(hwnd)) {
        v.log->Event(L"hold", L"seq=" + std::to_wstring(GetClipboardSequenceNumber()));
        SetTimer(hwnd, kHoldTimer, v.holdMs, nullptr);
      }
      if (v.next && v.next != hwnd) SendMessageW(v.next, WM_DRAWCLIPBOARD, 0, 0);
      if (v.skipNext) {
        v.skipNext = false;
        return 0;
      }
      std::wstring text;
      const bool has = (v.read || v.list || v.popup) && ReadText(hwnd, text);
      if (has && v.popup) v.texts.insert(v.texts.begin(), text);
      if (v.read) {
        // Stamped once the text is read: comparable with a capture.
        v.log->Event(L"draw", L"seq=" + std::to_wstring(GetClipboardSequenceNumber()) + L" units=" +
                                  std::to_wstring(text.size()));
      } else {
        v.log->Event(L"draw", L"seq=" + std::to_wstring(GetClipboardSequenceNumber()), unixUs,
                     qpcUs);
      }
      if (v.list && has) AddRow(v, text);
      return 0;
    }
    case WM_CHANGECBCHAIN: {
      HWND removed = reinterpret_cast<HWND>(wp), follower = reinterpret_cast<HWND>(lp);
      v.log->Event(L"chain", L"removed=" + H(removed) + L" next=" + H(follower));
      if (removed == v.next)
        v.next = follower == hwnd ? nullptr : follower;
      else if (v.next)
        SendMessageW(v.next, WM_CHANGECBCHAIN, wp, lp);
      return 0;
    }
    case WM_HOTKEY: {
      const size_t id = static_cast<size_t>(wp);
      v.log->Event(L"hotkey", L"id=" + std::to_wstring(id) +
                                  (id < v.hotkeys.size() ? L" " + v.hotkeys[id] : L""));
      if (v.popup && id == 0) ShowPopup(v);
      return 0;
    }
    case WM_TIMER:
      if (wp == kHoldTimer) {
        KillTimer(hwnd, kHoldTimer);
        CloseClipboard();
        v.log->Event(L"released");
      }
      return 0;
    case WM_SETFOCUS:
      if (v.list) SetFocus(v.list);  // keys go to the rows, as in a history window
      return 0;
    case WM_SIZE:
      if (v.list) MoveWindow(v.list, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_DESTROY:
      // Leaving is not optional: a viewer that just vanishes resets
      // Wine's chain for every other member.
      if (v.inChain) {
        ChangeClipboardChain(hwnd, v.next);
        v.inChain = false;
        v.log->Event(L"left");
      }
      for (size_t i = 0; i < v.hotkeys.size(); ++i) UnregisterHotKey(hwnd, static_cast<int>(i));
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* v = reinterpret_cast<Viewer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!v) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return Dispatch(*v, hwnd, msg, wp, lp);
  } catch (...) {
    return 0;  // nothing unwinds through user32
  }
}

HWND g_hwndForCtrl = nullptr;

BOOL WINAPI OnConsoleCtrl(DWORD) {
  if (g_hwndForCtrl) PostMessageW(g_hwndForCtrl, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

int CmdViewer(Args& args) {
  Viewer v;
  const std::wstring logPath = args.Option(L"--log");
  const std::wstring title = args.Option(L"--title", L"tdriver viewer");
  const std::wstring stopName = args.Option(L"--stop-event");
  const std::wstring childTitle = args.Option(L"--child");
  v.slowMs = static_cast<DWORD>(ParseInt(args.Option(L"--slow-ms", L"0"), L"--slow-ms"));
  v.read = args.Flag(L"--read");
  v.holdMs = static_cast<DWORD>(ParseInt(args.Option(L"--hold-ms", L"0"), L"--hold-ms"));
  const bool withList = args.Flag(L"--list");
  const bool show = args.Flag(L"--show") || withList;
  const bool noChain = args.Flag(L"--no-chain");
  const bool withPopup = args.Flag(L"--popup");
  while (args.Has(L"--hotkey")) v.hotkeys.push_back(args.Option(L"--hotkey"));
  args.Positional(0, 0);

  std::vector<KeyCombo> combos;
  for (const auto& k : v.hotkeys) combos.push_back(ParseCombo(k));
  LogFile log(logPath);
  v.log = &log;
  HANDLE stop = nullptr;
  if (!stopName.empty()) {
    stop = CreateEventW(nullptr, TRUE, FALSE, stopName.c_str());
    if (!stop) FailLastError(L"CreateEvent " + stopName);
  }

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) FailLastError(L"RegisterClassEx");
  v.hwnd = CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 560, 400,
                           nullptr, nullptr, wc.hInstance, &v);
  if (!v.hwnd) FailLastError(L"CreateWindowEx");
  g_hwndForCtrl = v.hwnd;
  SetConsoleCtrlHandler(OnConsoleCtrl, TRUE);
  if (withList) CreateList(v);
  if (withPopup) {
    v.popup =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER, 0,
                        0, 415, 250, nullptr, nullptr, nullptr, nullptr);
    v.popupList =
        CreateWindowExW(0, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                        0, 0, 413, 248, v.popup, nullptr, nullptr, nullptr);
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 400;
    SendMessageW(v.popupList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
  }
  // A hidden titled child, as single-instance checks look for.
  if (!childTitle.empty())
    CreateWindowExW(0, L"STATIC", childTitle.c_str(), WS_CHILD, 0, 0, 0, 0, v.hwnd, nullptr,
                    nullptr, nullptr);
  for (size_t i = 0; i < combos.size(); ++i)
    if (!RegisterHotKey(v.hwnd, static_cast<int>(i), combos[i].modifiers, combos[i].vk))
      log.Event(L"hotkey-failed", L"id=" + std::to_wstring(i) + L" " + v.hotkeys[i]);
  if (show) ShowWindow(v.hwnd, SW_SHOWNORMAL);

  if (!noChain) {
    v.joining = true;
    v.next = SetClipboardViewer(v.hwnd);
    v.joining = false;
    v.inChain = true;
  }
  log.Event(L"ready", L"hwnd=" + H(v.hwnd) + L" next=" + H(v.next));
  OutLine(L"ready " + H(v.hwnd));

  for (;;) {
    const DWORD n = stop ? 1 : 0;
    const DWORD r = MsgWaitForMultipleObjects(n, &stop, FALSE, INFINITE, QS_ALLINPUT);
    if (stop && r == WAIT_OBJECT_0) {
      DestroyWindow(v.hwnd);
      stop = (CloseHandle(stop), nullptr);
    }
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        break;
      }
      if (v.popup && msg.hwnd == v.popupList && msg.message == WM_KEYDOWN &&
          (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        if (msg.wParam == VK_RETURN)
          ActivateFromPopup(v);
        else
          ShowWindow(v.popup, SW_HIDE);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (quit) break;
  }
  g_hwndForCtrl = nullptr;
  if (stop) CloseHandle(stop);
  return kOk;
}

}  // namespace tdriver
