// The accelerator against the real (Wine) hotkey machinery: keys are
// injected with SendInput and must fire exactly the registered command.
// Catches: an accelerator that fires the wrong command, fires for 0, keeps a removed hotkey, or
// confuses local keys with other modifiers.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "settings/Hotkey.h"
#include "settings/win/KeyboardAccelerator.h"
#include "tests/support/WinTestSupport.h"
#include "ui/Window.h"

namespace {

const UINT kFirstCommand = 0x401, kLastCommand = 0x4FF;

// The main window stand-in: passes WM_HOTKEY to the accelerator, records the
// command messages, and offers key-downs to a local table.
class CHotkeyWindow : public CWindow {
 public:
  CKeyboardAccelerator m_global;
  CKeyboardAccelerator m_local;
  std::vector<UINT> m_commands;
  std::vector<int> m_localCalls;
  std::vector<WPARAM> m_unhandledKeys;

  // Only a test of the focus needs a visible window; showing one is slow.
  explicit CHotkeyWindow(bool bVisible = false) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"TanselHotkeyTest";
    RegisterClass(wc);
    Create(L"TanselHotkeyTest", L"hotkey test", WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0),
           0, 0, 0, 200, 100);
    m_global.SetMainWindow(m_hWnd);
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HOTKEY) {
      m_global.OnHotkey(wParam);
      return 0;
    }
    if (message == WM_KEYDOWN) {
      if (!m_local.CallFunction(m_hWnd, wParam)) m_unhandledKeys.push_back(wParam);
      return 0;
    }
    if (message >= kFirstCommand && message <= kLastCommand) {
      m_commands.push_back(message);
      return 0;
    }
    return Default(message, wParam, lParam);
  }
};

// Presses the combination of a hotkey value; waits until `seen` holds `count`
// entries, then a little longer for any that must not come.
template <class Seen>
void Press(uint32_t hotkey, const Seen& seen, size_t count) {
  std::vector<WORD> keys;
  if (CHotkey::IsHotkeyCtrl(hotkey)) keys.push_back(VK_CONTROL);
  if (CHotkey::IsHotkeyAlt(hotkey)) keys.push_back(VK_MENU);
  if (CHotkey::IsHotkeyShift(hotkey)) keys.push_back(VK_SHIFT);
  keys.push_back(CHotkey::GetHotkeyKey(hotkey));
  PressKeys(keys);
  WaitFor([&] { return seen.size() >= count; });
  PumpFor(100);
}

const uint32_t kCtrlAltA = 0x30041, kCtrlAlt0 = 0x30030, kCtrlAltNumpadStar = 0x3006A;

TEST(KeyboardAccelerator, InjectedKeysFireExactlyTheRegisteredCommand) {
  CHotkeyWindow w;
  w.m_global.AddHotkeyMessageID(kCtrlAltA, 1025);
  w.m_global.AddHotkeyMessageID(kCtrlAltNumpadStar, 1128);
  w.m_global.AddHotkeyMessageID(0, 1141);
  ASSERT_TRUE(w.m_global.IsRegistered(kCtrlAltA));
  PumpFor(50);
  Press(kCtrlAltA, w.m_commands, 1);
  Press(kCtrlAltNumpadStar, w.m_commands, 2);
  Press(kCtrlAlt0, w.m_commands, 2);  // not registered
  EXPECT_EQ(w.m_commands, (std::vector<UINT>{1025, 1128}));
}

TEST(KeyboardAccelerator, ZeroIsKeptButNeverRegistersOrDelivers) {
  CHotkeyWindow w;
  w.m_global.AddHotkeyMessageID(0, 1141);
  EXPECT_TRUE(w.m_global.ContainsMessageID(0));
  EXPECT_EQ(w.m_global.GetMessageID(0), 1141u);
  EXPECT_FALSE(w.m_global.IsRegistered(0));
  for (WPARAM id = 0; id < 8; ++id) EXPECT_FALSE(w.m_global.OnHotkey(id));
  PumpFor(50);
  EXPECT_TRUE(w.m_commands.empty());
  w.m_global.RemoveHotkeyMessageID(0);
  EXPECT_FALSE(w.m_global.ContainsMessageID(0));
}

