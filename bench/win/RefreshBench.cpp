// A whole refresh of the list view's 999 rows, with the row count changed and
// unchanged, against a bare LVM_SETITEMCOUNT and paint of the same list, in
// the same run. Each figure is the fastest of nine rounds, each round ends
// once the list has painted; the ratios are printed with their goal.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/tests/FakeClipboard.h"
#include "core/tests/FixedClock.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"
#include "ui/MessageLoop.h"
#include "views/tests/ViewHost.h"

namespace {

double Seconds(const std::function<void()>& round, HWND hList) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  double best = 1e9;
  for (int i = 0; i < 9; ++i) {
    PumpMessages();
    ::QueryPerformanceCounter(&start);
    round();
    ::UpdateWindow(hList);
    ::QueryPerformanceCounter(&end);
    best = std::min(best, double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  }
  return best;
}

void SetCount(HWND hList, int count) {
  ::SendMessageW(hList, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

}  // namespace

int wmain() {
  CListView::InitCommonControls();
  CMemoryKeyStore store;
  store.PutDword(u"Software\\Orvelle\\Tansel\\Options", u"BufferSize", 999);
  SetSettingsPlatform(&store, nullptr);
  CFakeClipboard clipboard;
  CFixedClockServices text;
  text.m_tNow = 1770109507;
  CTanselDoc doc(clipboard, text);
  CMessageBoxPrompt prompt;
  CViewHost host(doc, text, prompt);
  if (!host.Create(L"refresh bench", true, 700, 500)) return 1;
  const int kRows = 999;
  // Texts of every kind: long ones with tabs and line breaks, short ones.
  for (int i = 0; i < kRows; ++i) {
    std::u16string item = u"item " + Utf16FromUtf8(std::to_string(i));
    if (i % 3 == 0) item += u"\tcolumn\r\nsecond line " + std::u16string(300, u'x');
    doc.AddItem(item);
    doc.GetItem(0)->tCreated = text.m_tNow;
  }
  CTanselListView& view = host.View();
  HWND hList = view.ListHandle();
  // The rows on screen are asked for as they are drawn, in both: what is
  // measured is what the refresh adds to a bare count and paint.
  const double unchanged = Seconds([&] { view.OnUpdate(0); }, hList);
  const double bareUnchanged = Seconds(
      [&] {
        SetCount(hList, kRows);
        ::InvalidateRect(hList, nullptr, FALSE);
      },
      hList);
  // One row fewer in the list than in the history: a new count.
  const double changed = Seconds(
      [&] {
        SetCount(hList, kRows - 1);
        view.OnUpdate(0);
      },
      hList);
  const double bareChanged = Seconds(
      [&] {
        SetCount(hList, kRows - 1);
        SetCount(hList, kRows);
      },
      hList);
  std::printf("whole refresh of %d rows, fastest of 9 rounds, each until painted:\n", kRows);
  std::printf(
      "  count unchanged: %.3f ms, bare count and paint %.3f ms, ratio %.2fx (goal at most 1.1x)\n",
      unchanged * 1e3, bareUnchanged * 1e3, unchanged / bareUnchanged);
  std::printf(
      "  count changed:   %.3f ms, bare count and paint %.3f ms, ratio %.2fx (goal at most 1.1x)\n",
      changed * 1e3, bareChanged * 1e3, changed / bareChanged);
  SetSettingsPlatform(nullptr, nullptr);
  return 0;
}
