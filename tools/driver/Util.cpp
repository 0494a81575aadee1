// Helpers shared by the subcommands: arguments, text, output, time, logs and
// finding windows.
#include "Driver.h"

#include <cerrno>
#include <cwctype>

namespace tdriver {

void Fail(int code, const std::wstring& message) { throw Failure{code, message}; }

void FailLastError(const std::wstring& what) {
  const DWORD error = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = what + L" failed (error " + std::to_wstring(error) + L")";
  if (text) {
    std::wstring detail = text;
    LocalFree(text);
    while (!detail.empty() && std::iswspace(detail.back())) detail.pop_back();
    message += L": " + detail;
  }
  Fail(kFailed, message);
}

// ---- Args

bool Args::Has(const wchar_t* name) const {
  for (const auto& w : m_words) {
    if (w == L"--") return false;
    if (w == name) return true;
  }
  return false;
}

bool Args::Flag(const wchar_t* name) {
  for (size_t i = 0; i < m_words.size() && m_words[i] != L"--"; ++i) {
    if (m_words[i] == name) {
      m_words.erase(m_words.begin() + i);
      return true;
    }
  }
  return false;
}

std::wstring Args::Option(const wchar_t* name, const std::wstring& def) {
  for (size_t i = 0; i < m_words.size() && m_words[i] != L"--"; ++i) {
    if (m_words[i] == name) {
      if (i + 1 >= m_words.size()) Fail(kUsage, std::wstring(name) + L" needs a value");
      std::wstring value = m_words[i + 1];
      m_words.erase(m_words.begin() + i, m_words.begin() + i + 2);
      return value;
    }
  }
  return def;
}

std::vector<std::wstring> Args::Positional(size_t min, size_t max) {
  std::vector<std::wstring> result;
  bool options = true;
  for (const auto& w : m_words) {
    if (options && w == L"--") {
      options = false;
      continue;
    }
    // A lone "-" or a negative number is a value, not an option.
    if (options && w.size() > 1 && w[0] == L'-' && !IsNumber(w))
      Fail(kUsage, L"unknown option " + w);
    result.push_back(w);
  }
  if (result.size() < min || result.size() > max) Fail(kUsage, L"wrong number of arguments");
  return result;
}

// ---- text and numbers

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::wstring Hex(uintptr_t value) {
  wchar_t buf[32];
  swprintf(buf, 32, L"0x%llX", static_cast<unsigned long long>(value));
  return buf;
}

bool IsNumber(const std::wstring& text) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  wcstoll(text.c_str(), &end, 0);
  return end && *end == 0;
}

int64_t ParseInt(const std::wstring& text, const wchar_t* what) {
  wchar_t* end = nullptr;
  errno = 0;
  // Unsigned parse first so 0xFFFFFFFF-style values and handles fit.
  if (!text.empty() && text[0] != L'-') {
    const unsigned long long u = wcstoull(text.c_str(), &end, 0);
    if (!text.empty() && end && *end == 0 && errno == 0) return static_cast<int64_t>(u);
  } else {
    const long long v = wcstoll(text.c_str(), &end, 0);
    if (end && *end == 0 && errno == 0) return v;
  }
  Fail(kUsage, std::wstring(what) + L" is not a number: " + text);
}

// ---- output

static void Write(DWORD which, const std::wstring& text) {
  HANDLE h = GetStdHandle(which);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  DWORD mode, done;
  if (GetConsoleMode(h, &mode)) {
    WriteConsoleW(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    return;
  }
  const std::string bytes = ToUtf8(text);
  size_t at = 0;
  while (at < bytes.size()) {
    if (!WriteFile(h, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &done, nullptr) ||
        done == 0)
      return;
    at += done;
  }
}

void Out(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text); }
void OutLine(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text + L"\n"); }
void Err(const std::wstring& text) { Write(STD_ERROR_HANDLE, text); }

// ---- time

int64_t UnixMicros() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return (ticks - 116444736000000000LL) / 10;  // 100 ns since 1601 -> us since 1970
}

int64_t QpcMicros() {
  static const int64_t freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart / freq * 1000000 + c.QuadPart % freq * 1000000 / freq;
}

// ---- log

LogFile::LogFile(const std::wstring& path) {
  if (path.empty()) return;
  m_hFile = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile == INVALID_HANDLE_VALUE) FailLastError(L"opening the log " + path);
}

LogFile::~LogFile() {
  if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
}

void LogFile::Event(const std::wstring& kind, const std::wstring& detail, int64_t unixUs,
                    int64_t qpcUs) {
  if (m_hFile == INVALID_HANDLE_VALUE) return;
  if (!unixUs) unixUs = UnixMicros();
  if (!qpcUs) qpcUs = QpcMicros();
  std::wstring line = kind + L" " + std::to_wstring(unixUs) + L" " + std::to_wstring(qpcUs);
  if (!detail.empty()) line += L" " + detail;
  const std::string bytes = ToUtf8(line + L"\n");
  DWORD done;
  WriteFile(m_hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

// ---- windows

std::wstring WindowText(HWND hwnd) {
  // InternalGetWindowText reads the stored title without sending
  // WM_GETTEXT, so a hung target cannot hang the driver.
  wchar_t buf[1024];
  const int n = InternalGetWindowText(hwnd, buf, 1024);
  return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring WindowClass(HWND hwnd) {
  wchar_t buf[256];
  const int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

namespace {
struct FindState {
  const std::wstring* title;
  bool found;
  HWND hwnd;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lp) {
  auto* state = reinterpret_cast<FindState*>(lp);
  if (WindowText(hwnd) == *state->title) {
    state->found = true;
    state->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct TopState {
  const std::wstring* title;
  const std::wstring* child;
  bool visibleOnly;
  std::vector<HWND> result;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lp) {
  auto* state = reinterpret_cast<TopState*>(lp);
  if (WindowText(hwnd) != *state->title) return TRUE;
  if (state->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (!state->child->empty()) {
    FindState child{state->child, false, nullptr};
    EnumChildWindows(hwnd, MatchChild, reinterpret_cast<LPARAM>(&child));
    if (!child.found) return TRUE;
  }
  state->result.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> FindTopLevel(const std::wstring& title, const std::wstring& childTitle,
                               bool visibleOnly) {
  TopState state{&title, &childTitle, visibleOnly, {}};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&state));
  return state.result;
}

HWND ResolveWindow(const std::wstring& target) {
  if (target.size() > 2 && target[0] == L'0' && (target[1] == L'x' || target[1] == L'X') &&
      IsNumber(target)) {
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseInt(target, L"window")));
    if (!IsWindow(hwnd)) Fail(kFailed, L"no window " + target);
    return hwnd;
  }
  const auto found = FindTopLevel(target, L"", false);
  if (found.empty()) Fail(kFailed, L"no top-level window titled \"" + target + L"\"");
  return found.front();
}

}  // namespace tdriver