TEST(KeyboardAccelerator, ReAddingMovesTheHotkeyAndRemovingSilencesIt) {
  CHotkeyWindow w;
  w.m_global.AddHotkeyMessageID(kCtrlAltA, 1025);
  w.m_global.AddHotkeyMessageID(kCtrlAltA, 1026);
  EXPECT_EQ(w.m_global.GetMessageID(kCtrlAltA), 1026u);
  Press(kCtrlAltA, w.m_commands, 1);
  EXPECT_EQ(w.m_commands, (std::vector<UINT>{1026}));

  w.m_commands.clear();
  w.m_global.RemoveHotkeyMessageID(kCtrlAltA);
  EXPECT_FALSE(w.m_global.ContainsMessageID(kCtrlAltA));
  Press(kCtrlAltA, w.m_commands, 0);
  EXPECT_TRUE(w.m_commands.empty());

  // The combination is free again for whoever asks next.
  w.m_global.AddHotkeyMessageID(kCtrlAltA, 1143);
  Press(kCtrlAltA, w.m_commands, 1);
  EXPECT_EQ(w.m_commands, (std::vector<UINT>{1143}));
}

TEST(KeyboardAccelerator, ReAddingRetriesACombinationAnotherProgramHeld) {
  CHotkeyWindow other, w;
  ASSERT_TRUE(::RegisterHotKey(other.Handle(), 1, MOD_CONTROL | MOD_ALT, '0'));
  w.m_global.AddHotkeyMessageID(kCtrlAlt0, 1026);
  EXPECT_TRUE(w.m_global.ContainsMessageID(kCtrlAlt0));
  EXPECT_FALSE(w.m_global.IsRegistered(kCtrlAlt0));
  ::UnregisterHotKey(other.Handle(), 1);
  w.m_global.AddHotkeyMessageID(kCtrlAlt0, 1026);
  EXPECT_TRUE(w.m_global.IsRegistered(kCtrlAlt0));
  Press(kCtrlAlt0, w.m_commands, 1);
  EXPECT_EQ(w.m_commands, (std::vector<UINT>{1026}));
}

TEST(KeyboardAccelerator, HotkeysAddedBeforeTheWindowRegisterWithIt) {
  CKeyboardAccelerator acc;
  acc.AddHotkeyMessageID(kCtrlAlt0, 1026);
  EXPECT_FALSE(acc.IsRegistered(kCtrlAlt0));
  CHotkeyWindow w;
  acc.SetMainWindow(w.Handle());
  EXPECT_TRUE(acc.IsRegistered(kCtrlAlt0));
  acc.SetMainWindow(nullptr);
  EXPECT_FALSE(acc.IsRegistered(kCtrlAlt0));
}

TEST(KeyboardAccelerator, LocalTableReadsTheRealModifierState) {
  CHotkeyWindow w(true);
  ::SetForegroundWindow(w.Handle());
  ::SetFocus(w.Handle());
  // Injected keys go to the focused window; without the focus nothing here
  // could be seen, so that is a failure of the test's setting, said plainly.
  ASSERT_TRUE(WaitFor([&] { return ::GetFocus() == w.Handle(); }))
      << "the test window cannot take the keyboard focus on this display";
  // Taking the focus makes Wine re-read the keyboard state from X; let that
  // settle before the injected modifiers, or it may reset them.
  PumpFor(300);
  w.m_local.AddHotkeyFunction(0, 0, 0, VK_F2, [&] { w.m_localCalls.push_back(1); });
  w.m_local.AddHotkeyFunction(1, 0, 0, VK_F2, [&] { w.m_localCalls.push_back(2); });
  w.m_local.AddHotkeyFunction(0, 0, 1, VK_F2, [&] { w.m_localCalls.push_back(3); });
  Press(VK_F2, w.m_localCalls, 1);
  Press(0x10000 | VK_F2, w.m_localCalls, 2);
  Press(0x40000 | VK_F2, w.m_localCalls, 3);
  EXPECT_EQ(w.m_localCalls, (std::vector<int>{1, 2, 3}));
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

// Records the flags each registration asks for.
class CFlagRecorder : public CKeyboardAccelerator {
 public:
  std::vector<UINT> m_modifiers;

 protected:
  BOOL RegisterSystemHotkey(HWND hWnd, int id, UINT modifiers, UINT vk) override {
    m_modifiers.push_back(modifiers);
    return CKeyboardAccelerator::RegisterSystemHotkey(hWnd, id, modifiers, vk);
  }
};

// Holding a combination down must fire its command once: the registration asks
// the system for no repeat. Wine accepts the flag but repeats anyway, so the
// flags are what can be checked here.
TEST(KeyboardAccelerator, HotkeysAreRegisteredWithoutKeyRepeat) {
  CHotkeyWindow w;
  CFlagRecorder acc;
  acc.SetMainWindow(w.Handle());
  acc.AddHotkeyMessageID(kCtrlAltA, 1025);
  acc.AddHotkeyMessageID(0x40000 | VK_F9, 1026);
  EXPECT_EQ(acc.m_modifiers,
            (std::vector<UINT>{MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, MOD_SHIFT | MOD_NOREPEAT}));
  acc.SetMainWindow(nullptr);
}

}  // namespace
