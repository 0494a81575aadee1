// The accelerator against the real (Wine) hotkey machinery: keys are
// injected with SendInput and must fire exactly the registered command.
// Catches: an accelerator that fires the wrong command, fires for 0, gives up a combination
// another program held, registers a modifier wrongly or without the no-repeat flag, or local keys
// confused with other modifiers.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "settings/Hotkey.h"
#include "settings/win/KeyboardAccelerator.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

// Records the flags each registration asks for.
class CFlagRecorder : public CKeyboardAccelerator {
 public:
  std::vector<std::pair<UINT, UINT>> m_calls;

 protected:
  BOOL RegisterSystemHotkey(HWND hWnd, int id, UINT modifiers, UINT vk) override {
    m_calls.push_back({modifiers, vk});
    return CKeyboardAccelerator::RegisterSystemHotkey(hWnd, id, modifiers, vk);
  }
};

// The main window stand-in with an accelerator of its own.
struct CHotkeyWindow : CNoticeWindow {
  CFlagRecorder m_global;
  CHotkeyWindow() { m_pAccelerator = &m_global, m_global.SetMainWindow(Handle()); }
};

// The commands one press of a hotkey's combination fires: waits for the one
// expected, then a little longer for any that must not come.
std::vector<UINT> Fired(CHotkeyWindow& w, uint32_t hotkey, bool bExpectOne = true) {
  w.m_messages.clear();
  std::vector<WORD> keys;
  if (CHotkey::IsHotkeyCtrl(hotkey)) keys.push_back(VK_CONTROL);
  if (CHotkey::IsHotkeyAlt(hotkey)) keys.push_back(VK_MENU);
  if (CHotkey::IsHotkeyShift(hotkey)) keys.push_back(VK_SHIFT);
  keys.push_back(CHotkey::GetHotkeyKey(hotkey));
  PressKeys(keys);
  WaitFor([&] { return w.m_messages.size() >= (bExpectOne ? 1u : 0u); });
  PumpFor(100);
  return w.m_messages;
}

const uint32_t kCtrlAltA = 0x30041, kCtrlAlt0 = 0x30030, kCtrlAltNumpadStar = 0x3006A;
using U = std::vector<UINT>;

TEST(KeyboardAccelerator, EachCombinationFiresTheCommandItHoldsNow) {
  CHotkeyWindow other, w;
  // 0 is kept but never registered or delivered.
  w.m_global.AddHotkeyMessageID(0, 1141);
  EXPECT_EQ(w.m_global.GetMessageID(0), 1141u);
  EXPECT_FALSE(w.m_global.IsRegistered(0));
  for (WPARAM id = 0; id < 8; ++id) EXPECT_FALSE(w.m_global.OnHotkey(id)) << id;

  w.m_global.AddHotkeyMessageID(kCtrlAltA, 1025);
  w.m_global.AddHotkeyMessageID(kCtrlAltNumpadStar, 1128);
  EXPECT_EQ(Fired(w, kCtrlAltA), U{1025});
  EXPECT_EQ(Fired(w, kCtrlAltNumpadStar), U{1128});
  // Held by another program: kept, and registered once it is free and asked again.
  ASSERT_TRUE(::RegisterHotKey(other.Handle(), 1, MOD_CONTROL | MOD_ALT, '0'));
  w.m_global.AddHotkeyMessageID(kCtrlAlt0, 1026);
  EXPECT_TRUE(w.m_global.ContainsMessageID(kCtrlAlt0));
  EXPECT_FALSE(w.m_global.IsRegistered(kCtrlAlt0));
  ::UnregisterHotKey(other.Handle(), 1);
  EXPECT_EQ(Fired(w, kCtrlAlt0, false), U{});
  w.m_global.AddHotkeyMessageID(kCtrlAlt0, 1026);
  EXPECT_EQ(Fired(w, kCtrlAlt0), U{1026});
  // Moving and removing a combination: the hotkey dialog's tests.
}

