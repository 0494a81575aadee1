#pragma once
// Owners of Win32 handles. Each is move-only: a handle has exactly one owner,
// and ownership passes to the system only after the call that takes it
// succeeded (Release() after the API accepted the handle).
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <utility>

template <class Traits>
class CUniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  CUniqueHandle() noexcept = default;
  explicit CUniqueHandle(Handle h) noexcept : m_h(h) {}
  ~CUniqueHandle() { Reset(); }
  CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Release()) {}
  CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  CUniqueHandle(const CUniqueHandle&) = delete;
  CUniqueHandle& operator=(const CUniqueHandle&) = delete;

  Handle Get() const noexcept { return m_h; }
  explicit operator bool() const noexcept { return m_h != nullptr; }

  // Gives the handle up, for a call that has just taken it over.
  Handle Release() noexcept { return std::exchange(m_h, nullptr); }
  void Reset(Handle h = nullptr) noexcept {
    Handle old = std::exchange(m_h, h);
    if (old) Traits::Close(old);
  }
  // For APIs that return the handle through a pointer (RegOpenKeyExW).
  Handle* Receive() noexcept {
    Reset();
    return &m_h;
  }

 private:
  Handle m_h = nullptr;
};

struct KeyTraits {
  using Handle = HKEY;
  static void Close(HKEY h) { ::RegCloseKey(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static void Close(HMENU h) { ::DestroyMenu(h); }
};
// Only for icons the program created or loaded without LR_SHARED: shared
// icons belong to the system and must never be destroyed.
struct IconTraits {
  using Handle = HICON;
  static void Close(HICON h) { ::DestroyIcon(h); }
};
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static void Close(HBITMAP h) { ::DeleteObject(h); }
};
// A global memory block that the program owns until it hands it over.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static void Close(HGLOBAL h) { ::GlobalFree(h); }
};

using CKeyHandle = CUniqueHandle<KeyTraits>;
using CMenuHandle = CUniqueHandle<MenuTraits>;
using CIconHandle = CUniqueHandle<IconTraits>;
using CImageListHandle = CUniqueHandle<ImageListTraits>;
using CBitmapHandle = CUniqueHandle<BitmapTraits>;
using CGlobalMemory = CUniqueHandle<GlobalMemoryTraits>;

// Keeps a global block locked for a scope. It does not own the block, so it
// also serves blocks that belong to the clipboard.
class CGlobalLock {
 public:
  explicit CGlobalLock(HGLOBAL h) noexcept : m_h(h), m_p(h ? ::GlobalLock(h) : nullptr) {}
  ~CGlobalLock() { Unlock(); }
  CGlobalLock(CGlobalLock&& other) noexcept
      : m_h(std::exchange(other.m_h, nullptr)), m_p(std::exchange(other.m_p, nullptr)) {}
  CGlobalLock& operator=(CGlobalLock&&) = delete;
  CGlobalLock(const CGlobalLock&) = delete;
  CGlobalLock& operator=(const CGlobalLock&) = delete;

  void* Get() const noexcept { return m_p; }
  void Unlock() noexcept {
    if (m_p) {
      ::GlobalUnlock(m_h);
      m_p = nullptr;
    }
  }

 private:
  HGLOBAL m_h;
  void* m_p;
};

// The clipboard kept open for a scope. OpenClipboard(NULL) opens it for the
// calling thread without an owner window.
class CClipboardOpen {
 public:
  CClipboardOpen() noexcept = default;
  ~CClipboardOpen() { Close(); }
  CClipboardOpen(CClipboardOpen&& other) noexcept : m_bOpen(std::exchange(other.m_bOpen, false)) {}
  CClipboardOpen& operator=(CClipboardOpen&&) = delete;
  CClipboardOpen(const CClipboardOpen&) = delete;
  CClipboardOpen& operator=(const CClipboardOpen&) = delete;

  bool Open(HWND owner = nullptr) noexcept {
    if (!m_bOpen) m_bOpen = ::OpenClipboard(owner) != FALSE;
    return m_bOpen;
  }
  bool IsOpen() const noexcept { return m_bOpen; }
  // Closed before the call: after a change, CloseClipboard notifies the
  // viewers on this thread from inside the call, and they must find the
  // clipboard closed so that they can open it themselves.
  void Close() noexcept {
    if (std::exchange(m_bOpen, false)) ::CloseClipboard();
  }

 private:
  bool m_bOpen = false;
};
