// The skinned containers: the group box and the panel as skinned parents (the chain of
// cut-outs, the panel's border-shifted background, its edits following its moves) and
// the check box and radio button repainting after every state change.
#include <gtest/gtest.h>

#include "BGCheckBox.h"
#include "BGEdit.h"
#include "BGGroupBox.h"
#include "BGPanel.h"
#include "BGRadioButton.h"
#include "BGTestUtil.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

class BGContainerTest : public BGControlTest {
 protected:
  static int FacePixels(const TSkinBitmap& shot) {
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) count += shot.Pixel(x, y) == GetSysColor(COLOR_BTNFACE);
    return count;
  }
  static bool Differ(const TSkinBitmap& a, const TSkinBitmap& b) { return !skin_test::SameAs(a, b, 0, 0); }
};

TEST_F(BGContainerTest, AGroupBoxShowsThePictureInsideItsFrameAndServesItsChildren) {
  TBGGroupBox group(form, {.name = L"GroupServer", .left = 20, .top = 12, .width = 393, .height = 93,
                           .caption = L"Server"});
  TBGEdit edit(group, {.name = L"edt", .left = 136, .top = 28, .width = 60, .height = 21});
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(156, 40));

  const TSkinBitmap shot = OnScreen(group.Handle());
  EXPECT_EQ(FacePixels(shot), 0);
  EXPECT_EQ(shot.Pixel(60, 60), PictureUnder(group.Handle(), 60, 60));
  EXPECT_LT(PictureMatches(group.Handle(), shot), shot.Width() * shot.Height()) << "frame and caption stay";
}

TEST_F(BGContainerTest, ACheckBoxToggledByCodeRepaintsOverThePicture) {
  TBGCheckBox check(form, {.name = L"chk", .left = 20, .top = 140, .width = 120, .height = 20, .caption = L"Check"});
  const TSkinBitmap before = OnScreen(check.Handle());
  EXPECT_EQ(FacePixels(before), 0);

  check.SetChecked(true);
  const TSkinBitmap checked = OnScreen(check.Handle());
  EXPECT_EQ(FacePixels(checked), 0);
  EXPECT_TRUE(Differ(before, checked));

  // Pressed and released by the mouse: the pushed state and the toggle.
  SendMessageW(check.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(FacePixels(OnScreen(check.Handle())), 0);
  SendMessageW(check.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(check.Checked());
  const TSkinBitmap unchecked = OnScreen(check.Handle());
  EXPECT_EQ(FacePixels(unchecked), 0);
  EXPECT_TRUE(Differ(unchecked, checked));
}

TEST_F(BGContainerTest, CheckingARadioButtonRepaintsItAndTheSiblingItUnchecked) {
  TBGRadioButton a(form, {.name = L"rbA", .left = 20, .top = 170, .width = 100, .height = 20, .caption = L"A"});
  TBGRadioButton b(form, {.name = L"rbB", .left = 20, .top = 195, .width = 100, .height = 20, .caption = L"B"});
  a.SetChecked(true);
  const TSkinBitmap aBefore = OnScreen(a.Handle()), bBefore = OnScreen(b.Handle());
  b.SetChecked(true);
  const TSkinBitmap aAfter = OnScreen(a.Handle()), bAfter = OnScreen(b.Handle());
  EXPECT_EQ(FacePixels(aAfter) + FacePixels(bAfter), 0);
  EXPECT_TRUE(Differ(aBefore, aAfter));
  EXPECT_TRUE(Differ(bBefore, bAfter));
}

TEST_F(BGContainerTest, APanelWithABorderHandsItsChildrenAShiftedBackground) {
  TBGPanel panel(form, {.name = L"pnl", .left = 40, .top = 220, .width = 200, .height = 60},
                 {.bevelOuter = TBevelCut::None, .border = TBorderStyle::Single});
  TBGEdit edit(panel, {.name = L"edt", .left = 10, .top = 10, .width = 80, .height = 21});
  EXPECT_EQ(panel.Background().Pixel(0, 0), GradientAt(40, 220));
  auto offered = QueryWindowInterface<IBackgroundProvider>(panel.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(offered);
  const SIZE size = BitmapSize(offered->GetBackground());
  EXPECT_EQ(size.cx, 196);
  EXPECT_EQ(size.cy, 56);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(52, 232));

  const TSkinBitmap shot = OnScreen(panel.Handle());
  // Everything but the edit's sunken edge (its empty client area is picture too).
  EXPECT_EQ(PictureMatches(panel.Handle(), shot), shot.Width() * shot.Height() - (80 * 21 - 76 * 17));

  // Moving the panel moves the pictures of its edits with it, at once.
  panel.SetLeft(60);
  EXPECT_EQ(panel.Background().Pixel(0, 0), GradientAt(60, 220));
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(72, 232));
  const TSkinBitmap moved = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), moved), moved.Width() * moved.Height());
}

TEST_F(BGContainerTest, APanelWithoutABorderOffersItsOwnCutOut) {
  TBGPanel panel(form, {.name = L"pnl", .left = 40, .top = 220, .width = 200, .height = 60, .caption = L"Caption"});
  auto offered = QueryWindowInterface<IBackgroundProvider>(panel.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(offered);
  EXPECT_EQ(offered->GetBackground(), panel.Background().Handle());
  const TSkinBitmap shot = OnScreen(panel.Handle());
  EXPECT_EQ(FacePixels(shot), 0);
  EXPECT_LT(PictureMatches(panel.Handle(), shot), shot.Width() * shot.Height()) << "bevel and caption stay";
}

}  // namespace
