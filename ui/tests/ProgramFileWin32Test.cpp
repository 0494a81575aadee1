// The program's own file, and the logon entry written from it into the real
// (Wine) registry.
// Catches: a logon entry written with the wrong path or quoting.
#include <windows.h>
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/SettingsPlatform.h"
#include "ui/KeyStoreWin32.h"
#include "ui/ProgramFileWin32.h"
#include "ui/WinText.h"

namespace {

bool EndsWithNoCase(const CString16& text, const CString16& tail) {
  return text.size() >= tail.size() &&
         ::CompareStringOrdinal(WinText(text.c_str() + text.size() - tail.size()),
                                static_cast<int>(tail.size()), WinText(tail),
                                static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

TEST(ProgramFileWin32Test, ThePathIsTheWholePathOfThisProgram) {
  CString16 path;
  ASSERT_TRUE(CProgramFileWin32().GetExecutablePath(path));
  EXPECT_TRUE(EndsWithNoCase(path, u"\\ui_tests.exe")) << Utf8FromUtf16(path);
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), u":\\") << "a full path with its drive";
  EXPECT_NE(::GetFileAttributesW(WinText(path)), INVALID_FILE_ATTRIBUTES);
}

class StartWithWindowsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsPlatform(&store, nullptr, &program); }
  void TearDown() override { SetSettingsPlatform(nullptr, nullptr); }
  CKeyStoreWin32 store;
  CProgramFileWin32 program;
};

TEST_F(StartWithWindowsWin32Test, WritesThisProgramQuotedAndRemovesIt) {
  const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  CString16 path;
  ASSERT_TRUE(program.GetExecutablePath(path));
  CApplicationRegistry().SetStartWithWindows(TRUE);
  wchar_t value[MAX_PATH + 2] = {};
  DWORD size = sizeof(value), type = 0;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kRun, L"Tansel", RRF_RT_ANY, &type, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(PortableText(value), u"\"" + path + u"\"");
  EXPECT_EQ(size, (path.size() + 3) * sizeof(wchar_t)) << "quotes and terminator";
  EXPECT_TRUE(CApplicationRegistry().IsStartWithWindows());
  CApplicationRegistry().SetStartWithWindows(FALSE);
  EXPECT_FALSE(CApplicationRegistry().IsStartWithWindows());
  size = sizeof(value);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kRun, L"Tansel", RRF_RT_ANY, nullptr, value, &size),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
