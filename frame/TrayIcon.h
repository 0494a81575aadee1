#pragma once
// The program's icon in the notification area. Each call fills a fresh
// record for the owner window and icon id 0 with only the fields it names.
// The wrapper does not own the icon handle, and destroying it does not
// remove the icon: the frame does both.
#include <windows.h>
#include <shellapi.h>

#include "base/Text.h"

class CTrayIcon {
 public:
  CTrayIcon() = default;
  virtual ~CTrayIcon() = default;
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // A shown icon is removed first; when that fails the old owner stays.
  BOOL SetWindow(HWND hWndOwner);
  // Refuses a second icon.
  BOOL AddIcon(HICON hIcon);
  // The icon added again after the shell restarted and lost it.
  BOOL AddAgain();
  // Cut to what the record holds: 127 characters and the terminator.
  BOOL SetTooltip(const CString16& strTip);
  BOOL SetCallbackMessage(UINT nMessage);
  BOOL RemoveIcon();

  // The size the records are filled with: the shell knows this size for the
  // record without its newer fields, which the icon does not use.
  static constexpr DWORD kRecordSize = 952;

 protected:
  // Shell_NotifyIconW; tests may watch the records.
  virtual BOOL NotifyShell(DWORD dwMessage, NOTIFYICONDATAW& record);

 private:
  NOTIFYICONDATAW Record(UINT uFlags) const;

  HWND m_hWndOwner = nullptr;
  HICON m_hIcon = nullptr;
};
