// Shared pieces of the skinned-control tests: a shown skinned form on a gradient
// picture, and a window's client area read back from the screen after it painted
// itself (the composed face only reaches the screen; a DC handed to a control gets
// the plain standard painting).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "SkinTestUtil.h"

namespace bg_test {

// Paints every pending update of `window` and its children, then reads its client area
// from the screen.
TSkinBitmap OnScreen(HWND window);

// The picture the form shows under the client pixel x, y of `control`.
COLORREF PictureUnder(HWND control, int x, int y);

// Counts the client pixels of `shot` (taken from `control`) that show the form's
// picture exactly where it lies under them.
int PictureMatches(HWND control, const TSkinBitmap& shot);

// A shown form whose picture is the gradient of SkinTestUtil.
class BGControlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  skin_test::TSkinForm form;
};

}  // namespace bg_test
