#include "pages/InfoSheet.h"

namespace {

constexpr TPanelOptions kSheetPanel{.bevelOuter = TBevelCut::Lowered, .bevelInner = TBevelCut::Raised};
constexpr int kQuestion = 560;

}  // namespace

TInfoSheet::TInfoSheet(TControl& host, const wchar_t* className, std::wstring name, int width,
                       int height)
    : TBaseFrame2(host, className, std::move(name), width, height),
      BGPanel1(*this, {.name = L"BGPanel1", .width = width, .height = height}, kSheetPanel) {
  panelMade_ = true;
}

bool TInfoSheet::KeepsOthers(const TListBox& list, int stored) {
  if (CtrlHeld() || stored <= 0 || list.KeptOtherChoices()) return false;
  return ShowPageMessage(kQuestion, kQuestionStyle) == IDNO;
}

LRESULT TInfoSheet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The host places the page over its bevel; the panel goes with it, after the page
  // has cut its own background anew (the panel cuts its picture from that).
  const LRESULT result = TBaseFrame2::WndProc(msg, wParam, lParam);
  if (msg == WM_SIZE && panelMade_) BGPanel1.SetBounds(0, 0, LOWORD(lParam), HIWORD(lParam));
  return result;
}

bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0; }

std::wstring TrimLeadingBlanks(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  return first == std::wstring::npos ? std::wstring() : text.substr(first);
}
