// A whole refresh of the list view's 999 rows, with the row count changed (the
// rows are rebuilt) and unchanged (set in place), against a bare loop of the
// same list-view calls with texts made beforehand, in the same run. Each
// figure is the fastest of nine rounds, each round ends once the list has
// painted; the ratios are printed with their goal.
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

struct ROW {
  std::wstring number, text, time;
  int picture;
};

void SetRow(HWND hList, int i, const ROW& row) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = i;
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(row.number.c_str());
  item.iImage = row.picture;
  ::SendMessageW(hList, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  LVITEMW text{};
  text.iSubItem = 2;
  text.pszText = const_cast<wchar_t*>(row.text.c_str());
  ::SendMessageW(hList, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&text));
  text.iSubItem = 3;
  text.pszText = const_cast<wchar_t*>(row.time.c_str());
  ::SendMessageW(hList, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&text));
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
  std::vector<ROW> rows(kRows);
  for (int i = 0; i < kRows; ++i) {
    CListView list(hList);
    rows[i] = {std::to_wstring(i + 1),
               reinterpret_cast<const wchar_t*>(list.GetItemText(i, 2).c_str()),
               reinterpret_cast<const wchar_t*>(list.GetItemText(i, 3).c_str()), 0};
  }

  const double unchanged = Seconds([&] { view.OnUpdate(0); }, hList);
  const double bareUnchanged = Seconds(
      [&] {
        ::SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < kRows; ++i) SetRow(hList, i, rows[i]);
        ::SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hList, nullptr, TRUE);
      },
      hList);
  // One row fewer in the list than in the history: the refresh rebuilds.
  const double changed = Seconds(
      [&] {
        ::SendMessageW(hList, LVM_DELETEITEM, 0, 0);
        view.OnUpdate(0);
      },
      hList);
  const double bareChanged = Seconds(
      [&] {
        ::SendMessageW(hList, LVM_DELETEITEM, 0, 0);
        ::SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(hList, LVM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < kRows; ++i) {
          LVITEMW item{};
          item.mask = LVIF_TEXT | LVIF_IMAGE;
          item.iItem = i;
          item.pszText = const_cast<wchar_t*>(L"");
          ::SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
          SetRow(hList, i, rows[i]);
        }
        ::SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hList, nullptr, TRUE);
      },
      hList);
  std::printf("whole refresh of %d rows, fastest of 9 rounds:\n", kRows);
  std::printf("  count unchanged: %.2f ms, bare calls %.2f ms, ratio %.2fx (goal at most 1.5x)\n",
              unchanged * 1e3, bareUnchanged * 1e3, unchanged / bareUnchanged);
  std::printf("  count changed:   %.2f ms, bare calls %.2f ms, ratio %.2fx (goal at most 1.5x)\n",
              changed * 1e3, bareChanged * 1e3, changed / bareChanged);
  SetSettingsPlatform(nullptr, nullptr);
  return 0;
}
