// Load and bad input for the reliability scenarios: a burst of copies, a
// watch on how long a window takes to answer, and private messages at random.
#include <atomic>
#include <cstring>
#include <thread>

#include "Driver.h"

namespace tdriver {
namespace {

// Worst time a window took to answer WM_NULL, watched from a thread of its
// own until Stop(). A window that does not answer within 10 s counts 10 s.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND hwnd, DWORD intervalMs = 2) {
    m_thread = std::thread([this, hwnd, intervalMs] {
      while (!m_stop) {
        const int64_t start = QpcMicros();
        DWORD_PTR result;
        SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        const int64_t took = QpcMicros() - start;
        if (took > m_worstUs) m_worstUs = took;
        ++m_answers;
        Sleep(intervalMs);
      }
    });
  }
  ~AnswerWatch() { Stop(); }
  void Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
  }
  std::wstring Report() const {
    return L"worst-answer-ms " + std::to_wstring(m_worstUs / 1000) + L"." +
           std::to_wstring(m_worstUs % 1000 / 100) + L" answers " + std::to_wstring(m_answers);
  }

 private:
  std::atomic<bool> m_stop{false};
  std::atomic<int64_t> m_worstUs{0};
  std::atomic<int> m_answers{0};
  std::thread m_thread;
};

// One copy, as a program puts it, opened by the driver's window (see
// OpenerWindow). False, with the reason in `why`, when it could not be made.
bool Copy(HWND owner, const std::wstring& text, std::wstring& why) {
  if (!PollUntil(3000, 0, [&] { return OpenClipboard(owner) != FALSE; })) {
    why = L"OpenClipboard failed for 3 s (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  bool set = false;
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(h)) {
      memcpy(p, text.c_str(), bytes);
      GlobalUnlock(h);
      set = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
    }
    if (!set) GlobalFree(h);
  }
  if (!set) why = L"the block was not set (error " + std::to_wstring(GetLastError()) + L")";
  CloseClipboard();
  return set;
}

// A small deterministic generator: the same seed, the same run.
class Random {
 public:
  explicit Random(uint64_t seed)
      : m_state(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
  uint32_t Next() {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(m_state >> 33);
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }

 private:
  uint64_t m_state;
};

// The text of copy i: "<prefix> <i>", padded with letters to a size drawn
// between minUnits and maxUnits.
std::wstring BurstText(const std::wstring& prefix, int i, size_t minUnits, size_t maxUnits,
                       Random& random) {
  std::wstring text = prefix + L" " + std::to_wstring(i);
  const size_t units = minUnits + random.Below(static_cast<uint32_t>(maxUnits - minUnits + 1));
  while (text.size() < units) text.push_back(static_cast<wchar_t>(L'a' + text.size() % 26));
  return text;
}

}  // namespace

