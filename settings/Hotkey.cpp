#include "settings/Hotkey.h"

namespace {

struct NAMED_KEY {
  uint16_t vk;
  const char16_t* pszName;
};
const NAMED_KEY kNamedKeys[] = {
    {8, u"Backspace"},  {13, u"Enter"},       {32, u"Space"},      {33, u"Page Up"},
    {34, u"Page Down"}, {35, u"End"},         {36, u"Home"},       {37, u"Arrow Left"},
    {38, u"Arrow Up"},  {39, u"Arrow Right"}, {40, u"Arrow Down"}, {45, u"Insert"},
    {46, u"Delete"},    {106, u"Numpad *"},   {107, u"Numpad +"},  {109, u"Numpad -"},
    {110, u"Numpad ."}, {111, u"Numpad /"},   {112, u"F1"},        {113, u"F2"},
    {114, u"F3"},       {115, u"F4"},         {116, u"F5"},        {117, u"F6"},
    {118, u"F7"},       {119, u"F8"},         {120, u"F9"},        {121, u"F10"},
    {122, u"F11"},      {123, u"F12"},
};

}  // namespace

uint32_t CHotkey::MakeHotkey(BOOL ctrl, BOOL alt, BOOL shift, uint16_t vk) {
  if (vk == 0) return 0;
  uint32_t hotkey = vk;
  if (ctrl) hotkey |= kCtrl;
  if (alt) hotkey |= kAlt;
  if (shift) hotkey |= kShift;
  return hotkey;
}

const std::vector<uint16_t>& CHotkey::GetKeys() {
  if (!m_bKeyNamesLoaded) LoadKeyNames();
  return m_arrKeys;
}

BOOL CHotkey::GetKeyName(uint32_t vk, CString16& name) {
  if (!m_bKeyNamesLoaded) LoadKeyNames();
  auto it = m_mapKeyNames.find(vk);
  if (it == m_mapKeyNames.end()) return FALSE;
  name = it->second;
  return TRUE;
}

CString16 CHotkey::GetHotkeyText(uint32_t hotkey) {
  if (hotkey == 0) return CString16();
  CString16 text;
  if (IsHotkeyCtrl(hotkey)) text += u"Ctrl + ";
  if (IsHotkeyAlt(hotkey)) text += u"Alt + ";
  if (IsHotkeyShift(hotkey)) text += u"Shift + ";
  CString16 name;
  if (GetKeyName(GetHotkeyKey(hotkey), name)) text += name;
  return text;
}

void CHotkey::LoadKeyNames() {
  AddKeyName(0, u"(None)");
  for (char16_t c = u'A'; c <= u'Z'; ++c) AddKeyName(c, CString16(1, c));
  for (char16_t c = u'0'; c <= u'9'; ++c) AddKeyName(c, CString16(1, c));
  for (const NAMED_KEY& key : kNamedKeys) AddKeyName(key.vk, key.pszName);
  m_bKeyNamesLoaded = TRUE;
}

void CHotkey::AddKeyName(uint16_t vk, const CString16& name) {
  m_arrKeys.push_back(vk);
  m_mapKeyNames[vk] = name;
}
