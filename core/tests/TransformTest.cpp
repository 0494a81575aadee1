// Catches: a conversion that breaks words, cases or identifiers wrongly, a result delivered to the
// wrong place (item or clipboard), a date stamp in the wrong format or past its size.
#include "DocFixture.h"

namespace {

struct TextCase {
  std::u16string in, out;
};

}  // namespace

TEST_F(DocTest, SmartConvertToIDTable) {
  REQUIRE_UNICODE_LOCALE();
  const TextCase cases[] = {
      {u"routeTable", u"ROUTE_TABLE"},
      {u"Hello world", u"HELLO_WORLD"},
      {u"file-name.txt", u"FILE_NAME_TXT"},
      {u"a - b", u"A_B"},
      {u" abc", u"_ABC"},
      {u"abc ", u"ABC_"},
      {u"ABC", u"A_B_C"},
      {u"abc123", u"ABC123"},
      {u"", u""},
      {u"A_B", u"A_B"},
      {u"__x__", u"_X_"},
      {u"CFindDlg", u"C_FIND_DLG"},
      {u"getHTTP", u"GET_H_T_T_P"},
      {u"stra\u00dfeName", u"STRA\u00dfE_NAME"},  // sharp s has no one-unit capital
      {u"\u00c9t\u00e9Fin", u"\u00c9T\u00c9_FIN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CTextTransform(m_text).ConvertToIDText(c.in), c.out) << Utf8FromUtf16(c.in);
  }
}

TEST_F(DocTest, SmartConvertFromIDTable) {
  REQUIRE_UNICODE_LOCALE();
  const TextCase cases[] = {
      {u"ROUTE_TABLE", u"RouteTable"},
      {u"hello_world", u"HelloWorld"},
      {u"VERSION_2_FINAL", u"Version2Final"},
      {u"__init__", u"Init"},
      {u"my id", u"My id"},
      {u"", u""},
      {u"_", u""},
      {u"A", u"A"},
      {u"\u00c9T\u00c9_\u00c9T\u00c9", u"\u00c9t\u00e9\u00c9t\u00e9"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CTextTransform(m_text).ConvertFromIDText(c.in), c.out) << Utf8FromUtf16(c.in);
}

TEST_F(DocTest, ChangeCaseModes) {
  REQUIRE_UNICODE_LOCALE();
  struct Case {
    std::u16string in;
    int nMode;
    std::u16string out;
  } cases[] = {
      {u"hello WORLD", CASE_UPPER, u"HELLO WORLD"},
      {u"hello WORLD", CASE_LOWER, u"hello world"},
      {u"hello WORLD", CASE_TITLE, u"Hello world"},
      {u"", CASE_TITLE, u""},
      {u" lead", CASE_TITLE, u" lead"},
      {u"\u00e9t\u00c9", CASE_TITLE, u"\u00c9t\u00e9"},
      {u"\u00e9t\u00e9", CASE_UPPER, u"\u00c9T\u00c9"},
      {u"\u0391\u0392\u0393", CASE_LOWER, u"\u03b1\u03b2\u03b3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CTextTransform(m_text).ChangeCaseText(c.in, c.nMode), c.out) << Utf8FromUtf16(c.in);
}

TEST_F(DocTest, SmartMakeObject) {
  EXPECT_EQ(CTextTransform::MakeObjectText(u"CFindDlg"), u"oFindDlg");
  EXPECT_EQ(CTextTransform::MakeObjectText(u"x"), u"o");
  Fill({u""});
  m_doc->SmartMakeObject(0, FALSE);
  EXPECT_TRUE(m_clip.m_log.empty()) << "an empty text leaves the clipboard alone";
  EXPECT_EQ(m_doc->GetItemCount(), 1);
}

TEST_F(DocTest, SingleItemResultBecomesTheNewHeadAndTheItemStays) {
  Fill({u"routeTable", u"other"});
  m_doc->SmartConvertToID(0, FALSE);
  EXPECT_EQ(m_clip.Unicode(), u"ROUTE_TABLE");
  EXPECT_EQ(Texts(), (V{u"ROUTE_TABLE", u"routeTable", u"other"}));

  m_doc->SmartConvertFromID(0, FALSE);
  m_doc->ChangeCase(2, CASE_TITLE, FALSE);
  EXPECT_EQ(Texts(), (V{u"Routetable", u"RouteTable", u"ROUTE_TABLE", u"routeTable", u"other"}));
}

TEST_F(DocTest, EmptyTextConvertsToAnEmptyClipboardText) {
  Fill({u""});
  m_doc->SmartConvertToID(0, FALSE);
  EXPECT_EQ(m_clip.Unicode(), u"");
  EXPECT_EQ(m_clip.m_nChanges, 1);
}

TEST_F(DocTest, SeveralItemsChangeInPlace) {
  Fill({u"a", u"b", u"c", u"d"});
  m_doc->ChangeCaseItems({1, 3}, CASE_UPPER);
  EXPECT_EQ(Texts(), (V{u"a", u"B", u"c", u"D"}));
  EXPECT_EQ(m_rec.m_viewHints, (std::vector<int>{2, 4}));
  EXPECT_TRUE(m_clip.m_log.empty());

  m_rec.Clear();
  m_doc->ChangeCaseItems({0, 1}, CASE_LOWER);
  EXPECT_EQ(m_clip.Unicode(), u"a");
  m_doc->SmartConvertToIDItems({0, 2});
  EXPECT_EQ(m_clip.Unicode(), u"A");
  EXPECT_EQ(Texts(), (V{u"A", u"b", u"C", u"D"})) << "no item added";

  m_doc->ReplaceItemText(1, u"ROUTE_TABLE");
  m_doc->ReplaceItemText(3, u"my_id");
  m_rec.Clear();
  m_doc->SmartConvertFromIDItems({1, 3});
  EXPECT_EQ(Texts(), (V{u"A", u"RouteTable", u"C", u"MyId"}));
  EXPECT_EQ(m_rec.m_viewHints, (std::vector<int>{2, 4}));
}

TEST_F(DocTest, SmartMakeObjectOfTheFirstItemPutsTheObjectNameOnTheClipboard) {
  Fill({u"CFindDlg", u"other"});
  m_doc->SmartMakeObject(0, FALSE);  // as the hotkey command does
  EXPECT_EQ(m_clip.Unicode(), u"oFindDlg");
  EXPECT_EQ(Texts(), (V{u"oFindDlg", u"CFindDlg", u"other"})) << "the item itself stays";
}

TEST_F(DocTest, DateTimeStampsInTheTenFormats) {
  // 09:05:07 local time on 3 February 2026, one hour east of UTC.
  m_text.m_tNow = 1770109507 - 3600;
  m_text.m_nZoneOffsetSeconds = 3600;
  const TextCase cases[] = {
      {u"%Y.%m.%d", u"2026.02.03"},
      {u"%Y-%m-%d", u"2026-02-03"},
      {u"%Y.%m.%d %H-%M-%S", u"2026.02.03 09-05-07"},
      {u"%Y-%m-%d %H-%M-%S", u"2026-02-03 09-05-07"},
      {u"%Y-%m-%d_%H-%M-%S", u"2026-02-03_09-05-07"},
      {u"%H-%M-%S", u"09-05-07"},
      {u"%H.%M.%S", u"09.05.07"},
      {u"%Y%m%d", u"20260203"},
      {u"%H%M%S", u"090507"},
      {u"%Y%m%d%H%M%S", u"20260203090507"},
  };
  for (const auto& c : cases) {
    m_doc->InsertDateTime(c.in);
    EXPECT_EQ(m_clip.Unicode(), c.out) << Utf8FromUtf16(c.in);
  }
  EXPECT_EQ(m_doc->GetItem(0)->strText, u"20260203090507");
}

TEST_F(DocTest, DateTimeStampThatCannotBeMadeIsEmpty) {
  m_text.m_tNow = 1770105907;
  m_doc->InsertDateTime(std::u16string(64, u'x') +
                        u"%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y");  // 128 units
  EXPECT_EQ(m_clip.Unicode(), u"");
  m_doc->InsertDateTime(std::u16string(63, u'x') + u"%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y");  // 127 fit
  EXPECT_EQ(m_clip.Unicode().size(), 127u);
  m_text.m_bFailLocalTime = true;
  m_doc->InsertDateTime(u"%Y");
  EXPECT_EQ(m_clip.Unicode(), u"");
}
