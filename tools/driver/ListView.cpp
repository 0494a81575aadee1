// List-view subcommands across processes: the LVM_* messages that carry a
// pointer get one into memory allocated inside the target's process.
#include "Driver.h"

#include <commctrl.h>

namespace tdriver {
namespace {

constexpr DWORD kSendTimeoutMs = 5000;
constexpr int kTextUnits = 32768;

// A block of memory in another process, freed with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    m_hProcess = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (!m_hProcess) FailLastError(L"OpenProcess");
    m_p = VirtualAllocEx(m_hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!m_p) {
      CloseHandle(m_hProcess);
      FailLastError(L"VirtualAllocEx");
    }
  }
  ~RemoteBuffer() {
    VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
    CloseHandle(m_hProcess);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* Address(size_t offset = 0) const { return static_cast<char*>(m_p) + offset; }
  void Write(size_t offset, const void* data, size_t size) {
    if (!WriteProcessMemory(m_hProcess, Address(offset), data, size, nullptr))
      FailLastError(L"WriteProcessMemory");
  }
  void Read(size_t offset, void* data, size_t size) const {
    if (!ReadProcessMemory(m_hProcess, Address(offset), data, size, nullptr))
      FailLastError(L"ReadProcessMemory");
  }

 private:
  HANDLE m_hProcess = nullptr;
  void* m_p = nullptr;
};

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
    FailLastError(L"SendMessageTimeout to the list view");
  return static_cast<LRESULT>(result);
}

struct ListFinder {
  int wanted;
  HWND found = nullptr;
};

BOOL CALLBACK FindList(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<ListFinder*>(lp);
  if (WindowClass(h) == WC_LISTVIEWW && f->wanted-- == 0) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

// The target itself when it is a list view, otherwise its index-th list
// view descendant.
HWND ResolveListView(const std::wstring& target, int index) {
  HWND h = ResolveWindow(target);
  if (WindowClass(h) == WC_LISTVIEWW) return h;
  ListFinder finder{index};
  EnumChildWindows(h, FindList, reinterpret_cast<LPARAM>(&finder));
  if (!finder.found) Fail(kFailed, L"no list view " + std::to_wstring(index) + L" in " + target);
  return finder.found;
}

// Reads cells and headers through one remote block: the struct first, the
// text buffer after it.
class ListReader {
 public:
  explicit ListReader(HWND list)
      : m_list(list), m_remote(list, sizeof(LVITEMW) + kTextUnits * sizeof(wchar_t)) {}

  int Rows() { return static_cast<int>(Send(m_list, LVM_GETITEMCOUNT, 0, 0)); }

  int Columns() {
    HWND header = reinterpret_cast<HWND>(Send(m_list, LVM_GETHEADER, 0, 0));
    const int n = header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    return n > 0 ? n : 1;
  }

  std::wstring Cell(int row, int column) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(m_remote.Address(sizeof item));
    item.cchTextMax = kTextUnits;
    m_remote.Write(0, &item, sizeof item);
    const LRESULT n =
        Send(m_list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(m_remote.Address()));
    return ReadText(n);
  }

  std::wstring Header(int column) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = reinterpret_cast<LPWSTR>(m_remote.Address(sizeof(LVITEMW)));
    col.cchTextMax = kTextUnits;
    m_remote.Write(0, &col, sizeof col);
    const wchar_t zero = 0;
    m_remote.Write(sizeof(LVITEMW), &zero, sizeof zero);
    if (!Send(m_list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(m_remote.Address())))
      return L"";
    return ReadText(kTextUnits - 1);
  }

  // The row's label rectangle in screen coordinates.
  RECT LabelOnScreen(int row) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    m_remote.Write(0, &r, sizeof r);
    if (!Send(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
              reinterpret_cast<LPARAM>(m_remote.Address())))
      Fail(kFailed, L"no row " + std::to_wstring(row));
    m_remote.Read(0, &r, sizeof r);
    MapWindowPoints(m_list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  UINT State(int row) {
    return static_cast<UINT>(Send(m_list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_FOCUSED));
  }

  void SetState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    m_remote.Write(0, &item, sizeof item);
    Send(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
         reinterpret_cast<LPARAM>(m_remote.Address()));
  }

 private:
  // Reads the text buffer up to its terminator, at most `units` units.
  std::wstring ReadText(LRESULT units) {
    if (units <= 0) return L"";
    if (units > kTextUnits - 1) units = kTextUnits - 1;
    std::wstring text(static_cast<size_t>(units), L'\0');
    m_remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
  }

  HWND m_list;
  RemoteBuffer m_remote;
};

int IndexOption(Args& args) {
  return static_cast<int>(ParseInt(args.Option(L"--index", L"0"), L"--index"));
}

}  // namespace

