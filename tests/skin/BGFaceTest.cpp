// The skinned controls that add nothing but the composition: the bitmap button, the
// track bar (with its border), the up-down pair, the tab set and the draw grid (with
// its scrolling): their own colour never reaches the screen, their marks do.
#include <gtest/gtest.h>

#include "BGBitBtn.h"
#include "BGDrawGrid.h"
#include "BGTabSet.h"
#include "BGTestUtil.h"
#include "BGTrackBar.h"
#include "BGUpDown.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

class BGFaceTest : public BGControlTest {
 protected:
  static int CountColour(const TSkinBitmap& shot, COLORREF colour) {
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) count += shot.Pixel(x, y) == colour;
    return count;
  }
  // The control's own colour is gone, the picture shows in part, and its marks stay.
  static void ExpectComposed(HWND window, COLORREF colour, const char* what) {
    const TSkinBitmap shot = OnScreen(window);
    const int all = shot.Width() * shot.Height();
    const int picture = PictureMatches(window, shot);
    EXPECT_EQ(CountColour(shot, colour), 0) << what;
    EXPECT_GT(picture, all / 5) << what;
    EXPECT_LT(picture, all) << what;
  }
  // Pixel by pixel: the plain painting where it is not `colour`, the picture where it is.
  static void ExpectExactComposition(HWND window, COLORREF colour) {
    const TSkinBitmap plain = skin_test::Painted(window), shot = OnScreen(window);
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) {
        const COLORREF expected = plain.Pixel(x, y) == colour ? PictureUnder(window, x, y) : plain.Pixel(x, y);
        ASSERT_EQ(shot.Pixel(x, y), expected) << "at " << x << ", " << y;
      }
  }
};

TEST_F(BGFaceTest, ABitmapButtonKeepsItsFrameAndCaptionOverThePicture) {
  TBGBitBtn button(form, {.name = L"btnOK", .left = 40, .top = 300, .width = 90, .height = 26, .caption = L"OK"});
  ExpectComposed(button.Handle(), button.Color(), "button");
  const TSkinBitmap shot = OnScreen(button.Handle());
  EXPECT_EQ(shot.Pixel(10, 13), GradientAt(50, 313)) << "the face shows the picture";
  EXPECT_NE(shot.Pixel(0, 13), GradientAt(40, 313)) << "the frame stays";

  button.SetDoubleBuffered(false);
  EXPECT_EQ(OnScreen(button.Handle()).Pixel(10, 13), button.Color());
}

TEST_F(BGFaceTest, ATrackBarShowsThePictureInItsClientAreaAndItsBorder) {
  TBGTrackBar track(form, {.name = L"tb", .left = 40, .top = 340, .width = 160, .height = 40});
  track.SetBorderWidth(4);
  ASSERT_EQ(track.BorderOffset(), 4);
  ExpectComposed(track.Handle(), track.Color(), "track bar");
  ExpectExactComposition(track.Handle(), track.Color());

  // The border ring lies outside the client area: read the whole window.
  RedrawWindow(track.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC window = GetWindowDC(track.Handle());
  EXPECT_EQ(GetPixel(window, 1, 1), GradientAt(41, 341));
  EXPECT_EQ(GetPixel(window, 150, 38), GradientAt(190, 378));
  ReleaseDC(track.Handle(), window);
}

TEST_F(BGFaceTest, AnUpDownShowsThePictureWhereItPaintsItsColour) {
  TBGUpDown updown(form, {.name = L"ud", .left = 220, .top = 340, .width = 17, .height = 30});
  // Its buttons are painted in the platform's face colours, not in Color(): only what
  // the plain control paints in Color() gives way to the picture.
  ExpectExactComposition(updown.Handle(), updown.Color());
}

TEST_F(BGFaceTest, ATabSetShowsThePictureInItsFreeSpaceAndItsTabs) {
  TBGTabSet tabs(form, {.name = L"tab", .left = 250, .top = 340, .width = 200, .height = 24},
                 {.ditherBackground = false});
  tabs.SetTabs({L"One", L"Two"});
  tabs.SetTabIndex(0);
  ExpectComposed(tabs.Handle(), tabs.Color(), "tab set");
  ExpectExactComposition(tabs.Handle(), tabs.Color());
}

TEST_F(BGFaceTest, AScrolledGridIsComposedFromScratch) {
  TBGDrawGrid grid(form, {.name = L"Grid", .left = 300, .top = 200, .width = 220, .height = 120},
                   {.colCount = 3, .rowCount = 40, .defaultColWidth = 60, .defaultRowHeight = 18});
  ExpectComposed(grid.Handle(), grid.Color(), "grid");
  SendMessageW(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageW(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(grid.TopRow(), 3);
  ExpectComposed(grid.Handle(), grid.Color(), "grid after scrolling");
  // A plain cell well below the header is the picture, line to line.
  const RECT cell = grid.CellRect(1, 5);
  ASSERT_FALSE(IsRectEmpty(&cell));
  const TSkinBitmap shot = OnScreen(grid.Handle());
  EXPECT_EQ(shot.Pixel(cell.left + 5, cell.top + 5), PictureUnder(grid.Handle(), cell.left + 5, cell.top + 5));
  EXPECT_EQ(GetWindowRgn(grid.Handle(), CreateRectRgn(0, 0, 0, 0)), ERROR) << "the region is gone again";
}

}  // namespace
