// Catches: a conversion that breaks words, cases or identifiers wrongly, an object made of an empty
// item, a date stamp past its size or made without a local time.
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

TEST_F(DocTest, AnEmptyItemMakesNoObjectAndAStampTooLongOrWithoutLocalTimeIsEmpty) {
  Fill("x|");
  m_doc->SmartMakeObject(1, FALSE);
  EXPECT_EQ(Log(), "") << "the clipboard is left alone";
  std::string years, made;  // 64 units each; 127 units fit, 128 do not
  for (int i = 0; i < 16; ++i) years += "%Y", made += "1970";
  const std::string x63(63, 'x');
  m_doc->InsertDateTime(Utf16FromUtf8(x63 + years));
  m_doc->InsertDateTime(Utf16FromUtf8("x" + x63 + years));
  m_text.m_bFailLocalTime = true;
  m_doc->InsertDateTime(u"%Y");
  EXPECT_EQ(History(), "||" + x63 + made + "|x|");
}
