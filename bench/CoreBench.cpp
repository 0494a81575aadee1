// Costs of the history core, each beside a baseline measured in the same run
// (bench/ratios.py turns the pairs into ratios).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <new>

#include "core/TanselDoc.h"
#include "settings/ApplicationRegistry.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"

// Counts heap traffic so that the memory an item costs can be measured. The
// replaced operators pair malloc with free, which GCC cannot see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static std::atomic<size_t> g_nAllocBytes{0};
static std::atomic<size_t> g_nAllocCount{0};

void* operator new(size_t n) {
  g_nAllocBytes += n;
  ++g_nAllocCount;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

// A clipboard whose block is the caller's buffer: the capture's own copy is
// the only one measured.
class CBenchClipboard : public IClipboard {
 public:
  const void* m_pData = nullptr;
  size_t m_nSize = 0;
  unsigned m_nRegistered = 0;

  class CBlock : public IClipBlock {
   public:
    CBlock(const void* p, size_t n) : m_p(p), m_n(n) {}
    size_t Size() override { return m_n; }
    const void* Lock() override { return m_p; }
    void Unlock() override {}

   private:
    const void* m_p;
    size_t m_n;
  };

  bool Attach() override { return true; }
  void Release() override {}
  // Unnumbered: every notice is a change to read, so each loop reads it all.
  uint32_t SequenceNumber() override { return 0; }
  bool IsFormatAvailable(unsigned f) override { return f == kCfUnicodeText; }
  unsigned RegisterFormat(const char16_t*) override { return 0xC100 + m_nRegistered++; }
  std::unique_ptr<IClipBlock> Fetch(unsigned) override {
    return std::make_unique<CBlock>(m_pData, m_nSize);
  }
  bool Open() override { return true; }
  bool Empty() override { return true; }
  bool SetUnicodeText(const char16_t*, size_t) override { return true; }
  void Close() override {}
  CString16 AnsiToUnicode(const char*, size_t) override { return {}; }
};

struct CBenchEnv {
  CMemoryKeyStore store;
  CBenchClipboard clip;
  CBenchEnv() { SetSettingsPlatform(&store, nullptr); }
};

CBenchEnv& Env() {
  static CBenchEnv env;
  return env;
}

CString16 IdentifierText(size_t n) {
  static const CString16 kWords[] = {u"routeTable ", u"HELLO_WORLD ",        u"file-name.txt ",
                                     u"CFindDlg ",   u"version_2_final\r\n", u"plain words\t"};
  CString16 s;
  s.reserve(n + 32);
  for (size_t i = 0; s.size() < n; ++i) s += kWords[i % 6];
  s.resize(n);
  return s;
}

// --- capture of a 5,000,000-byte block --------------------------------------

void BM_PlainCopy5MB(benchmark::State& state) {
  const CString16 src(2499999, u'a');
  for (auto _ : state) {
    CString16 copy(src.data(), src.size());
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_PlainCopy5MB)->Unit(benchmark::kMillisecond);

void BM_Capture5MB(benchmark::State& state) {
  CBenchEnv& env = Env();
  const CString16 src(2499999, u'a');
  env.clip.m_pData = src.c_str();
  env.clip.m_nSize = (src.size() + 1) * 2;
  CApplicationRegistry().SetBufferSize(1);  // each capture also drops the previous item
  CTanselDoc doc(env.clip, RuntimeTextServices());
  for (auto _ : state) doc.CaptureClipboard();
  if (doc.GetItemCount() != 1) state.SkipWithError("nothing captured");
  CApplicationRegistry().SetBufferSize(200);
}
BENCHMARK(BM_Capture5MB)->Unit(benchmark::kMillisecond);

// --- transformations at 1 M and 2 M characters ------------------------------

void BM_TowupperPass(benchmark::State& state) {
  CString16 s = IdentifierText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    CString16 t = s;
    for (char16_t& c : t) c = static_cast<char16_t>(std::towupper(c));
    benchmark::DoNotOptimize(t.data());
  }
}
BENCHMARK(BM_TowupperPass)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

template <class F>
void RunTransform(benchmark::State& state, F f) {
  const CTextTransform transform(RuntimeTextServices());
  const CString16 s = IdentifierText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    CString16 r = f(transform, s);
    benchmark::DoNotOptimize(r.data());
  }
}

using T = const CTextTransform&;
void BM_MakeObject(benchmark::State& st) {
  RunTransform(st, [](T, const CString16& s) { return CTextTransform::MakeObjectText(s); });
}
void BM_ConvertToID(benchmark::State& st) {
  RunTransform(st, [](T t, const CString16& s) { return t.ConvertToIDText(s); });
}
void BM_ConvertFromID(benchmark::State& st) {
  RunTransform(st, [](T t, const CString16& s) { return t.ConvertFromIDText(s); });
}
void BM_Upper(benchmark::State& st) {
  RunTransform(st, [](T t, const CString16& s) { return t.ChangeCaseText(s, CASE_UPPER); });
}
void BM_Lower(benchmark::State& st) {
  RunTransform(st, [](T t, const CString16& s) { return t.ChangeCaseText(s, CASE_LOWER); });
}
void BM_Title(benchmark::State& st) {
  RunTransform(st, [](T t, const CString16& s) { return t.ChangeCaseText(s, CASE_TITLE); });
}
void BM_EscapeForDisplay(benchmark::State& st) {
  RunTransform(st, [](T, const CString16& s) {
    CString16 t = s;
    CTanselDoc::EscapeForDisplay(t);
    return t;
  });
}
BENCHMARK(BM_MakeObject)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToID)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFromID)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Upper)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lower)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Title)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscapeForDisplay)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

// --- FindNext over a full history with no match ------------------------------
// Args: match case, whole word.

void BM_FindNextNoMatch(benchmark::State& state) {
  CBenchEnv& env = Env();
  CApplicationRegistry().SetBufferSize(999);
  CTanselDoc doc(env.clip, RuntimeTextServices());
  const CString16 text = IdentifierText(10000);
  for (int i = 0; i < 999; ++i) doc.AddItem(text);
  FIND_CRITERIA* p = doc.GetFindCriteria();
  p->strText = u"needle";
  p->bMatchCase = static_cast<BOOL>(state.range(0));
  p->bWholeWord = static_cast<BOOL>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(doc.FindNext(-1, TRUE));
  CApplicationRegistry().SetBufferSize(200);
}
BENCHMARK(BM_FindNextNoMatch)
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// --- memory an item costs beyond its text ------------------------------------

void BM_MemoryPerItem(benchmark::State& state) {
  CBenchEnv& env = Env();
  const int kItems = 10000;
  CApplicationRegistry().SetBufferSize(kItems);
  double dOverhead = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto pDoc = std::make_unique<CTanselDoc>(env.clip, RuntimeTextServices());
    std::vector<CString16> texts(kItems, CString16(100, u'x'));
    state.ResumeTiming();
    const size_t nBytes0 = g_nAllocBytes, nCount0 = g_nAllocCount;
    for (auto& t : texts) pDoc->AddItem(std::move(t));  // texts move: no new text buffer
    const size_t nBytes = g_nAllocBytes - nBytes0, nCount = g_nAllocCount - nCount0;
    // Requested bytes plus the allocator's 16-byte header per block.
    dOverhead = static_cast<double>(nBytes + 16 * nCount) / kItems;
  }
  state.counters["bytes_per_item"] = dOverhead;
  CApplicationRegistry().SetBufferSize(200);
}
BENCHMARK(BM_MemoryPerItem)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
