// Catches: a conversion that breaks words, cases or identifiers wrongly, a result delivered to the
// wrong place (item or clipboard), a date stamp in the wrong format or past its size.
#include "DocFixture.h"

enum { kToID = 100, kFromID, kObject };  // beside the case modes

TEST_F(DocTest, EachConversionOfAText) {
  REQUIRE_UNICODE_LOCALE();
  // Each conversion of every text in a list, "|" between texts.
  const struct {
    int nMode;
    const char *in, *out;
  } cases[] = {
      {kToID,
       "routeTable|Hello world|file-name.txt|a - b| abc|abc "
       "|ABC|abc123||A_B|__x__|CFindDlg|getHTTP|"
       "stra\u00dfeName|\u00c9t\u00e9Fin",  // sharp s has no one-unit capital
       "ROUTE_TABLE|HELLO_WORLD|FILE_NAME_TXT|A_B|_ABC|ABC_|A_B_C|ABC123||A_B|_X_|C_FIND_DLG|"
       "GET_H_T_T_P|STRA\u00dfE_NAME|\u00c9T\u00c9_FIN"},
      {kFromID,
       "ROUTE_TABLE|hello_world|VERSION_2_FINAL|__init__|my id||_|A|\u00c9T\u00c9_\u00c9T\u00c9",
       "RouteTable|HelloWorld|Version2Final|Init|My id|||A|\u00c9t\u00e9\u00c9t\u00e9"},
      {CASE_UPPER, "hello WORLD|\u00e9t\u00e9", "HELLO WORLD|\u00c9T\u00c9"},
      {CASE_LOWER, "hello WORLD|\u0391\u0392\u0393", "hello world|\u03b1\u03b2\u03b3"},
      {CASE_TITLE, "hello WORLD|| lead|\u00e9t\u00c9|a", "Hello world|| lead|\u00c9t\u00e9|A"},
      {kObject, "CFindDlg|x", "oFindDlg|o"}};
  const CTextTransform transform(m_text);
  for (const auto& c : cases) {
    std::string out;
    for (const std::string& text : Split(c.in)) {
      const CString16 in = Utf16FromUtf8(text);
      out += "|" + Utf8FromUtf16(c.nMode == kToID     ? transform.ConvertToIDText(in)
                                 : c.nMode == kFromID ? transform.ConvertFromIDText(in)
                                 : c.nMode == kObject ? CTextTransform::MakeObjectText(in)
                                                      : transform.ChangeCaseText(in, c.nMode));
    }
    EXPECT_EQ(out.substr(1), c.out) << c.nMode;
  }
}

TEST_F(DocTest, AConvertedItemGoesToTheClipboardAndComesBackAsTheNewHead) {
  const struct {
    int nMode;
    int nIndex;
    const char* clip;  // null: the clipboard is left alone
  } cases[] = {{kToID, 0, "ROUTE_TABLE"}, {kFromID, 2, "Other"},    {CASE_TITLE, 1, "Cfinddlg"},
               {CASE_UPPER, 3, ""},       {kObject, 1, "oFindDlg"}, {kObject, 3, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nMode);
    Fill("routeTable|CFindDlg|OTHER|");
    if (c.nMode == kToID) m_doc->SmartConvertToID(c.nIndex, FALSE);
    if (c.nMode == kFromID) m_doc->SmartConvertFromID(c.nIndex, FALSE);
    if (c.nMode == kObject) m_doc->SmartMakeObject(c.nIndex, FALSE);
    if (c.nMode < kToID) m_doc->ChangeCase(c.nIndex, c.nMode, FALSE);
    // The item itself stays.
    EXPECT_EQ(History(), (c.clip ? c.clip + std::string("|") : "") + "routeTable|CFindDlg|OTHER|");
    EXPECT_EQ(Log(), c.clip ? "open empty set close attach fetch release v0 p0" : "");
  }
}

TEST_F(DocTest, SeveralItemsChangeInPlace) {
  Fill("a|ROUTE_TABLE|c|my_id");
  m_doc->ChangeCaseItems({0, 2}, CASE_UPPER);
  m_doc->SmartConvertFromIDItems({1, 3});
  EXPECT_EQ(History(), "A|RouteTable|C|MyId") << "no item added";
  m_doc->SmartConvertToIDItems({1, 3});
  EXPECT_EQ(History(), "A|ROUTE_TABLE|C|MY_ID");
  // Only the head goes to the clipboard, and it is not captured.
  EXPECT_EQ(m_clip.Unicode(), u"A");
  EXPECT_EQ(Log(), "open empty set close v0 p0 v3 p3 v2 p2 v4 p4 v2 p2 v4 p4");
}

TEST_F(DocTest, DateTimeStampsInTheTenFormatsAndNoneThatCannotBeMade) {
  // 09:05:07 local time on 3 February 2026, one hour east of UTC.
  m_text.m_tNow = 1770109507 - 3600;
  m_text.m_nZoneOffsetSeconds = 3600;
  std::string years, made;  // 64 units each; 127 units fit, 128 do not
  for (int i = 0; i < 16; ++i) years += "%Y", made += "2026";
  const std::string x63(63, 'x');
  for (const std::string& format :
       Split("%Y.%m.%d|%Y-%m-%d|%Y.%m.%d %H-%M-%S|%Y-%m-%d %H-%M-%S|%Y-%m-%d_%H-%M-%S|%H-%M-%S|"
             "%H.%M.%S|%Y%m%d|%H%M%S|%Y%m%d%H%M%S|" +
             x63 + years + "|x" + x63 + years))
    m_doc->InsertDateTime(Utf16FromUtf8(format));
  m_text.m_bFailLocalTime = true;
  m_doc->InsertDateTime(u"%Y");
  // Each stamp is captured, newest first; one that cannot be made is empty.
  EXPECT_EQ(History(), "||" + x63 + made +
                           "|20260203090507|090507|20260203|09.05.07|09-05-07|2026-02-03_09-05-07|"
                           "2026-02-03 09-05-07|2026.02.03 09-05-07|2026-02-03|2026.02.03");
}
