// The product version read from real files: this test program has no
// version record, a system library has one.
// Catches: a version read wrongly, or a missing record taken for a version.
#include <windows.h>
#include <gtest/gtest.h>

#include "ui/VersionInfo.h"

namespace {

TEST(VersionInfoTest, FilesWithoutARecordGiveNoVersion) {
  wchar_t self[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  const wchar_t* files[] = {self, L"C:\\no such folder\\Tansel.exe", L""};
  for (const wchar_t* file : files) {
    WORD parts[4] = {9, 9, 9, 9};
    EXPECT_FALSE(ReadProductVersion(file, parts)) << file;
  }
}

TEST(VersionInfoTest, ALibraryWithARecordGivesItsProductVersion) {
  wchar_t path[MAX_PATH];
  ASSERT_GT(::GetSystemDirectoryW(path, MAX_PATH), 0u);
  wcscat_s(path, L"\\kernel32.dll");
  WORD parts[4] = {};
  ASSERT_TRUE(ReadProductVersion(path, parts));
  // Whatever the system's version, the first part is never 0.
  EXPECT_NE(parts[0], 0);
}

}  // namespace
