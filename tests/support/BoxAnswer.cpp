#include "tests/support/BoxAnswer.h"

namespace {

TBoxAnswer* Current = nullptr;  // one at a time, on the test's thread

HWND ShownBox() {
  HWND box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&box));
  return box;
}

std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

}  // namespace

TBoxAnswer::TBoxAnswer(int answer) : answer_(answer), timer_(SetTimer(nullptr, 0, 30, &Tick)) {
  Current = this;
}

TBoxAnswer::~TBoxAnswer() {
  KillTimer(nullptr, timer_);
  Current = nullptr;
}

void CALLBACK TBoxAnswer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = Current ? ShownBox() : nullptr;
  if (!box) return;
  TBox seen;
  seen.caption = Text(box);
  seen.text = Text(GetDlgItem(box, 0xFFFF));  // the box's text is its static 0xFFFF
  seen.owner = GetWindow(box, GW_OWNER);
  const HWND no = GetDlgItem(box, IDNO);
  seen.defaultIsNo = no && (GetWindowLongW(no, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  Current->boxes_.push_back(seen);
  // Hidden at once, so that the next tick does not find it again before it closes.
  ShowWindow(box, SW_HIDE);
  PostMessageW(box, WM_COMMAND, Current->answer_, 0);
}
