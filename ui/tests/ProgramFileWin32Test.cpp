// The program's own file, the logon entry written from it into the real
// (Wine) registry, and product versions read from real files: this test
// program has no version record, a system library has one.
// Catches: a logon entry written with the wrong path or quoting; a version read wrongly, or a
// missing record taken for a version.
#include <windows.h>
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/SettingsPlatform.h"
#include "ui/KeyStoreWin32.h"
#include "ui/ProgramFileWin32.h"
#include "ui/VersionInfo.h"
#include "ui/WinText.h"

namespace {

TEST(ProgramFileWin32Test, ThePathIsTheWholePathOfThisProgramAndStartWithWindowsQuotesIt) {
  CKeyStoreWin32 store;
  CProgramFileWin32 program;
  CString16 path;
  ASSERT_TRUE(program.GetExecutablePath(path));
  ASSERT_EQ(path.substr(1, 2), u":\\") << "a full path with its drive";
  EXPECT_EQ(_wcsicmp(wcsrchr(WinText(path), L'\\'), L"\\ui_tests.exe"), 0) << Utf8FromUtf16(path);
  EXPECT_NE(::GetFileAttributesW(WinText(path)), INVALID_FILE_ATTRIBUTES);

  SetSettingsPlatform(&store, nullptr, &program);
  const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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
  SetSettingsPlatform(nullptr, nullptr);
}

TEST(ProgramFileWin32Test, OnlyAFileWithAVersionRecordGivesAProductVersion) {
  wchar_t self[MAX_PATH], library[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  ASSERT_GT(::GetSystemDirectoryW(library, MAX_PATH), 0u);
  wcscat_s(library, L"\\kernel32.dll");
  for (const wchar_t* file : {static_cast<const wchar_t*>(self), L"C:\\no such folder\\Tansel.exe",
                              L"", static_cast<const wchar_t*>(library)}) {
    WORD parts[4] = {0, 9, 9, 9};
    EXPECT_EQ(ReadProductVersion(file, parts), file == library) << file;
    // Whatever the system's version, its first part is never 0.
    if (file == library) {
      EXPECT_NE(parts[0], 0);
    }
  }
}

}  // namespace
