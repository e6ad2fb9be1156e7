#include "toolkit/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

DWORD TrackStyle(const TTrackBarOptions& options) {
  DWORD style = WS_TABSTOP;
  style |= options.orientation == TTrackBarOrientation::Vertical ? TBS_VERT : TBS_HORZ;
  switch (options.tickMarks) {
    case TTickMarks::BottomRight: style |= TBS_BOTTOM; break;
    case TTickMarks::TopLeft: style |= TBS_TOP; break;
    case TTickMarks::Both: style |= TBS_BOTH; break;
  }
  style |= options.tickStyle == TTickStyle::Auto ? TBS_AUTOTICKS : TBS_NOTICKS;
  if (options.thumbLength > 0) style |= TBS_FIXEDLENGTH;
  return style;
}

}  // namespace

TTrackBar::TTrackBar(TControl& parent, const TControlArgs& args, const TTrackBarOptions& options)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  if (options.min > options.max) throw EError(L"The range of " + Name() + L" is empty");
  CreateStandardChild(args, TRACKBAR_CLASSW, TrackStyle(options));
  if (options.thumbLength > 0) SendMessageW(Handle(), TBM_SETTHUMBLENGTH, options.thumbLength, 0);
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, options.min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, options.max);
  SetFrequency(options.frequency);
  lastPosition_ = Position();
}

int TTrackBar::Min() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMIN, 0, 0)); }
int TTrackBar::Max() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMAX, 0, 0)); }
int TTrackBar::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }
int TTrackBar::ThumbLength() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETTHUMBLENGTH, 0, 0)); }

void TTrackBar::SetRange(int min, int max) {
  if (min > max) throw EError(L"The range of " + Name() + L" is empty");
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  // The control clamps its position to the new range without telling anyone.
  CheckChanged();
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, Min(), Max());
  if (position == Position()) return;
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
  CheckChanged();
}

void TTrackBar::SetFrequency(int frequency) {
  if (frequency < 1) throw EError(L"The tick frequency of " + Name() + L" must be positive");
  frequency_ = frequency;
  SendMessageW(Handle(), TBM_SETTICFREQ, frequency, 0);
}

void TTrackBar::SetBorderWidth(int width) {
  if (width < 0) throw EError(L"The border width of " + Name() + L" cannot be negative");
  if (width == borderWidth_) return;
  borderWidth_ = width;
  // Makes the window compute its client area again.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTrackBar::CheckChanged() {
  const int position = Position();
  if (position == lastPosition_) return;
  lastPosition_ = position;
  Fire(OnChange, *this);
}

void TTrackBar::PaintBorder() {
  if (borderWidth_ == 0) return;
  const TWindowDC whole(Handle(), TWindowDC::Whole);
  HDC dc = whole.Get();
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &window, CtlColor(dc));
}

std::optional<LRESULT> TTrackBar::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
    CheckChanged();
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}

LRESULT TTrackBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE: {
      const LRESULT result = TStdControl::WndProc(msg, wParam, lParam);
      if (borderWidth_ > 0) {
        // Both forms of lParam start with the window's rectangle, to shrink into the client.
        RECT& rect = *reinterpret_cast<RECT*>(lParam);
        InflateRect(&rect, -borderWidth_, -borderWidth_);
        if (rect.right < rect.left) rect.right = rect.left;
        if (rect.bottom < rect.top) rect.bottom = rect.top;
      }
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = TStdControl::WndProc(msg, wParam, lParam);
      PaintBorder();
      return result;
    }
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}
