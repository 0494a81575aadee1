// tdriver: drives a running Win32 program from outside, in the same Wine
// prefix. Each subcommand is one function; results go to stdout as UTF-8.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tdriver {

// Exit codes the harness tells apart.
enum ExitCode : int {
  kOk = 0,
  kFailed = 1,  // an API call failed or the target was not found
  kUsage = 2,
  kNoText = 3,   // the clipboard holds no text in the asked format
  kTimeout = 4,  // a wait-* command gave up
};

// Thrown by helpers; wmain turns it into the message and the exit code.
struct Failure {
  int code;
  std::wstring message;
};
[[noreturn]] void Fail(int code, const std::wstring& message);
// Appends the text of GetLastError() to the message.
[[noreturn]] void FailLastError(const std::wstring& what);

// The arguments after the subcommand's name. Options ("--name" or
// "--name value") are taken out by the command; what is left is positional.
// "--" ends the options, so a text that starts with "--" can still be given.
class Args {
 public:
  explicit Args(std::vector<std::wstring> words) : m_words(std::move(words)) {}
  bool Flag(const wchar_t* name);
  // The value after the option, or def when the option is absent.
  std::wstring Option(const wchar_t* name, const std::wstring& def = L"");
  bool Has(const wchar_t* name) const;
  // Checks that no unknown option is left and that the positional count is
  // within [min, max]; returns the positionals.
  std::vector<std::wstring> Positional(size_t min, size_t max);

 private:
  std::vector<std::wstring> m_words;
};

// Text and numbers.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
std::wstring Hex(uintptr_t value);
int64_t ParseInt(const std::wstring& text, const wchar_t* what);  // decimal or 0x hex
bool IsNumber(const std::wstring& text);

// Output: UTF-8 bytes on a pipe or file, wide text on a console.
void Out(const std::wstring& text);
void OutLine(const std::wstring& text);
void Err(const std::wstring& text);

// Time: microseconds since the Unix epoch (comparable with the shell's
// EPOCHREALTIME) and a QueryPerformanceCounter reading in microseconds.
int64_t UnixMicros();
int64_t QpcMicros();

// A log file that other processes may read while it grows; each line is
// written at once.
class LogFile {
 public:
  explicit LogFile(const std::wstring& path);
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  // Writes "<kind> <unix-us> <qpc-us>[ <detail>]".
  void Event(const std::wstring& kind, const std::wstring& detail = L"", int64_t unixUs = 0,
             int64_t qpcUs = 0);

 private:
  HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

// The driver's own window, as the clipboard's opener: Wine lets a second
// opener without a window in beside one without a window (the program under
// test opens without one), and each would then close the other's session.
HWND OpenerWindow();

// Windows. A target is a hex window handle ("0x1A2B") or the exact title of
// a top-level window.
std::wstring WindowText(HWND hwnd);
std::wstring WindowClass(HWND hwnd);
// WM_GETTEXT, which crosses processes (an edit inside another program's
// window), where WindowText reads only the stored title.
std::wstring SentText(HWND hwnd);
// Top-level windows titled `title` (and, when childTitle is not empty, having
// a descendant with that exact title); visibleOnly skips hidden ones.
std::vector<HWND> FindTopLevel(const std::wstring& title, const std::wstring& childTitle,
                               bool visibleOnly);
HWND ResolveWindow(const std::wstring& target);

// Keys: "ctrl+alt+a", "f2", "numpad*". Returns the virtual key and the
// modifiers as MOD_CONTROL / MOD_ALT / MOD_SHIFT / MOD_WIN.
struct KeyCombo {
  UINT vk = 0;
  UINT modifiers = 0;
};
KeyCombo ParseCombo(const std::wstring& text);
// Presses the modifiers, the key, and lets them go, in one SendInput call.
void PressCombo(const KeyCombo& combo);

// Polling helper: calls pred every intervalMs until it returns true or
// timeoutMs passes; returns whether it succeeded.
template <class Pred>
bool PollUntil(DWORD timeoutMs, DWORD intervalMs, Pred pred) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(intervalMs);
  }
}

// Subcommands, grouped by file.
int CmdSetText(Args&);
int CmdSetTextFile(Args&);
int CmdSetTextFill(Args&);
int CmdSetAnsi(Args&);
int CmdSetBitmap(Args&);
int CmdSetEmptyText(Args&);
int CmdClear(Args&);
int CmdGetText(Args&);
int CmdGetAnsi(Args&);
int CmdWaitText(Args&);
int CmdFormats(Args&);
int CmdSeq(Args&);
int CmdCodePages(Args&);
int CmdChainHead(Args&);
int CmdHoldClipboard(Args&);
int CmdBurst(Args&);
int CmdWatchAnswer(Args&);
int CmdFuzz(Args&);

int CmdFind(Args&);
int CmdWaitWindow(Args&);
int CmdInfo(Args&);
int CmdWaitMenu(Args&);
int CmdText(Args&);
int CmdTimePopup(Args&);
int CmdTimeClipboard(Args&);
int CmdWaitHotkeyTaken(Args&);
int CmdPost(Args&);
int CmdSend(Args&);
int CmdClose(Args&);
int CmdMove(Args&);
int CmdForeground(Args&);
int CmdActivate(Args&);
int CmdSignal(Args&);

int CmdKeys(Args&);
int CmdType(Args&);

int CmdListView(Args&);
int CmdListViewSelect(Args&);
int CmdWatchListView(Args&);
int CmdListViewPoint(Args&);

int CmdControl(Args&);
int CmdSetControl(Args&);
int CmdClick(Args&);
int CmdStripVersion(Args&);

int CmdViewer(Args&);

}  // namespace tdriver
