// The skinned containers: the group box and the panel as skinned parents (the chain of
// cut-outs, the panel's border-shifted background, its edits following its moves) and
// the check box and radio button repainting after every state change.
#include "skin/BGCheckBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGImage.h"
#include "skin/BGPanel.h"
#include "skin/BGRadioButton.h"
#include "tests/skin/BGTestUtil.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

class BGContainerTest : public BGControlTest {};

TEST_F(BGContainerTest, AGroupBoxShowsThePictureInsideItsFrameAndServesItsChildren) {
  TBGGroupBox group(form, {.name = L"GroupServer", .left = 20, .top = 12, .width = 393, .height = 93,
                           .caption = L"Server"});
  EXPECT_TRUE(ComposedExactly(group.Handle(), group.Color()));
  TBGEdit edit(group, {.name = L"edt", .left = 136, .top = 28, .width = 60, .height = 21});
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(156, 40));
}

// A picture in a skinned group shows the window picture around its icon, not the
// group's plain face (what the group paints into a DC it is handed).
TEST_F(BGContainerTest, APictureInAGroupShowsTheWindowPictureAroundItsIcon) {
  TBGGroupBox group(form, {.name = L"GroupSpeed", .left = 20, .top = 116, .width = 393, .height = 69});
  TBGImage image(group, {.name = L"Image1", .left = 24, .top = 24, .width = 32, .height = 32});
  image.Picture().AssignIcon(LoadIconW(nullptr, IDI_APPLICATION));
  image.SetStretch(false);
  const TSkinBitmap shot = OnScreen(image.Handle());
  EXPECT_EQ(shot.Pixel(0, 31), PictureUnder(image.Handle(), 0, 31));
  EXPECT_GT(PictureMatches(image.Handle(), shot), 32 * 4);  // the icon's clear margins
  EXPECT_LT(PictureMatches(image.Handle(), shot), 32 * 32);  // and the icon itself
}

TEST_F(BGContainerTest, ACheckBoxRepaintsAfterEveryStateChange) {
  TBGCheckBox check(form, {.name = L"chk", .left = 20, .top = 140, .width = 120, .height = 20, .caption = L"Check"});
  EXPECT_TRUE(ComposedExactly(check.Handle(), check.Color()));
  check.SetChecked(true);
  EXPECT_TRUE(ComposedExactly(check.Handle(), check.Color())) << "checked by code";
  check.SetFocus();
  EXPECT_TRUE(ComposedExactly(check.Handle(), check.Color())) << "focused";
  SendMessageW(check.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(ComposedExactly(check.Handle(), check.Color())) << "pushed";
  SendMessageW(check.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(check.Checked());
  EXPECT_TRUE(ComposedExactly(check.Handle(), check.Color())) << "clicked";
}

TEST_F(BGContainerTest, CheckingARadioButtonRepaintsItAndTheSiblingItUnchecked) {
  TBGRadioButton a(form, {.name = L"rbA", .left = 20, .top = 170, .width = 100, .height = 20, .caption = L"A"});
  TBGRadioButton b(form, {.name = L"rbB", .left = 20, .top = 195, .width = 100, .height = 20, .caption = L"B"});
  a.SetChecked(true);
  OnScreen(a.Handle());
  b.SetChecked(true);
  EXPECT_TRUE(ComposedExactly(a.Handle(), a.Color()));
  EXPECT_TRUE(ComposedExactly(b.Handle(), b.Color()));
}

TEST_F(BGContainerTest, APanelWithABorderHandsItsChildrenAShiftedBackground) {
  TBGPanel panel(form, {.name = L"pnl", .left = 40, .top = 220, .width = 200, .height = 60},
                 {.bevelOuter = TBevelCut::None, .border = TBorderStyle::Single});
  TBGEdit edit(panel, {.name = L"edt", .left = 10, .top = 10, .width = 80, .height = 21});
  auto offered = QueryWindowInterface<IBackgroundProvider>(panel.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(offered);
  const SIZE size = BitmapSize(offered->GetBackground());
  EXPECT_EQ(size.cx * 1000 + size.cy, 196 * 1000 + 56);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(52, 232));
  const TSkinBitmap shot = OnScreen(panel.Handle());
  // Everything but the edit's sunken edge (its empty client area is picture too).
  EXPECT_EQ(PictureMatches(panel.Handle(), shot), PixelCount(shot) - (80 * 21 - 76 * 17));

  // Moving the panel moves the pictures of its edits with it, at once.
  panel.SetLeft(60);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(72, 232));
  const TSkinBitmap moved = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), moved), PixelCount(moved));
}

TEST_F(BGContainerTest, APanelWithoutABorderOffersItsOwnCutOut) {
  TBGPanel panel(form, {.name = L"pnl", .left = 40, .top = 220, .width = 200, .height = 60, .caption = L"Caption"});
  auto offered = QueryWindowInterface<IBackgroundProvider>(panel.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(offered);
  EXPECT_EQ(offered->GetBackground(), panel.Background().Handle());
  EXPECT_TRUE(ComposedExactly(panel.Handle(), panel.Color()));
}

}  // namespace