// burst <count> [--window w] [--prefix p] [--units min-max] [--settle-ms n] [--sync]
// Copies count different texts back to back; with --window, watches how long
// that window takes to answer during the burst and settle-ms after it; with
// --sync, waits after each copy until the window answers, so that it has
// handled the copy's notice (a soak rather than a burst).
int CmdBurst(Args& args) {
  const std::wstring target = args.Option(L"--window");
  const std::wstring prefix = args.Option(L"--prefix", L"burst");
  const std::wstring units = args.Option(L"--units", L"0-0");
  const DWORD settleMs = static_cast<DWORD>(ParseInt(args.Option(L"--settle-ms", L"1000"), L"ms"));
  const bool sync = args.Flag(L"--sync");
  const auto pos = args.Positional(1, 1);
  const int count = static_cast<int>(ParseInt(pos[0], L"count"));
  const size_t dash = units.find(L'-');
  if (dash == std::wstring::npos) Fail(kUsage, L"--units takes min-max");
  const size_t minUnits = static_cast<size_t>(ParseInt(units.substr(0, dash), L"--units"));
  const size_t maxUnits = static_cast<size_t>(ParseInt(units.substr(dash + 1), L"--units"));
  if (maxUnits < minUnits) Fail(kUsage, L"--units: max below min");
  if (sync && target.empty()) Fail(kUsage, L"--sync needs --window");

  HWND owner = OpenerWindow();
  if (!owner) FailLastError(L"CreateWindowExW");
  Random random(static_cast<uint64_t>(count));
  const HWND hTarget = target.empty() ? nullptr : ResolveWindow(target);
  std::unique_ptr<AnswerWatch> watch;
  if (hTarget && !sync) watch = std::make_unique<AnswerWatch>(hTarget);
  const int64_t start = QpcMicros();
  int copied = 0;
  std::wstring firstFailure;
  for (int i = 1; i <= count; ++i) {
    std::wstring why;
    if (Copy(owner, BurstText(prefix, i, minUnits, maxUnits, random), why))
      ++copied;
    else if (firstFailure.empty())
      firstFailure = L"copy " + std::to_wstring(i) + L": " + why;
    DWORD_PTR result;
    if (sync) SendMessageTimeoutW(hTarget, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  }
  const int64_t tookUs = QpcMicros() - start;
  if (watch) {
    Sleep(settleMs);
    watch->Stop();
  }
  OutLine(L"copies " + std::to_wstring(copied) + L" ms " + std::to_wstring(tookUs / 1000) +
          (watch ? L" " + watch->Report() : L""));
  if (copied != count)
    Fail(kFailed, std::to_wstring(count - copied) + L" copies failed, the first " + firstFailure);
  return kOk;
}

// watch-answer <window> <ms>: the worst WM_NULL answer over that time.
int CmdWatchAnswer(Args& args) {
  const auto pos = args.Positional(2, 2);
  HWND hwnd = ResolveWindow(pos[0]);
  const DWORD ms = static_cast<DWORD>(ParseInt(pos[1], L"ms"));
  AnswerWatch watch(hwnd);
  Sleep(ms);
  watch.Stop();
  OutLine(watch.Report());
  return kOk;
}

namespace {

// Closes what a burst of messages opened in the target's process: menus by
// Escape, dialogs and boxes by Cancel, then No. True when none is left.
bool CloseOpenWindows(HWND main) {
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  struct Search {
    DWORD pid;
    HWND main;
    std::vector<HWND> found;
  } search{pid, main, {}};
  return PollUntil(5000, 50, [&] {
    search.found.clear();
    EnumWindows(
        [](HWND h, LPARAM l) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(l);
          DWORD p = 0;
          GetWindowThreadProcessId(h, &p);
          if (p == s.pid && h != s.main && IsWindowVisible(h)) s.found.push_back(h);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND h : search.found) {
      const std::wstring cls = WindowClass(h);
      if (cls == L"#32768") {
        PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
      } else if (cls == L"#32770") {
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(h, WM_COMMAND, IDNO, 0);
      }
    }
    return search.found.empty();
  });
}

}  // namespace

// fuzz <window> <count> [--seed n] [--batch n] [--handled id,id-id,...]
// Posts count private messages 0x400-0x7FF with random parameters, a quarter
// of them chosen among the handled ids; after each batch waits for an
// answer and closes whatever opened. Fails on a window that stops answering.
int CmdFuzz(Args& args) {
  const uint64_t seed = static_cast<uint64_t>(ParseInt(args.Option(L"--seed", L"1"), L"--seed"));
  const int batch = static_cast<int>(ParseInt(args.Option(L"--batch", L"100"), L"--batch"));
  const std::wstring handledList = args.Option(L"--handled");
  const auto pos = args.Positional(2, 2);
  HWND hwnd = ResolveWindow(pos[0]);
  const int count = static_cast<int>(ParseInt(pos[1], L"count"));
  std::vector<UINT> handled;
  for (size_t at = 0; at < handledList.size();) {
    size_t end = handledList.find(L',', at);
    if (end == std::wstring::npos) end = handledList.size();
    const std::wstring item = handledList.substr(at, end - at);
    const size_t dash = item.find(L'-');
    const UINT first = static_cast<UINT>(ParseInt(item.substr(0, dash), L"--handled"));
    const UINT last = dash == std::wstring::npos
                          ? first
                          : static_cast<UINT>(ParseInt(item.substr(dash + 1), L"--handled"));
    for (UINT id = first; id <= last; ++id) handled.push_back(id);
    at = end + 1;
  }
  Random random(seed);
  int posted = 0, batches = 0, leftOpen = 0;
  int64_t worstUs = 0;
  for (int i = 0; i < count; ++i) {
    const UINT message = !handled.empty() && random.Below(4) == 0
                             ? handled[random.Below(static_cast<uint32_t>(handled.size()))]
                             : 0x400 + random.Below(0x400);
    // Small numbers, mouse notices and anything at all, alike often.
    const WPARAM wParam = random.Below(2) ? random.Below(8) : random.Next();
    const LPARAM lParam = random.Below(2)
                              ? WM_MOUSEFIRST + random.Below(WM_MOUSELAST - WM_MOUSEFIRST + 1)
                              : static_cast<LPARAM>(random.Next());
    if (PostMessageW(hwnd, message, wParam, lParam)) ++posted;
    if ((i + 1) % batch == 0 || i + 1 == count) {
      ++batches;
      const int64_t start = QpcMicros();
      DWORD_PTR result;
      // A window stuck in a loop of its own answers after its windows close;
      // one that does not then is hung.
      if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) &&
          (CloseOpenWindows(hwnd),
           !SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)))
        Fail(kFailed, L"no answer within 10 s after batch " + std::to_wstring(batches));
      worstUs = std::max(worstUs, QpcMicros() - start);
      if (!CloseOpenWindows(hwnd)) ++leftOpen;
      if (!IsWindow(hwnd))
        Fail(kFailed, L"the window is gone after batch " + std::to_wstring(batches));
    }
  }
  OutLine(L"posted " + std::to_wstring(posted) + L" batches " + std::to_wstring(batches) +
          L" worst-batch-answer-ms " + std::to_wstring(worstUs / 1000) + L" left-open " +
          std::to_wstring(leftOpen));
  return leftOpen == 0 ? kOk : kFailed;
}

}  // namespace tdriver
