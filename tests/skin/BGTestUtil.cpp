#include <gtest/gtest.h>

#include "BGTestUtil.h"

namespace bg_test {

TSkinBitmap OnScreen(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  skin_test::Pump();
  RECT client{};
  GetClientRect(window, &client);
  TSkinBitmap shot(client.right, client.bottom, RGB(1, 2, 3));
  if (shot.Empty()) return shot;
  HDC screen = GetDC(window);
  {
    TBitmapDC to(shot.Handle());
    BitBlt(to.DC(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  }
  ReleaseDC(window, screen);
  GdiFlush();
  return shot;
}

COLORREF PictureUnder(HWND control, int x, int y) {
  POINT point{x, y};
  MapWindowPoints(control, GetAncestor(control, GA_ROOT), &point, 1);
  return skin_test::GradientAt(point.x, point.y);
}

int PictureMatches(HWND control, const TSkinBitmap& shot) {
  int matches = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if (shot.Pixel(x, y) == PictureUnder(control, x, y)) ++matches;
  return matches;
}

void BGControlTest::SetUp() {
  form.BGSource1.SetBitmap(skin_test::Gradient(600, 450).Handle());
  form.Show();
  skin_test::Pump();
}

}  // namespace bg_test
