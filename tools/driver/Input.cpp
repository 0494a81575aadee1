// Keyboard subcommands: key combinations and typed text, injected with
// SendInput so that the Wine server sees them (hotkeys fire, the focused
// window gets them); X never does.
#include "Driver.h"

#include <cwctype>

namespace tdriver {
namespace {

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

UINT KeyByName(const std::wstring& name) {
  static const struct {
    const wchar_t* name;
    UINT vk;
  } kNames[] = {
      {L"enter", VK_RETURN},     {L"return", VK_RETURN},   {L"esc", VK_ESCAPE},
      {L"escape", VK_ESCAPE},    {L"tab", VK_TAB},         {L"space", VK_SPACE},
      {L"backspace", VK_BACK},   {L"delete", VK_DELETE},   {L"del", VK_DELETE},
      {L"insert", VK_INSERT},    {L"ins", VK_INSERT},      {L"home", VK_HOME},
      {L"end", VK_END},          {L"pageup", VK_PRIOR},    {L"pgup", VK_PRIOR},
      {L"pagedown", VK_NEXT},    {L"pgdn", VK_NEXT},       {L"up", VK_UP},
      {L"down", VK_DOWN},        {L"left", VK_LEFT},       {L"right", VK_RIGHT},
      {L"apps", VK_APPS},        {L"pause", VK_PAUSE},     {L"capslock", VK_CAPITAL},
      {L"numpad*", VK_MULTIPLY}, {L"numpad+", VK_ADD},     {L"numpad-", VK_SUBTRACT},
      {L"numpad/", VK_DIVIDE},   {L"numpad.", VK_DECIMAL}, {L"ctrl", VK_CONTROL},
      {L"alt", VK_MENU},         {L"shift", VK_SHIFT},     {L"win", VK_LWIN},
  };
  for (const auto& k : kNames)
    if (name == k.name) return k.vk;
  if (name.size() == 1 &&
      ((name[0] >= L'a' && name[0] <= L'z') || (name[0] >= L'0' && name[0] <= L'9')))
    return std::towupper(name[0]);
  if (name.size() == 7 && name.compare(0, 6, L"numpad") == 0 && std::iswdigit(name[6]))
    return VK_NUMPAD0 + (name[6] - L'0');
  if (name.size() >= 2 && name[0] == L'f' && IsNumber(name.substr(1))) {
    const int64_t n = ParseInt(name.substr(1), L"function key");
    if (n >= 1 && n <= 24) return VK_F1 + static_cast<UINT>(n - 1);
  }
  if (name.size() > 2 && name.compare(0, 2, L"0x") == 0 && IsNumber(name))
    return static_cast<UINT>(ParseInt(name, L"virtual key")) & 0xFF;
  if (name.size() == 1) {  // punctuation: the key that types it on this layout
    const SHORT scan = VkKeyScanW(name[0]);
    if (scan != -1 && (scan >> 8) == 0) return scan & 0xFF;
  }
  Fail(kUsage, L"unknown key " + name);
}

bool IsExtended(UINT vk) {
  switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_APPS:
    case VK_LWIN:
    case VK_RWIN:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(UINT vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(vk);
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

void Send(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) FailLastError(L"SendInput");
}

}  // namespace

KeyCombo ParseCombo(const std::wstring& text) {
  static const struct {
    const wchar_t* prefix;
    UINT mod;
  } kMods[] = {
      {L"ctrl+", MOD_CONTROL}, {L"control+", MOD_CONTROL}, {L"alt+", MOD_ALT},
      {L"shift+", MOD_SHIFT},  {L"win+", MOD_WIN},
  };
  KeyCombo combo;
  // Modifiers are stripped from the front, so the key itself may contain
  // '+' ("ctrl+numpad+").
  std::wstring rest = Lower(text);
  for (bool again = true; again;) {
    again = false;
    for (const auto& m : kMods) {
      const std::wstring p = m.prefix;
      if (rest.size() > p.size() && rest.compare(0, p.size(), p) == 0) {
        combo.modifiers |= m.mod;
        rest.erase(0, p.size());
        again = true;
      }
    }
  }
  combo.vk = KeyByName(rest);
  return combo;
}

int CmdKeys(Args& args) {
  const DWORD delay = static_cast<DWORD>(ParseInt(args.Option(L"--delay-ms", L"0"), L"--delay-ms"));
  const auto pos = args.Positional(1, 1000);
  std::vector<KeyCombo> combos;
  for (const auto& p : pos) combos.push_back(ParseCombo(p));  // all parsed before any is sent
  for (size_t i = 0; i < combos.size(); ++i) {
    if (i && delay) Sleep(delay);
    PressCombo(combos[i]);
  }
  return kOk;
}

void PressCombo(const KeyCombo& combo) {
  static const struct {
    UINT mod, vk;
  } kModKeys[] = {
      {MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}, {MOD_WIN, VK_LWIN}};
  std::vector<INPUT> inputs;
  for (const auto& m : kModKeys)
    if (combo.modifiers & m.mod) inputs.push_back(KeyInput(m.vk, false));
  inputs.push_back(KeyInput(combo.vk, false));
  inputs.push_back(KeyInput(combo.vk, true));
  for (int k = 3; k >= 0; --k)
    if (combo.modifiers & kModKeys[k].mod) inputs.push_back(KeyInput(kModKeys[k].vk, true));
  Send(inputs);
}

int CmdType(Args& args) {
  const auto pos = args.Positional(1, 1);
  std::vector<INPUT> inputs;
  for (wchar_t c : pos[0]) {
    for (bool up : {false, true}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = c;
      in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(in);
    }
  }
  if (!inputs.empty()) Send(inputs);
  return kOk;
}

}  // namespace tdriver
