// Shared pieces of the skinned-control tests: a shown skinned form on a gradient
// picture, and a window's client area read back from the screen after it painted
// itself (the composed face only reaches the screen; a DC handed to a control gets
// the plain standard painting).
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/skin/SkinTestUtil.h"

namespace bg_test {

// Paints every pending update of `window` and its children, dispatches what they
// posted, then reads the client area from the screen.
TSkinBitmap OnScreen(HWND window);

// The form's picture under the client pixel x, y of `control`.
COLORREF PictureUnder(HWND control, int x, int y);
// The client pixels of `shot` (taken from `control`) showing the picture under them.
int PictureMatches(HWND control, const TSkinBitmap& shot);
// The pixels of `colour` in `area` of `shot` (all of it when null).
int CountColour(const TSkinBitmap& shot, COLORREF colour, const RECT* area = nullptr);
int PixelCount(const TSkinBitmap& shot);

// Success when the screen shows, pixel for pixel, the plain painting of `window` with
// every pixel of `key` replaced by the picture under it.
::testing::AssertionResult ComposedExactly(HWND window, COLORREF key);

class BGControlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  skin_test::TSkinForm form;
};

}  // namespace bg_test
