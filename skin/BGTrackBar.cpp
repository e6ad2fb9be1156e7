#include "skin/BGTrackBar.h"
#include "toolkit/Painting.h"

TBGTrackBar::TBGTrackBar(TControl& parent, const TControlArgs& args, const TTrackBarOptions& options)
    : TBGControl<TTrackBar>(parent, args, options) {}

void TBGTrackBar::PaintSkinnedBorder() {
  if (BorderWidth() == 0 || Background().Empty()) return;
  const TWindowDC window(Handle(), TWindowDC::Whole);
  HDC dc = window.Get();
  if (!dc) return;
  const int b = BorderOffset();
  const RECT client = ClientRect();
  ExcludeClipRect(dc, b, b, b + client.right, b + client.bottom);
  Background().Draw(dc, 0, 0);
}

LRESULT TBGTrackBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCPAINT && Skinned()) {
    const LRESULT result = TBGControl<TTrackBar>::WndProc(msg, wParam, lParam);
    PaintSkinnedBorder();
    return result;
  }
  return TBGControl<TTrackBar>::WndProc(msg, wParam, lParam);
}
