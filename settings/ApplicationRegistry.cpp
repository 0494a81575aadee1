#include "settings/ApplicationRegistry.h"

#include <string>

#include "settings/CommandTable.h"
#include "settings/NoCase.h"

namespace {

const char16_t kApplicationKey[] = u"Software\\Orvelle\\Tansel";
const char16_t kRunValue[] = u"Tansel";
// The largest value name the registry allows, plus its terminator: no name in
// the Run key can end the search early by not fitting.
constexpr uint32_t kMaxValueNameChars = 16384;
// MAX_PATH: the quoted path must fit it, terminator included.
constexpr size_t kMaxPathChars = 260;

const char16_t kMainWindow[] = u"MainWindow";
const char16_t kSmallWindow[] = u"SmallWindow";
const char16_t kFindWindow[] = u"FindWindow";
const char16_t kOptions[] = u"Options";
const char16_t kHotkeys[] = u"Hotkeys";

constexpr uint32_t kHotkeyCtrl = 1u << 16;
constexpr uint32_t kHotkeyAlt = 1u << 17;
constexpr uint32_t kHotkeyShift = 1u << 18;

constexpr int kMinResetClipboardTimer = 10000;

struct NAMED_KEY {
  uint16_t vk;
  const char16_t* pszName;
};
const NAMED_KEY kNamedKeys[] = {
    {8, u"Backspace"},    {13, u"Enter"},       {32, u"Space"},       {33, u"Page Up"},
    {34, u"Page Down"},   {35, u"End"},         {36, u"Home"},        {37, u"Arrow Left"},
    {38, u"Arrow Up"},    {39, u"Arrow Right"}, {40, u"Arrow Down"},  {45, u"Insert"},
    {46, u"Delete"},      {106, u"Numpad *"},   {107, u"Numpad +"},   {109, u"Numpad -"},
    {110, u"Numpad ."},   {111, u"Numpad /"},   {112, u"F1"},         {113, u"F2"},
    {114, u"F3"},         {115, u"F4"},         {116, u"F5"},         {117, u"F6"},
    {118, u"F7"},         {119, u"F8"},         {120, u"F9"},         {121, u"F10"},
    {122, u"F11"},        {123, u"F12"},
};

// The stored name of a hotkey: the message id in decimal.
CString16 HotkeyValueName(uint32_t messageId) {
  const std::string digits = std::to_string(messageId);
  return CString16(digits.begin(), digits.end());
}

}  // namespace

CApplicationRegistry::CApplicationRegistry() : CSmartRegistry(kHKeyCurrentUser, kApplicationKey) {}

CApplicationRegistry::~CApplicationRegistry() = default;

BOOL CApplicationRegistry::GetFirstRun() { return ReadDWORD(nullptr, u"FirstRun", 1); }

BOOL CApplicationRegistry::SetFirstRun(BOOL value) {
  return WriteDWORD(nullptr, u"FirstRun", value);
}

void CApplicationRegistry::GetMainWindowPlacement(int& left, int& top, int& width, int& height) {
  left = ReadDWORD(kMainWindow, u"Left", 0);
  top = ReadDWORD(kMainWindow, u"Top", 0);
  width = ReadDWORD(kMainWindow, u"Width", 360);
  height = ReadDWORD(kMainWindow, u"Height", 550);
}

BOOL CApplicationRegistry::SetMainWindowPlacement(int left, int top, int width, int height) {
  // One write per value and no transaction: a failure leaves the earlier
  // values written.
  BOOL ok = WriteDWORD(kMainWindow, u"Left", left);
  ok &= WriteDWORD(kMainWindow, u"Top", top);
  ok &= WriteDWORD(kMainWindow, u"Width", width);
  ok &= WriteDWORD(kMainWindow, u"Height", height);
  return ok;
}

BOOL CApplicationRegistry::GetDockingEnabled() {
  return ReadDWORD(kMainWindow, u"DockingEnabled", 1);
}

