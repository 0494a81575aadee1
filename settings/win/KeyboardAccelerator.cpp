#include "settings/win/KeyboardAccelerator.h"

#include "settings/Hotkey.h"

namespace {

UINT ModifiersOf(uint32_t hotkey) {
  UINT mods = 0;
  if (CHotkey::IsHotkeyCtrl(hotkey)) mods |= MOD_CONTROL;
  if (CHotkey::IsHotkeyAlt(hotkey)) mods |= MOD_ALT;
  if (CHotkey::IsHotkeyShift(hotkey)) mods |= MOD_SHIFT;
  return mods;
}

}  // namespace

CKeyboardAccelerator::~CKeyboardAccelerator() {
  for (auto& kv : m_hotkeys) Unregister(kv.second);
}

void CKeyboardAccelerator::SetMainWindow(HWND hWnd) {
  for (auto& kv : m_hotkeys) Unregister(kv.second);
  m_hWndMain = hWnd;
  for (auto& kv : m_hotkeys) Register(kv.first, kv.second);
}

void CKeyboardAccelerator::Register(uint32_t hotkey, HOTKEY_ENTRY& entry) {
  entry.registered = false;
  if (!m_hWndMain || CHotkey::GetHotkeyKey(hotkey) == 0) return;
  const UINT vk = CHotkey::GetHotkeyKey(hotkey);
  // Holding the combination down must not repeat the command; systems that
  // do not know the flag get the plain registration.
  entry.registered =
      RegisterSystemHotkey(m_hWndMain, entry.id, ModifiersOf(hotkey) | MOD_NOREPEAT, vk) ||
      RegisterSystemHotkey(m_hWndMain, entry.id, ModifiersOf(hotkey), vk);
}

void CKeyboardAccelerator::Unregister(HOTKEY_ENTRY& entry) {
  if (entry.registered) ::UnregisterHotKey(m_hWndMain, entry.id);
  entry.registered = false;
}

void CKeyboardAccelerator::AddHotkeyMessageID(uint32_t hotkey, uint32_t messageId) {
  auto it = m_hotkeys.find(hotkey);
  if (it != m_hotkeys.end()) {
    // Same combination, new command: the registration stays, or is tried
    // again when another program held the combination before.
    it->second.messageId = messageId;
    if (!it->second.registered) Register(hotkey, it->second);
    return;
  }
  HOTKEY_ENTRY& entry = m_hotkeys[hotkey];
  entry.messageId = messageId;
  entry.id = m_nNextId++;
  Register(hotkey, entry);
}

void CKeyboardAccelerator::RemoveHotkeyMessageID(uint32_t hotkey) {
  auto it = m_hotkeys.find(hotkey);
  if (it == m_hotkeys.end()) return;
  Unregister(it->second);
  m_hotkeys.erase(it);
}

BOOL CKeyboardAccelerator::ContainsMessageID(uint32_t hotkey) const {
  return m_hotkeys.count(hotkey) ? TRUE : FALSE;
}

uint32_t CKeyboardAccelerator::GetMessageID(uint32_t hotkey) const {
  auto it = m_hotkeys.find(hotkey);
  return it == m_hotkeys.end() ? 0 : it->second.messageId;
}

bool CKeyboardAccelerator::IsRegistered(uint32_t hotkey) const {
  auto it = m_hotkeys.find(hotkey);
  return it != m_hotkeys.end() && it->second.registered;
}

bool CKeyboardAccelerator::OnHotkey(WPARAM id) {
  for (const auto& kv : m_hotkeys) {
    if (kv.second.registered && static_cast<WPARAM>(kv.second.id) == id) {
      ::PostMessageW(m_hWndMain, kv.second.messageId, 0, 0);
      return true;
    }
  }
  return false;
}

void CKeyboardAccelerator::AddHotkeyFunction(int ctrl, int alt, int shift, WORD vk,
                                             std::function<void()> handler) {
  m_local.push_back(LOCAL_ENTRY{ctrl != 0, alt != 0, shift != 0, vk, std::move(handler)});
}

int CKeyboardAccelerator::CallFunction(HWND, WPARAM vk) {
  // VK_CONTROL, VK_MENU and VK_SHIFT are down for either hand's key.
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  for (const auto& e : m_local) {
    if (e.vk == vk && e.ctrl == ctrl && e.alt == alt && e.shift == shift) {
      e.handler();
      return 1;
    }
  }
  return 0;
}
