// The resources as the built program holds them, read back through the
// system and compared with tables written from what the program must show:
// a typo in the resource script fails here.
// Catches: a menu, dialog, string or picture in the resources whose id, text, layout, style or font
// differs from what the program must show.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/support/WinTestSupport.h"
#include "ui/Handles.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

namespace {

using Lines = std::vector<std::wstring>;

// A menu as one line per popup: "text=id" entries and "-" separators,
// split by '|', a sub-menu as "text[entries]".
std::wstring Dump(HMENU menu) {
  std::wstring line;
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 128;
    if (!::GetMenuItemInfoW(menu, i, TRUE, &info)) return L"<unreadable>";
    line += i ? L"|" : L"";
    if (info.fType & MFT_SEPARATOR)
      line += L"-";
    else if (info.hSubMenu)
      line += text + (L"[" + Dump(info.hSubMenu) + L"]");
    else
      line += text + (L"=" + std::to_wstring(info.wID));
  }
  return line;
}

Lines MenuLines(UINT id) {
  CMenuHandle menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  Lines lines;
  for (int i = 0; menu && i < ::GetMenuItemCount(menu.Get()); ++i) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu.Get(), i, text, 64, MF_BYPOSITION);
    lines.push_back(text + (L"[" + Dump(::GetSubMenu(menu.Get(), i)) + L"]"));
  }
  return lines;
}

// The "Date and Time" sub-menu: the ten stamps with the ids from first, and
// a separator after the 2nd, the 5th and the 7th.
std::wstring Dates(UINT first) {
  // clang-format off
  const wchar_t* names[] = {L"yyyy.mm.dd", L"yyyy-mm-dd", L"yyyy.mm.dd HH-MM-SS",
      L"yyyy-mm-dd HH-MM-SS", L"yyyy-mm-dd_HH-MM-SS", L"HH-MM-SS", L"HH.MM.SS", L"yyyymmdd",
      L"HHMMSS", L"yyyymmddHHMMSS"};
  // clang-format on
  std::wstring line = L"Date and Time[";
  for (int i = 0; i < 10; ++i) {
    // The main menu's ids skip 32802.
    const UINT id = first + i + (first == 32794 && i >= 8);
    line += names[i] + (L"=" + std::to_wstring(id)) + (i == 9 ? L"]" : L"|");
    if (i == 1 || i == 4 || i == 6) line += L"-|";
  }
  return line;
}

TEST(ResourceTest, Menus) {
  EXPECT_EQ(
      MenuLines(IDR_MAINFRAME),
      (Lines{L"&File[&Clear List=32779|-|&Options=32778|-|E&xit=32780]",
             L"&Edit[Activate Item(s)\tEnter=32816|Preview Item=32808|Edit Item\tCtrl + "
             L"Enter=32807|-|Revert First Items=32885|-|Bookmark Item\tCtrl + F2=32841|Go To Next "
             L"Bookmark\tF2=32861|Go To Previous Bookmark\tShift + F2=32860|Clear "
             L"Bookmarks=32850|-|Remove Item(s)\tDel=32828|-|Invert Items\tCtrl + I=32858|Invert "
             L"and Activate Items\tCtrl + Shift + I=32866|-|Smart Make Object\tCtrl + "
             L"O=32896|Smart Convert from ID\tCtrl + D=32863|Smart Convert to ID\tCtrl + Shift + "
             L"D=32862|Lowercase\tCtrl + U=32811|Uppercase\tCtrl + Shift + U=32809|Title\tCtrl + "
             L"T=32864|-|" +
                 Dates(32794) +
                 L"|-|Find[Find\tCtrl + F=32890|Find Next\tF3=32892|Find Previous\tShift + "
                 L"F3=32894]]",
             L"&View[&Enable Docking=32781]",
             L"&Help[Visit Tansel Online=32899|-|&About Tansel...=32834]"}));
  EXPECT_EQ(MenuLines(IDR_TRAYMENU),
            Lines{L"TrayMenu[&Show Tansel=32777|-|Clear List=32883|-|&Options=32835|&Paste "
                  L"Activated Item=32882|-|E&xit=32776]"});
  const std::wstring dates = Dates(32817) + L"]";
  EXPECT_EQ(
      MenuLines(IDR_CONTEXTMENU),
      (Lines{L"Item[Activate Item\tEnter=32814|Preview Item=32805|Edit Item\tCtrl + "
             L"Enter=32806|-|Revert First Items=32887|-|Bookmark Item\tCtrl + F2=32842|Go To Next "
             L"Bookmark\tF2=32867|Go To Previous Bookmark\tShift + F2=32868|Clear "
             L"Bookmarks=32848|-|Remove Item\tDel=32829|-|Smart Make Object\tCtrl + O=32898|Smart "
             L"Convert from ID\tCtrl + D=32870|Smart Convert to ID\tCtrl + Shift + "
             L"D=32869|Lowercase\tCtrl + U=32787|Uppercase\tCtrl + Shift + U=32786|Title\tCtrl + "
             L"T=32871|-|" +
                 dates,
             L"MultiItem[Activate Items\tEnter=32815|Remove Items\tDel=32881|Invert Items\tCtrl + "
             L"I=32880|Invert and Activate Items\tCtrl + Shift + I=32875|-|Smart Convert from "
             L"ID\tCtrl + D=32877|Smart Convert to ID\tCtrl + Shift + D=32876|Lowercase\tCtrl + "
             L"U=32852|Uppercase\tCtrl + Shift + U=32851|Title\tCtrl + T=32878|-|" +
                 dates,
             L"NoSelectedItem[Revert First Items=32887|-|Go To Next Bookmark\tF2=32867|Go To "
             L"Previous Bookmark\tShift + F2=32868|Clear Bookmarks=32848|-|" +
                 dates}));
}