BOOL CApplicationRegistry::SetDockingEnabled(BOOL value) {
  return WriteDWORD(kMainWindow, u"DockingEnabled", value);
}

void CApplicationRegistry::GetSmallWindowSize(int& width, int& height) {
  width = ReadDWORD(kSmallWindow, u"Width", 415);
  height = ReadDWORD(kSmallWindow, u"Height", 250);
}

BOOL CApplicationRegistry::SetSmallWindowSize(int width, int height) {
  BOOL ok = WriteDWORD(kSmallWindow, u"Width", width);
  ok &= WriteDWORD(kSmallWindow, u"Height", height);
  return ok;
}

void CApplicationRegistry::GetFindWindowSize(int& width, int& height) {
  // -1 marks a size that was never saved.
  width = ReadDWORD(kFindWindow, u"Width", static_cast<uint32_t>(-1));
  height = ReadDWORD(kFindWindow, u"Height", static_cast<uint32_t>(-1));
}

BOOL CApplicationRegistry::SetFindWindowSize(int width, int height) {
  BOOL ok = WriteDWORD(kFindWindow, u"Width", width);
  ok &= WriteDWORD(kFindWindow, u"Height", height);
  return ok;
}

BOOL CApplicationRegistry::GetDoPaste() { return ReadDWORD(kOptions, u"DoPaste", 0); }

BOOL CApplicationRegistry::SetDoPaste(BOOL value) {
  return WriteDWORD(kOptions, u"DoPaste", value);
}

int CApplicationRegistry::GetResetClipboardTimer() {
  // Signed: a stored 0xFFFFFFFF is -1, below the floor.
  const int interval =
      static_cast<int>(ReadDWORD(kOptions, u"ResetClipboardTimer", kMinResetClipboardTimer));
  return interval < kMinResetClipboardTimer ? kMinResetClipboardTimer : interval;
}

uint32_t CApplicationRegistry::GetMaxClipboardCopySize() {
  return ReadDWORD(kOptions, u"MaxClipboardCopySize", 5);
}

BOOL CApplicationRegistry::SetMaxClipboardCopySize(uint32_t value) {
  return WriteDWORD(kOptions, u"MaxClipboardCopySize", value);
}

int CApplicationRegistry::GetBufferSize() { return ReadDWORD(kOptions, u"BufferSize", 200); }

BOOL CApplicationRegistry::SetBufferSize(int value) {
  return WriteDWORD(kOptions, u"BufferSize", value);
}

uint32_t CApplicationRegistry::GetHotkey(uint32_t messageId) {
  return ReadDWORD(kHotkeys, HotkeyValueName(messageId).c_str(), GetDefaultHotkey(messageId));
}

BOOL CApplicationRegistry::SetHotkey(uint32_t messageId, uint32_t hotkey) {
  return WriteDWORD(kHotkeys, HotkeyValueName(messageId).c_str(), hotkey);
}

uint32_t CApplicationRegistry::MakeHotkey(BOOL ctrl, BOOL alt, BOOL shift, uint16_t vk) {
  if (vk == 0) return 0;
  uint32_t hotkey = vk;
  if (ctrl) hotkey |= kHotkeyCtrl;
  if (alt) hotkey |= kHotkeyAlt;
  if (shift) hotkey |= kHotkeyShift;
  return hotkey;
}

uint16_t CApplicationRegistry::GetHotkeyKey(uint32_t hotkey) {
  return static_cast<uint16_t>(hotkey & 0xFFFF);
}

BOOL CApplicationRegistry::IsHotkeyCtrl(uint32_t hotkey) { return (hotkey & kHotkeyCtrl) != 0; }

BOOL CApplicationRegistry::IsHotkeyAlt(uint32_t hotkey) { return (hotkey & kHotkeyAlt) != 0; }

BOOL CApplicationRegistry::IsHotkeyShift(uint32_t hotkey) {
  return (hotkey & kHotkeyShift) != 0;
}

