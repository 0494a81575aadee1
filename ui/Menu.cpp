#include "ui/Menu.h"

bool CMenu::Load(UINT menuId) {
  m_menu.Reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
  return static_cast<bool>(m_menu);
}

HMENU CMenu::GetSubMenu(int position) const {
  return m_menu ? ::GetSubMenu(m_menu.Get(), position) : nullptr;
}

void CMenu::CheckItem(HMENU menu, UINT id, bool checked) {
  ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CMenu::EnableItem(HMENU menu, UINT id, bool enabled) {
  ::EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool CMenu::IsItemChecked(HMENU menu, UINT id) {
  const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

bool CMenu::IsItemEnabled(HMENU menu, UINT id) {
  const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

UINT CMenu::TrackPopup(HMENU popup, HWND owner, POINT screenPoint, UINT flags) {
  return static_cast<UINT>(::TrackPopupMenu(popup,
                                            flags | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                                            screenPoint.x, screenPoint.y, 0, owner, nullptr));
}
