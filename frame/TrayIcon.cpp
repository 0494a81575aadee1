#include "frame/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/WinText.h"

static_assert(CTrayIcon::kRecordSize <= sizeof(NOTIFYICONDATAW), "the record holds the size given");

NOTIFYICONDATAW CTrayIcon::Record(UINT uFlags) const {
  NOTIFYICONDATAW record{};
  record.cbSize = kRecordSize;
  record.hWnd = m_hWndOwner;
  record.uID = 0;
  record.uFlags = uFlags;
  return record;
}

BOOL CTrayIcon::NotifyShell(DWORD dwMessage, NOTIFYICONDATAW& record) {
  return ::Shell_NotifyIconW(dwMessage, &record);
}

BOOL CTrayIcon::SetWindow(HWND hWndOwner) {
  if (m_hIcon && !RemoveIcon()) return FALSE;
  m_hWndOwner = hWndOwner;
  return TRUE;
}

BOOL CTrayIcon::AddIcon(HICON hIcon) {
  if (m_hIcon) return FALSE;
  m_hIcon = hIcon;
  NOTIFYICONDATAW record = Record(NIF_ICON);
  record.hIcon = hIcon;
  return NotifyShell(NIM_ADD, record);
}

BOOL CTrayIcon::AddAgain() {
  if (!m_hIcon) return FALSE;
  NOTIFYICONDATAW record = Record(NIF_ICON);
  record.hIcon = m_hIcon;
  return NotifyShell(NIM_ADD, record);
}

BOOL CTrayIcon::SetTooltip(const CString16& strTip) {
  NOTIFYICONDATAW record = Record(NIF_TIP);
  const size_t nChars = std::min(strTip.size(), std::size(record.szTip) - 1);
  std::copy_n(WinText(strTip), nChars, record.szTip);
  record.szTip[nChars] = L'\0';
  return NotifyShell(NIM_MODIFY, record);
}

BOOL CTrayIcon::SetCallbackMessage(UINT nMessage) {
  NOTIFYICONDATAW record = Record(NIF_MESSAGE);
  record.uCallbackMessage = nMessage;
  return NotifyShell(NIM_MODIFY, record);
}

BOOL CTrayIcon::RemoveIcon() {
  NOTIFYICONDATAW record = Record(0);
  return NotifyShell(NIM_DELETE, record);
}
