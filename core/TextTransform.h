#pragma once
// The pure text functions behind the history's transformations, over the
// platform's locale services. Each builds its result in one pass over the
// text; none touches the history or the clipboard.
#include "base/Text.h"
#include "core/TextServices.h"

enum { CASE_UPPER = 0, CASE_LOWER = 1, CASE_TITLE = 2 };

// The ten date and time stamps, in the order the menus and the hotkey
// commands list them.
constexpr int kDateTimeFormatCount = 10;
extern const char16_t* const kDateTimeFormats[kDateTimeFormatCount];

class CTextTransform {
 public:
  explicit CTextTransform(ITextServices& text) : m_text(text) {}

  // The first character becomes "o": CFindDlg gives oFindDlg.
  static CString16 MakeObjectText(CString16 s);
  // routeTable gives ROUTE_TABLE: separators become one underscore each run,
  // an underscore goes before every inner capital, then all is raised.
  CString16 ConvertToIDText(const CString16& s) const;
  // ROUTE_TABLE gives RouteTable: underscores go, the character after each
  // and the first are raised, the rest lowered.
  CString16 ConvertFromIDText(const CString16& s) const;
  // CASE_TITLE lowers the whole text, then raises its first character.
  CString16 ChangeCaseText(CString16 s, int nMode) const;

 private:
  ITextServices& m_text;
};