CString16 CApplicationRegistry::GetHotkeyText(uint32_t hotkey) {
  if (hotkey == 0) return CString16();
  CString16 text;
  if (IsHotkeyCtrl(hotkey)) text += u"Ctrl + ";
  if (IsHotkeyAlt(hotkey)) text += u"Alt + ";
  if (IsHotkeyShift(hotkey)) text += u"Shift + ";
  CString16 name;
  if (GetKeyName(GetHotkeyKey(hotkey), name)) text += name;
  return text;
}

const std::vector<uint16_t>& CApplicationRegistry::GetKeys() {
  if (!m_bKeyNamesLoaded) LoadKeyNames();
  return m_arrKeys;
}

BOOL CApplicationRegistry::GetKeyName(uint32_t vk, CString16& name) {
  if (!m_bKeyNamesLoaded) LoadKeyNames();
  auto it = m_mapKeyNames.find(vk);
  if (it == m_mapKeyNames.end()) return FALSE;
  name = it->second;
  return TRUE;
}

void CApplicationRegistry::LoadKeyNames() {
  AddKeyName(0, u"(None)");
  for (char16_t c = u'A'; c <= u'Z'; ++c) AddKeyName(c, CString16(1, c));
  for (char16_t c = u'0'; c <= u'9'; ++c) AddKeyName(c, CString16(1, c));
  for (const NAMED_KEY& key : kNamedKeys) AddKeyName(key.vk, key.pszName);
  m_bKeyNamesLoaded = TRUE;
}

void CApplicationRegistry::AddKeyName(uint16_t vk, const CString16& name) {
  m_arrKeys.push_back(vk);
  m_mapKeyNames[vk] = name;
}

KeyHandle CApplicationRegistry::OpenRunKey() {
  // Opened step by step and never created; a missing step leaves a null
  // handle that makes every later call fail, which is the answer wanted.
  IKeyStore* store = KeyStore();
  if (!store) return 0;
  static const char16_t* const kSteps[] = {u"Software", u"Microsoft", u"Windows",
                                           u"CurrentVersion"};
  KeyHandle parent = kHKeyCurrentUser;
  for (const char16_t* step : kSteps) {
    KeyHandle child = 0;
    store->OpenKey(parent, step, kKeyRead, &child);
    if (parent != kHKeyCurrentUser && parent) store->CloseKey(parent);
    parent = child;
  }
  KeyHandle run = 0;
  store->OpenKey(parent, u"Run", kKeyAllAccess, &run);
  if (parent) store->CloseKey(parent);
  return run;
}

void CApplicationRegistry::SetStartWithWindows(BOOL on) {
  IKeyStore* store = KeyStore();
  if (!store) return;
  const KeyHandle run = OpenRunKey();
  if (on) {
    CString16 path;
    // A quoted path that would not fit MAX_PATH is not written at all: a
    // shortened command line could start some other program at logon.
    if (store->GetExecutablePath(path) && path.size() + 3 <= kMaxPathChars) {
      const CString16 command = u"\"" + path + u"\"";
      store->SetValue(run, kRunValue, kRegSz, reinterpret_cast<const uint8_t*>(command.c_str()),
                      static_cast<uint32_t>((command.size() + 1) * 2));
    }
  } else {
    store->DeleteValue(run, kRunValue);
  }
  if (run) store->CloseKey(run);
}

BOOL CApplicationRegistry::IsStartWithWindows() {
  IKeyStore* store = KeyStore();
  if (!store) return FALSE;
  const KeyHandle run = OpenRunKey();
  std::vector<char16_t> name(kMaxValueNameChars);
  BOOL found = FALSE;
  for (uint32_t index = 0;; ++index) {
    uint32_t chars = kMaxValueNameChars;
    if (store->EnumValueName(run, index, name.data(), &chars) != kErrorSuccess) break;
    if (EqualsNoCase(CString16(name.data(), chars), kRunValue)) {
      found = TRUE;
      break;
    }
  }
  if (run) store->CloseKey(run);
  return found;
}
