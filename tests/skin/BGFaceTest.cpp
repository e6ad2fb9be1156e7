// The skinned controls that add nothing but the composition: the bitmap button, the
// track bar (with its border), the up-down pair, the tab set and the draw grid (with
// its scrolling): their own colour never reaches the screen, their marks do.
#include "skin/BGBitBtn.h"
#include "skin/BGDrawGrid.h"
#include "skin/BGTabSet.h"
#include "tests/skin/BGTestUtil.h"
#include "skin/BGTrackBar.h"
#include "skin/BGUpDown.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

class BGFaceTest : public BGControlTest {};

TEST_F(BGFaceTest, ABitmapButtonKeepsItsFrameAndCaptionOverThePicture) {
  TBGBitBtn button(form, {.name = L"btnOK", .left = 40, .top = 300, .width = 90, .height = 26, .caption = L"OK"});
  const TSkinBitmap shot = OnScreen(button.Handle());
  EXPECT_EQ(CountColour(shot, button.Color()), 0);
  EXPECT_EQ(shot.Pixel(10, 13), GradientAt(50, 313)) << "the face shows the picture";
  EXPECT_NE(shot.Pixel(0, 13), GradientAt(40, 313)) << "the frame stays";

  button.SetDoubleBuffered(false);
  EXPECT_EQ(OnScreen(button.Handle()).Pixel(10, 13), button.Color());
}

TEST_F(BGFaceTest, ATrackBarShowsThePictureInItsClientAreaAndItsBorder) {
  TBGTrackBar track(form, {.name = L"tb", .left = 40, .top = 340, .width = 160, .height = 40});
  track.SetBorderWidth(4);
  ASSERT_EQ(track.BorderOffset(), 4);
  EXPECT_TRUE(ComposedExactly(track.Handle(), track.Color()));
  track.SetPosition(7);
  SendMessageW(track.Handle(), WM_KEYDOWN, VK_LEFT, 0);
  ASSERT_EQ(track.Position(), 6);
  EXPECT_TRUE(ComposedExactly(track.Handle(), track.Color())) << "after moving the thumb";

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
  EXPECT_TRUE(ComposedExactly(updown.Handle(), updown.Color()));
  SendMessageW(updown.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  EXPECT_TRUE(ComposedExactly(updown.Handle(), updown.Color())) << "pressed";
  SendMessageW(updown.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
}

TEST_F(BGFaceTest, ATabSetShowsThePictureInItsFreeSpaceAndItsTabs) {
  TBGTabSet tabs(form, {.name = L"tab", .left = 250, .top = 340, .width = 200, .height = 24},
                 {.ditherBackground = false});
  tabs.SetTabs({L"One", L"Two"});
  tabs.SetTabIndex(0);
  EXPECT_TRUE(ComposedExactly(tabs.Handle(), tabs.Color()));
}

TEST_F(BGFaceTest, AScrolledGridIsComposedFromScratch) {
  TBGDrawGrid grid(form, {.name = L"Grid", .left = 300, .top = 200, .width = 220, .height = 120},
                   {.colCount = 3, .rowCount = 40, .defaultColWidth = 60, .defaultRowHeight = 18});
  EXPECT_TRUE(ComposedExactly(grid.Handle(), grid.Color()));
  SendMessageW(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageW(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(grid.TopRow(), 3);
  EXPECT_TRUE(ComposedExactly(grid.Handle(), grid.Color())) << "after scrolling";
  EXPECT_EQ(GetWindowRgn(grid.Handle(), CreateRectRgn(0, 0, 0, 0)), ERROR) << "the region is gone again";
}

}  // namespace
