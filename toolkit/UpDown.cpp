#include "toolkit/UpDown.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Exception.h"

namespace {

DWORD UpDownStyle(const TUpDownOptions& options) {
  DWORD style = 0;
  if (options.orientation == TUDOrientation::Horizontal) style |= UDS_HORZ;
  if (options.alignButton == TUDAlignButton::Right) style |= UDS_ALIGNRIGHT;
  if (options.alignButton == TUDAlignButton::Left) style |= UDS_ALIGNLEFT;
  if (options.wrap) style |= UDS_WRAP;
  if (options.arrowKeys) style |= UDS_ARROWKEYS;
  if (!options.thousands) style |= UDS_NOTHOUSANDS;
  if (options.tabStop) style |= WS_TABSTOP;
  return style | UDS_SETBUDDYINT;
}

}  // namespace

TUpDown::TUpDown(TControl& parent, const TControlArgs& args, const TUpDownOptions& options)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  CreateStandardChild(args, UPDOWN_CLASSW, UpDownStyle(options));
  // The platform's default range runs from 100 down to 0, so its upper arrow would
  // count down: always set one.
  SetRange(options.min, options.max);
  SetIncrement(options.increment);
  SetPosition(options.min);
}

int TUpDown::Min() const {
  int min = 0, max = 0;
  SendMessageW(Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  return min;
}

int TUpDown::Max() const {
  int min = 0, max = 0;
  SendMessageW(Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  return max;
}

void TUpDown::SetRange(int min, int max) {
  SendMessageW(Handle(), UDM_SETRANGE32, min, max);
  SetPosition(Position());
}

int TUpDown::Position() const {
  return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int position) {
  const int low = std::min(Min(), Max()), high = std::max(Min(), Max());
  SendMessageW(Handle(), UDM_SETPOS32, 0, std::clamp(position, low, high));
}

int TUpDown::Increment() const {
  UDACCEL accel{};
  SendMessageW(Handle(), UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  return static_cast<int>(accel.nInc);
}

void TUpDown::SetIncrement(int increment) {
  if (increment < 1) throw EError(L"The increment of " + Name() + L" must be positive");
  UDACCEL accel{0, static_cast<UINT>(increment)};
  SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SetAssociate(TEdit* edit) {
  associate_ = edit;
  SendMessageW(Handle(), UDM_SETBUDDY, edit ? reinterpret_cast<WPARAM>(edit->Handle()) : 0, 0);
  if (edit) SetPosition(Position());  // shows the position in the edit
}

std::optional<LRESULT> TUpDown::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    auto& change = *reinterpret_cast<NMUPDOWN*>(lParam);
    if (change.hdr.code != UDN_DELTAPOS) return TStdControl::Reflected(msg, wParam, lParam);
    // The delta counts towards Max whichever way the range runs.
    const bool towardsMax = (change.iDelta > 0) == (Max() >= Min());
    lastButton_ = towardsMax ? TUDButton::Next : TUDButton::Prev;
    bool allow = true;
    if (OnChanging) OnChanging(*this, change.iPos + change.iDelta, lastButton_, allow);
    return allow ? 0 : 1;  // non-zero keeps the position
  }
  if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
    // Sent after every press, moved or not.
    if (LOWORD(wParam) == SB_THUMBPOSITION) Fire(OnClick, *this, lastButton_);
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}
