#include "settings/ApplicationRegistry.h"

#include <string>

#include "settings/CommandTable.h"
#include "settings/NoCase.h"
#include "settings/SettingsPlatform.h"

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

constexpr int kMinResetClipboardTimer = 10000;

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
    IProgramFile* program = GetSettingsProgramFile();
    if (program && program->GetExecutablePath(path) && path.size() + 3 <= kMaxPathChars) {
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