// One control of a template, where the template puts it (dialog units).
struct CONTROL_ROW {
  int id;
  const wchar_t* cls;
  const wchar_t* text;
  RECT units;       // x, y, width, height
  DWORD style = 0;  // bits it must have
};

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Creates the template and compares its controls, in creation (tab) order,
// with the rows; also its caption, client size, frame styles (those it must
// have, those it must not) and font, the shell's at 8 points.
void ExpectDialog(UINT id, const wchar_t* caption, SIZE units, DWORD style, DWORD notStyle,
                  DWORD exStyle, const std::vector<CONTROL_ROW>& rows) {
  SCOPED_TRACE(id);
  HWND dialog =
      ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, Quiet, 0);
  ASSERT_TRUE(dialog);
  wchar_t text[256] = {};
  ::GetWindowTextW(dialog, text, 256);
  EXPECT_STREQ(text, caption);
  const LONG_PTR dialogStyle = ::GetWindowLongPtrW(dialog, GWL_STYLE);
  EXPECT_EQ(dialogStyle & style, LONG_PTR(style));
  EXPECT_EQ(dialogStyle & notStyle, 0);
  EXPECT_FALSE(::IsWindowVisible(dialog)) << "shown by the program";
  EXPECT_EQ(::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & exStyle, LONG_PTR(exStyle));
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
  HDC dc = ::GetDC(dialog);
  EXPECT_EQ(font.lfHeight, -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72));
  ::ReleaseDC(dialog, dc);
  EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");
  RECT size{0, 0, units.cx, units.cy}, client;
  ::MapDialogRect(dialog, &size);
  ::GetClientRect(dialog, &client);
  EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(size.right, size.bottom));
  size_t i = 0;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT), ++i) {
    ASSERT_LT(i, rows.size()) << "more controls than expected";
    const CONTROL_ROW& row = rows[i];
    SCOPED_TRACE(i);
    wchar_t cls[64] = {};
    ::GetClassNameW(child, cls, 64);
    ::GetWindowTextW(child, text, 256);
    EXPECT_EQ(static_cast<WORD>(::GetDlgCtrlID(child)), static_cast<WORD>(row.id));
    EXPECT_STREQ(cls, row.cls);
    if (row.text) {
      EXPECT_STREQ(text, row.text);
    }
    // The dialog manager draws a template's border as a sunken edge.
    LONG_PTR childStyle = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) childStyle |= WS_BORDER;
    EXPECT_EQ(childStyle & row.style, LONG_PTR(row.style));
    // The dialog manager maps position and size each on its own.
    RECT expected = row.units, actual;
    ::MapDialogRect(dialog, &expected);
    ::GetWindowRect(child, &actual);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(std::make_pair(actual.left, actual.top), std::make_pair(expected.left, expected.top));
    // An icon control takes its icon's size, an etched rule the system's
    // frame, and a combo box's height is that of its closed field: the
    // template's size is checked for every other control.
    const LONG_PTR type = childStyle & SS_TYPEMASK;
    const bool bStatic = std::wstring(cls) == L"Static";
    if (bStatic && (type == SS_ICON || type == SS_ETCHEDHORZ)) continue;
    EXPECT_EQ(actual.right - actual.left, expected.right);
    if (std::wstring(cls) != L"ComboBox") {
      EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
    }
  }
  EXPECT_EQ(i, rows.size());
  ::DestroyWindow(dialog);
}

