#include "toolkit/Cursor.h"

namespace {

// Lets the window under the pointer choose its cursor again, as a mouse move would.
void ResetCursorUnderPointer() {
  POINT pt{};
  if (!GetCursorPos(&pt)) return;
  HWND window = WindowFromPoint(pt);
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return;
  }
  const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

}  // namespace

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TScreen::SetCursor(HCURSOR cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (cursor_)
    ::SetCursor(cursor_);
  else
    ResetCursorUnderPointer();
}

THourglass::THourglass() : saved_(Screen().Cursor()) {
  Screen().SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

THourglass::~THourglass() { Screen().SetCursor(saved_); }