// Holding a combination down must fire its command once: the registration asks
// the system for no repeat. Wine accepts the flag but repeats anyway, so the
// flags are what can be checked here.
TEST(KeyboardAccelerator, EachModifierIsRegisteredAsItsOwnFlagWithoutKeyRepeat) {
  CFlagRecorder acc;
  for (uint32_t mods = 0; mods < 8; ++mods) acc.AddHotkeyMessageID(mods << 16 | VK_F9, 1025);
  EXPECT_TRUE(acc.m_calls.empty()) << "no window yet";
  CHotkeyWindow w;
  acc.SetMainWindow(w.Handle());
  ASSERT_EQ(acc.m_calls.size(), 8u);
  for (uint32_t mods = 0; mods < 8; ++mods) {
    // Bits 16, 17 and 18 are Ctrl, Alt and Shift; the system numbers them otherwise.
    const UINT flags = (mods & 1 ? MOD_CONTROL : 0) | (mods & 2 ? MOD_ALT : 0) |
                       (mods & 4 ? MOD_SHIFT : 0) | MOD_NOREPEAT;
    EXPECT_EQ(acc.m_calls[mods], std::make_pair(flags, UINT{VK_F9})) << mods;
    EXPECT_TRUE(acc.IsRegistered(mods << 16 | VK_F9)) << mods;
  }
  acc.SetMainWindow(nullptr);
  EXPECT_FALSE(acc.IsRegistered(0x70000 | VK_F9));
}

TEST(KeyboardAccelerator, LocalTableMatchesTheExactModifierStateOfEitherHand) {
  // Wine turns an injected right Shift into a left one, so the thread's key
  // state is set as Windows sets it for each key: the generic code and the
  // hand's own code down.
  CKeyboardAccelerator acc;
  std::vector<int> calls;
  acc.AddHotkeyFunction(0, 0, 0, VK_F2, [&] { calls.push_back(1); });
  acc.AddHotkeyFunction(1, 0, 0, VK_F2, [&] { calls.push_back(2); });
  acc.AddHotkeyFunction(0, 0, 1, VK_F2, [&] { calls.push_back(3); });
  acc.AddHotkeyFunction(0, 1, 1, VK_F2, [&] { calls.push_back(4); });
  const struct {
    std::vector<BYTE> down;
    WPARAM vk;
    int call;  // 0: nothing runs
  } cases[] = {
      {{}, VK_F2, 1},
      {{VK_CONTROL, VK_LCONTROL}, VK_F2, 2},
      {{VK_CONTROL, VK_RCONTROL}, VK_F2, 2},
      {{VK_SHIFT, VK_LSHIFT}, VK_F2, 3},
      {{VK_SHIFT, VK_RSHIFT}, VK_F2, 3},
      {{VK_MENU, VK_LMENU, VK_SHIFT, VK_LSHIFT}, VK_F2, 4},
      {{VK_MENU, VK_RMENU, VK_SHIFT, VK_RSHIFT}, VK_F2, 4},
      // Nothing but the exact state runs an entry.
      {{VK_SHIFT, VK_RSHIFT, VK_CONTROL, VK_RCONTROL}, VK_F2, 0},
      {{VK_MENU, VK_LMENU}, VK_F2, 0},
      {{VK_MENU, VK_LMENU, VK_CONTROL, VK_LCONTROL}, VK_F2, 0},
      {{}, VK_F3, 0},
  };
  BYTE saved[256];
  ASSERT_TRUE(::GetKeyboardState(saved));
  for (const auto& c : cases) {
    BYTE state[256] = {};
    for (BYTE vk : c.down) state[vk] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(state));
    calls.clear();
    EXPECT_EQ(acc.CallFunction(nullptr, c.vk) != 0, c.call != 0);
    EXPECT_EQ(calls, c.call ? std::vector<int>{c.call} : std::vector<int>{});
  }
  ::SetKeyboardState(saved);
}

}  // namespace