TEST(ResourceTest, DialogTemplates) {
  CListView::InitCommonControls();
  const DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // The item editor's text: several lines, Enter makes a new one, both bars.
  const DWORD kText = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                      WS_HSCROLL | WS_TABSTOP | WS_BORDER;
  const wchar_t *kEdit = L"Edit", *kButton = L"Button", *kStatic = L"Static",
                *kList = L"SysListView32", *kCombo = L"ComboBox";
  // clang-format off
  ExpectDialog(IDD_VIEWITEM, L"Clip Item", {316, 276}, kModal | DS_CENTER, WS_THICKFRAME, 0, {
      {1011, kEdit, L"", {7, 7, 302, 232}, kText}, {1019, kButton, L"Replace", {204, 252, 50, 14}},
      {2, kButton, L"Cancel", {258, 252, 50, 14}},
      {1018, kButton, L"Append", {150, 252, 50, 14}}});
  ExpectDialog(IDD_FIND, L"Find", {244, 107}, kModal, WS_THICKFRAME, WS_EX_TOOLWINDOW, {
      {-1, kStatic, L"Fi&nd what:", {6, 6, 35, 8}}, {1021, kEdit, L"", {6, 18, 229, 14}},
      {-1, kButton, L"Find &options", {7, 37, 227, 41}},
      {1022, kButton, L"Match &case", {12, 48, 52, 10}},
      {1023, kButton, L"Match &whole word", {12, 60, 74, 10}},
      {1024, kButton, L"&Find Next", {108, 84, 62, 14}},
      {1025, kButton, L"&Bookmark All", {174, 84, 62, 14}}});
  ExpectDialog(IDD_SMALLCLIP, L"", {219, 106}, DS_SETFOREGROUND | WS_POPUP | WS_THICKFRAME,
      WS_CAPTION, WS_EX_TOPMOST | WS_EX_CLIENTEDGE, {
      {1000, kList, nullptr, {0, 0, 219, 106}}});
  ExpectDialog(IDD_OPTIONS, L"Options", {316, 258}, kModal, 0, 0, {
      {-1, kButton, L"Hotkeys", {6, 6, 300, 156}}, {1017, kList, nullptr, {12, 18, 288, 138}},
      {-1, kButton, L"System", {6, 168, 300, 54}}, {-1, kStatic, L"Items count:", {11, 182, 42, 8}},
      {1005, kEdit, L"", {100, 180, 30, 14}},
      {-1, kStatic, L"Max Clipboard Copy Size:", {12, 200, 86, 8}},
      {1008, kEdit, L"", {100, 198, 30, 14}}, {-1, kStatic, L"MB", {133, 200, 10, 8}},
      {1006, kButton, L"Start with Windows", {162, 180, 78, 10}},
      {1007, kButton, L"Paste Activated Item", {162, 192, 83, 10}},
      {1, kButton, L"OK", {204, 234, 50, 14}}, {2, kButton, L"Cancel", {258, 234, 50, 14}}});
  ExpectDialog(IDD_EDITHOTKEY, L"Hotkey Edit", {178, 97}, kModal, 0, 0, {
      {1, kButton, L"OK", {66, 72, 50, 14}}, {2, kButton, L"Cancel", {119, 72, 50, 14}},
      {1012, kButton, L"Ctrl", {6, 36, 27, 10}}, {1013, kButton, L"Alt", {6, 54, 25, 10}},
      {1014, kButton, L"Shift", {48, 44, 31, 10}}, {1015, kCombo, nullptr, {90, 42, 78, 274}},
      {-1, kStatic, L"+", {36, 44, 8, 8}}, {-1, kStatic, L"+", {78, 44, 8, 8}},
      {-1, kStatic, L"Command Name:", {6, 8, 59, 8}}, {1016, kEdit, L"", {66, 6, 102, 14}}});
  ExpectDialog(IDD_ABOUTBOX, L"About Tansel", {235, 91}, kModal, 0, 0, {
      {-1, kStatic, nullptr, {12, 12, 20, 20}}, {-1, kStatic, L"Tansel Version", {42, 12, 50, 8}},
      {1020, kStatic, L"1.0.0.0", {94, 12, 48, 8}}, {-1, kStatic, L"Orvelle", {42, 24, 90, 8}},
      {1009, kStatic, L"help@orvelle.example", {138, 24, 82, 8}},
      {-1, kStatic, L"", {37, 40, 178, 1}},
      {-1, kStatic, nullptr, {40, 47, 178, 8}}, {1, kButton, L"OK", {178, 68, 50, 16}}});
  // clang-format on
}

