// Dialog controls of another program, found by id: read them, set them as a
// user leaves them, press their buttons. Every message used here crosses
// processes without a remote buffer (the system copies their texts).
#include "Driver.h"

namespace tdriver {
namespace {

LRESULT SendTo(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result))
    FailLastError(L"SendMessageTimeout to the control");
  return static_cast<LRESULT>(result);
}

HWND Control(const std::wstring& window, const std::wstring& id) {
  HWND dialog = ResolveWindow(window);
  HWND h = GetDlgItem(dialog, static_cast<int>(ParseInt(id, L"a control id")));
  if (!h) Fail(kFailed, L"no control " + id + L" in " + window);
  return h;
}

std::wstring ComboText(HWND combo, LRESULT index) {
  const LRESULT length = SendTo(combo, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return L"";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendTo(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

std::wstring SentText(HWND h) {
  const LRESULT length = SendTo(h, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendTo(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(copied));
  return text;
}

int CmdControl(Args& args) {
  const bool checked = args.Flag(L"--checked");
  const bool selected = args.Flag(L"--selected");
  const auto pos = args.Positional(2, 2);
  HWND h = Control(pos[0], pos[1]);
  if (checked) {
    OutLine(std::to_wstring(SendTo(h, BM_GETCHECK, 0, 0)));
  } else if (selected) {
    // A drop-down list's chosen entry; nothing when none is chosen.
    const LRESULT index = SendTo(h, CB_GETCURSEL, 0, 0);
    OutLine(index < 0 ? L"" : ComboText(h, index));
  } else {
    OutLine(SentText(h));
  }
  return kOk;
}

int CmdSetControl(Args& args) {
  const bool hasText = args.Has(L"--text"), hasCheck = args.Has(L"--check"),
             hasSelect = args.Has(L"--select");
  const std::wstring text = args.Option(L"--text"), check = args.Option(L"--check"),
                     select = args.Option(L"--select");
  const auto pos = args.Positional(2, 2);
  HWND h = Control(pos[0], pos[1]);
  if (hasText && !SendTo(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
    Fail(kFailed, L"the control took no text");
  if (hasCheck)
    SendTo(h, BM_SETCHECK, ParseInt(check, L"--check") ? BST_CHECKED : BST_UNCHECKED, 0);
  if (hasSelect) {
    // The exact entry, as a user picks it from the list.
    const LRESULT index = SendTo(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(select.c_str()));
    if (index < 0) Fail(kFailed, L"no entry " + select);
    SendTo(h, CB_SETCURSEL, index, 0);
  }
  if (!hasText && !hasCheck && !hasSelect) Fail(kUsage, L"nothing to set");
  return kOk;
}

int CmdClick(Args& args) {
  // Posted: a button that ends a modal dialog or opens a box must not hold
  // the driver until it returns.
  const auto pos = args.Positional(2, 2);
  if (!PostMessageW(Control(pos[0], pos[1]), BM_CLICK, 0, 0)) FailLastError(L"PostMessage");
  return kOk;
}

}  // namespace tdriver
