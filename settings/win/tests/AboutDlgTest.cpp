// "About Tansel" shows the version it is given, or the template's 1.0.0.0.
// Catches: an about box that shows the wrong version, or none when the program has no version
// record.
#include "resources/resource.h"
#include "settings/win/AboutDlg.h"
#include "settings/win/tests/DialogFixture.h"

namespace {

TEST(AboutDlgTest, ShowsTheVersionPartsAsUnsignedNumbers) {
  const struct {
    BOOL has;
    WORD parts[4];
    const wchar_t* shown;
  } cases[] = {
      {TRUE, {1, 8, 7, 216}, L"1.8.7.216"},
      {TRUE, {65535, 0, 0, 1}, L"65535.0.0.1"},
      {FALSE, {1, 8, 7, 216}, L"1.0.0.0"},
  };
  for (const auto& c : cases) {
    CAboutDlg dialog;
    dialog.m_bHasVersion = c.has;
    std::copy(c.parts, c.parts + 4, dialog.m_wVersion);
    std::wstring shown, contact;
    {
      CBoxAnswerer answer(
          [&](HWND d) {
            shown = ItemText(d, IDC_VERSION);
            contact = ItemText(d, IDC_CONTACT);
          },
          IDOK);
      EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(contact, L"help@orvelle.example");
  }
}

}  // namespace
