#include "skin/BGMemo.h"

namespace {

// Messages during which an edit may scroll itself to keep the caret in view.
bool MayScroll(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SETTEXT:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_TIMER:
    case EM_SETSEL:
    case EM_REPLACESEL:
      return true;
  }
  return false;
}

}  // namespace

TBGMemo::TBGMemo(TControl& parent, const TControlArgs& args, const TMemoOptions& options)
    : TBGControl<TMemo>(parent, args, options) {}

POINT TBGMemo::ScrollPosition() const {
  const auto line = SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
  const auto first = SendMessageW(Handle(), EM_LINEINDEX, line, 0);
  // The left edge moves with horizontal scrolling; for an empty text it is -1.
  const auto where = first >= 0 ? SendMessageW(Handle(), EM_POSFROMCHAR, first, 0) : -1;
  return POINT{static_cast<LONG>(line), static_cast<LONG>(static_cast<short>(LOWORD(where)))};
}

LRESULT TBGMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Skinned() || !Handle()) return TBGControl<TMemo>::WndProc(msg, wParam, lParam);
  if (IsScrollRequest(msg)) {
    TScrollHider hidden(Handle());
    return TBGControl<TMemo>::WndProc(msg, wParam, lParam);
  }
  if (MayScroll(msg)) {
    const POINT before = ScrollPosition();
    const LRESULT result = TBGControl<TMemo>::WndProc(msg, wParam, lParam);
    const POINT after = ScrollPosition();
    if (Handle() && (before.x != after.x || before.y != after.y)) InvalidateRect(Handle(), nullptr, FALSE);
    return result;
  }
  return TBGControl<TMemo>::WndProc(msg, wParam, lParam);
}