TEST(ResourceTest, PicturesStringsVersionAndManifest) {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  for (int size : {16, 32, 48, 256}) {
    CIconHandle icon(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(IDI_TANSEL), IMAGE_ICON, size, size, 0)));
    ICONINFO info{};
    ASSERT_TRUE(icon && ::GetIconInfo(icon.Get(), &info)) << size;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
  EXPECT_TRUE(::LoadImageW(module, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, 16, 16, 0));
  // Row pictures: 17 x 13, 24 bits; the transparent colour where nothing is drawn.
  // Only a picture wholly its transparent colour is left undrawn in a list.
  const struct {
    UINT id;
    COLORREF corner, middle;
    bool bDrawsNothing;
  } pictures[] = {{IDB_ITEM, RGB(0, 0, 0), RGB(0, 0, 0), true},
                  {IDB_BOOKMARK, RGB(0, 0, 0), RGB(0x8C, 0xC4, 0xF0), false},
                  {IDB_SMALLITEM, RGB(0, 132, 132), RGB(255, 255, 255), false}};
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.id);
    EXPECT_EQ(IsBitmapAllColour(p.id, p.corner), p.bDrawsNothing);
    CBitmapHandle bitmap(static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(p.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    ASSERT_TRUE(bitmap && ::GetObjectW(bitmap.Get(), sizeof(dib), &dib));
    EXPECT_EQ(dib.dsBm.bmWidth * 100 + dib.dsBm.bmHeight, 1713) << "17 x 13";
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap.Get());
    EXPECT_EQ(::GetPixel(dc, 0, 0), p.corner);
    EXPECT_EQ(::GetPixel(dc, 8, 7), p.middle);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  wchar_t text[256] = {};
  ::LoadStringW(module, IDS_APP_TITLE, text, 256);
  EXPECT_STREQ(text, L"Tansel");
  ::LoadStringW(module, IDS_OLE_INIT_FAILED, text, 256);
  EXPECT_STREQ(
      text,
      L"OLE initialization failed.  Make sure that the OLE libraries are the correct version.");

  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::vector<BYTE> version(::GetFileVersionInfoSizeW(path, nullptr));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(::GetFileVersionInfoW(path, 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::vector<DWORD>({fixed->dwProductVersionMS, fixed->dwProductVersionLS,
                                fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwFileType}),
            std::vector<DWORD>({0x00010008, 0x000700D8, 0x00010008, 0x000700D8, VFT_APP}));
  std::wstring strings;
  for (const wchar_t* name :
       {L"CompanyName", L"ProductName", L"FileDescription", L"Comments", L"FileVersion",
        L"ProductVersion", L"InternalName", L"OriginalFilename"}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (::VerQueryValueW(version.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
      strings += name + (L"=" + std::wstring(value)) + L"|";
  }
  EXPECT_EQ(strings,
            L"CompanyName=Orvelle|ProductName=Tansel|FileDescription=Clipboard Manager|Comments="
            L"Clipboard Manager|FileVersion=1.8.7.0216|ProductVersion=1.8.7.0216|InternalName="
            L"Tansel.exe|OriginalFilename=Tansel.exe|");

  HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_TRUE(manifest);
  const std::string xml(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                        ::SizeofResource(module, manifest));
  for (const char* needle :
       {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "PerMonitorV2", "asInvoker"})
    EXPECT_NE(xml.find(needle), std::string::npos) << needle;
}

}  // namespace