int CmdListView(Args& args) {
  const int index = IndexOption(args);
  const bool state = args.Flag(L"--state");
  const bool header = args.Flag(L"--header");
  const bool count = args.Flag(L"--count");
  const auto pos = args.Positional(1, 1);
  ListReader list(ResolveListView(pos[0], index));
  const int rows = list.Rows();
  if (count) {
    OutLine(std::to_wstring(rows));
    return kOk;
  }
  const int columns = list.Columns();
  std::wstring out;
  if (header) {
    if (state) out += L"state\t";
    for (int c = 0; c < columns; ++c) out += (c ? L"\t" : L"") + list.Header(c);
    out += L"\n";
  }
  for (int r = 0; r < rows; ++r) {
    if (state) {
      const UINT s = list.State(r);
      out += (s & LVIS_SELECTED) ? L"S" : L"-";
      out += (s & LVIS_FOCUSED) ? L"F\t" : L"-\t";
    }
    for (int c = 0; c < columns; ++c) out += (c ? L"\t" : L"") + list.Cell(r, c);
    out += L"\n";
  }
  Out(out);
  return kOk;
}

int CmdListViewSelect(Args& args) {
  const int index = IndexOption(args);
  const auto pos = args.Positional(1, 1000);
  HWND h = ResolveListView(pos[0], index);
  ListReader list(h);
  const int rows = list.Rows();
  std::vector<int> wanted;
  for (size_t i = 1; i < pos.size(); ++i) {
    const int r = static_cast<int>(ParseInt(pos[i], L"row"));
    if (r < 0 || r >= rows) Fail(kFailed, L"no row " + pos[i]);
    wanted.push_back(r);
  }
  list.SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (size_t i = 0; i < wanted.size(); ++i)
    list.SetState(wanted[i], LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0),
                  LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0));
  if (!wanted.empty()) Send(h, LVM_ENSUREVISIBLE, wanted.front(), FALSE);
  return kOk;
}

int CmdListViewPoint(Args& args) {
  // Where a mouse double-clicks a row: inside its label, clear of the edges.
  const int index = static_cast<int>(ParseInt(args.Option(L"--index", L"0"), L"--index"));
  const auto pos = args.Positional(2, 2);
  ListReader reader(ResolveListView(pos[0], index));
  const RECT r = reader.LabelOnScreen(static_cast<int>(ParseInt(pos[1], L"a row")));
  OutLine(std::to_wstring(r.left + 6) + L" " + std::to_wstring((r.top + r.bottom) / 2));
  return kOk;
}

int CmdWatchListView(Args& args) {
  const int index = IndexOption(args);
  const std::wstring logPath = args.Option(L"--log");
  const DWORD interval =
      static_cast<DWORD>(ParseInt(args.Option(L"--interval-ms", L"1"), L"--interval-ms"));
  const std::wstring stopName = args.Option(L"--stop-event");
  const bool painted = args.Flag(L"--painted");
  const int column = static_cast<int>(ParseInt(args.Option(L"--column", L"0"), L"--column"));
  const auto pos = args.Positional(1, 1);
  if (logPath.empty()) Fail(kUsage, L"watch-listview needs --log");
  HWND h = ResolveListView(pos[0], index);
  HANDLE stop = stopName.empty() ? nullptr : CreateEventW(nullptr, TRUE, FALSE, stopName.c_str());
  LogFile log(logPath);
  ListReader list(h);
  // Logs each change of the row count or of row 0's text in the column
  // given, which is where a new newest item shows.
  int lastRows = -1;
  std::wstring lastText;
  for (;;) {
    if (!IsWindow(h)) break;
    int rows;
    std::wstring text;
    try {
      // A row may arrive between the count and the text: read until
      // the count around the text agrees.
      for (int before = -2; before != (rows = list.Rows());) {
        before = rows;
        text = rows > 0 ? list.Cell(0, column) : L"";
      }
    } catch (const Failure&) {
      if (!IsWindow(h)) break;  // the watched program ended
      throw;
    }
    const bool changed = rows != lastRows || text != lastText;
    // A program may change its rows and paint them later, when it is idle:
    // with --painted a change counts once the list has nothing left to paint.
    if (changed && painted) {
      const DWORD start = GetTickCount();
      while (GetUpdateRect(h, nullptr, FALSE) && GetTickCount() - start < 1000) Sleep(0);
    }
    // Stamped once the change is seen: a stamp before the read could
    // precede the change it reports and make a latency negative.
    const int64_t unixUs = UnixMicros(), qpcUs = QpcMicros();
    if (changed) {
      log.Event(lastRows < 0 ? L"initial" : L"change",
                L"rows=" + std::to_wstring(rows) + L" row0=" + text, unixUs, qpcUs);
      lastRows = rows;
      lastText = text;
    }
    if (!stop)
      Sleep(interval);
    else if (WaitForSingleObject(stop, interval) == WAIT_OBJECT_0)
      break;
  }
  log.Event(L"end");
  if (stop) CloseHandle(stop);
  return kOk;
}

}  // namespace tdriver
