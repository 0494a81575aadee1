// tdriver <command> [arguments]: see kCommands, or run without arguments.
#include "Driver.h"

namespace tdriver {
namespace {

struct Command {
  const wchar_t* name;
  int (*run)(Args&);
  const wchar_t* usage;
};

const Command kCommands[] = {
    {L"set-text", CmdSetText,
     L"<text> [--block bytes] [--print-time] [--mark name[=dword]]   CF_UNICODETEXT, and with\n"
     L"         --mark a registered format holding a 32-bit value (default 0)"},
    {L"set-text-file", CmdSetTextFile, L"<utf8-file> [--block bytes]"},
    {L"set-text-fill", CmdSetTextFill,
     L"<units> [pattern] [--block bytes]   pattern repeated, default x"},
    {L"set-ansi", CmdSetAnsi, L"<text>      CF_TEXT only, in the ANSI code page"},
    {L"set-bitmap", CmdSetBitmap, L"<width> <height> [--as dib|bitmap]   no text"},
    {L"set-empty-text", CmdSetEmptyText, L"     CF_UNICODETEXT holding only the terminator"},
    {L"clear", CmdClear, L"     empty the clipboard"},
    {L"get-text", CmdGetText,
     L"[--size]    CF_UNICODETEXT, exact; --size: units and block bytes; exit 3 if none"},
    {L"get-ansi", CmdGetAnsi,
     L"[--hex]     CF_TEXT from the ANSI code page (--hex: its bytes); exit 3 if none"},
    {L"wait-text", CmdWaitText, L"<text> [timeout-ms=10000]   exit 4 on timeout"},
    {L"formats", CmdFormats, L"     one 'id name' line per available format"},
    {L"codepages", CmdCodePages, L"     the ANSI and OEM code pages"},
    {L"seq", CmdSeq, L"     the clipboard sequence number"},
    {L"chain-head", CmdChainHead, L"     the first window of the clipboard viewer chain"},
    {L"hold-clipboard", CmdHoldClipboard,
     L"<ms> [--copy text]   keep the clipboard open; prints 'held'; --copy: copies the text\n"
     L"         first and takes the clipboard again at once"},
    {L"burst", CmdBurst,
     L"<count> [--window w] [--prefix p] [--units min-max] [--settle-ms 1000] [--sync]\n"
     L"         different texts back to back; with --window, its worst WM_NULL answer\n"
     L"         meanwhile; --sync: after each copy, until the window answered"},
    {L"watch-answer", CmdWatchAnswer, L"<window> <ms>     its worst WM_NULL answer over ms"},
    {L"fuzz", CmdFuzz,
     L"<window> <count> [--seed n] [--batch 100] [--handled id,id-id]   private messages\n"
     L"         0x400-0x7FF at random, a quarter among the handled ids; opened windows closed"},
    {L"find", CmdFind, L"<title> [child-title] [--visible] [--all]"},
    {L"wait-window", CmdWaitWindow,
     L"<title> [child-title] [timeout-ms=10000] [--visible] [--gone]"},
    {L"wait-menu", CmdWaitMenu, L"[timeout-ms=10000]     until a popup menu is open"},
    {L"info", CmdInfo, L"<window>     key/value lines: class, pid, visible, foreground, rect..."},
    {L"time-popup", CmdTimePopup,
     L"<combo> [--rows n] [--timeout ms]   µs from the keys to a new foreground window\n"
     L"         showing a list of at least n rows"},
    {L"time-clipboard", CmdTimeClipboard,
     L"<combo> <text> [--timeout ms]   µs from the keys to the clipboard holding the text"},
    {L"wait-hotkey-taken", CmdWaitHotkeyTaken,
     L"<combo> [--timeout ms]   waits until another program holds the hotkey; its Unix µs"},
    {L"text", CmdText, L"<window> [descendant-class]     its text, exactly (WM_GETTEXT)"},
    {L"post", CmdPost, L"<window> <msg> [wparam] [lparam]"},
    {L"send", CmdSend, L"<window> <msg> [wparam] [lparam] [--timeout ms]   prints the result"},
    {L"move", CmdMove, L"<window> <x> <y> <width> <height>"},
    {L"close", CmdClose, L"<window>     post WM_CLOSE"},
    {L"foreground", CmdForeground, L"     the foreground window and its title"},
    {L"activate", CmdActivate, L"<window>     bring it to the front"},
    {L"signal", CmdSignal, L"<event-name>     set a named event (stops a viewer)"},
    {L"keys", CmdKeys, L"<combo>... [--delay-ms n]   e.g. ctrl+alt+a f2 shift+f2 ctrl+numpad*"},
    {L"type", CmdType, L"<text>     as Unicode key events"},
    {L"listview", CmdListView, L"<window> [--index n] [--state] [--header] [--count]"},
    {L"listview-select", CmdListViewSelect, L"<window> <row>... [--index n]"},
    {L"listview-point", CmdListViewPoint,
     L"<window> <row> [--index n]   'x y' on the screen inside the row's label"},
    {L"control", CmdControl,
     L"<window> <id> [--checked | --selected]   a dialog control's text, check state (0/1/2)\n"
     L"         or a drop-down list's chosen entry"},
    {L"set-control", CmdSetControl, L"<window> <id> [--text t] [--check 0|1] [--select entry]"},
    {L"click", CmdClick, L"<window> <id>     press a button (posted BM_CLICK)"},
    {L"strip-version", CmdStripVersion,
     L"<program> <copy>     a copy of the program without its version record"},
    {L"watch-listview", CmdWatchListView,
     L"<window> --log file [--index n] [--column 0] [--interval-ms 1] [--stop-event name]\n"
     L"         [--painted]"},
    {L"viewer", CmdViewer,
     L"[--log file] [--title t] [--child title] [--stop-event name] [--list] [--show]\n"
     L"         [--hotkey combo]... [--slow-ms n] [--hold-ms n] [--no-chain] [--read] [--popup]\n"
     L"         prints 'ready <hwnd>'; --popup: the first hotkey shows a topmost list, Enter\n"
     L"         puts its selected text on the clipboard"},
};

void Usage() {
  std::wstring text =
      L"usage: tdriver <command> [arguments]\n"
      L"<window> is a hex handle (0x1A2B) or the exact title of a top-level window.\n"
      L"Exit codes: 0 ok, 1 failed, 2 usage, 3 no such text, 4 timeout.\n\n";
  for (const auto& c : kCommands) text += std::wstring(L"  ") + c.name + L" " + c.usage + L"\n";
  Err(text);
}

}  // namespace
}  // namespace tdriver

int wmain(int argc, wchar_t** argv) {
  using namespace tdriver;
  if (argc < 2) {
    Usage();
    return kUsage;
  }
  const std::wstring name = argv[1];
  for (const auto& c : kCommands) {
    if (name != c.name) continue;
    Args args(std::vector<std::wstring>(argv + 2, argv + argc));
    try {
      return c.run(args);
    } catch (const Failure& f) {
      Err(L"tdriver " + name + L": " + f.message + L"\n");
      if (f.code == kUsage) Err(std::wstring(L"usage: tdriver ") + c.name + L" " + c.usage + L"\n");
      return f.code;
    } catch (const std::exception& e) {
      Err(L"tdriver " + name + L": " + FromUtf8(e.what()) + L"\n");
      return kFailed;
    }
  }
  Err(L"tdriver: unknown command " + name + L"\n");
  Usage();
  return kUsage;
}
