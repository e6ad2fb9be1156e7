#include "tests/skin/BGTestUtil.h"

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
    for (int x = 0; x < shot.Width(); ++x) matches += shot.Pixel(x, y) == PictureUnder(control, x, y);
  return matches;
}

int CountColour(const TSkinBitmap& shot, COLORREF colour, const RECT* area) {
  const RECT all{0, 0, shot.Width(), shot.Height()};
  const RECT& r = area ? *area : all;
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += shot.Pixel(x, y) == colour;
  return count;
}

int PixelCount(const TSkinBitmap& shot) { return shot.Width() * shot.Height(); }

::testing::AssertionResult ComposedExactly(HWND window, COLORREF key) {
  // The plain painting over the control's colour, as the composition starts.
  RECT client{};
  GetClientRect(window, &client);
  TSkinBitmap plain(client.right, client.bottom, key);
  {
    TBitmapDC dc(plain.Handle());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.DC()), PRF_CLIENT);
  }
  GdiFlush();
  const TSkinBitmap shot = OnScreen(window);
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const COLORREF expected = plain.Pixel(x, y) == key ? PictureUnder(window, x, y) : plain.Pixel(x, y);
      if (shot.Pixel(x, y) != expected)
        return ::testing::AssertionFailure() << "pixel " << x << ", " << y << " is " << std::hex
                                             << shot.Pixel(x, y) << ", expected " << expected;
    }
  return ::testing::AssertionSuccess();
}

void BGControlTest::SetUp() {
  form.BGSource1.SetBitmap(skin_test::Gradient(600, 450).Handle());
  form.Show();
  skin_test::Pump();
}

}  // namespace bg_test
