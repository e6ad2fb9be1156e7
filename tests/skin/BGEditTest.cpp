// The skinned edit: the composed face on the screen, the cut-out taken again on a
// move and on request, and an edit without a picture behind it.
#include <gtest/gtest.h>

#include "BGEdit.h"
#include "BGTestUtil.h"
#include "Panel.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

int CountColour(const TSkinBitmap& shot, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) count += shot.Pixel(x, y) == colour;
  return count;
}

class BGEditTest : public BGControlTest {};

TEST_F(BGEditTest, ShowsThePictureAroundItsText) {
  TBGEdit edit(form, {.name = L"edt", .left = 28, .top = 28, .width = 120, .height = 22, .caption = L"Hello"});
  ASSERT_EQ(edit.BorderOffset(), 2);
  ASSERT_EQ(edit.Background().Width(), 120);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(28, 28));

  const TSkinBitmap shot = OnScreen(edit.Handle());
  const int all = shot.Width() * shot.Height();
  const int picture = PictureMatches(edit.Handle(), shot);
  EXPECT_EQ(CountColour(shot, kWhite), 0) << "the white background is replaced";
  EXPECT_GT(picture, all * 3 / 4);
  EXPECT_LT(picture, all) << "the text stays visible";
  // Right of the text the client area is the picture exactly, shifted by the border.
  EXPECT_EQ(shot.Pixel(shot.Width() - 3, 5), GradientAt(28 + 2 + shot.Width() - 3, 28 + 2 + 5));

  // A DC of the caller's own gets the plain edit: the composition builds on it.
  EXPECT_EQ(skin_test::Painted(edit.Handle()).Pixel(shot.Width() - 3, 5), kWhite);
  edit.SetDoubleBuffered(false);
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(shot.Width() - 3, 5), kWhite);
}

TEST_F(BGEditTest, AColourEqualToTheTextShowsThePictureThroughTheLetters) {
  TBGEdit edit(form, {.name = L"edt", .left = 28, .top = 28, .width = 120, .height = 22, .caption = L"WWWW"});
  edit.SetColor(edit.FontColor());
  const TSkinBitmap shot = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), shot), shot.Width() * shot.Height());
}

TEST_F(BGEditTest, AMoveTakesTheCutOutAtOnce) {
  TBGEdit edit(form, {.name = L"edt", .left = 28, .top = 28, .width = 120, .height = 22});
  OnScreen(edit.Handle());
  edit.SetLeft(38);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(38, 28));
  const TSkinBitmap shot = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), shot), shot.Width() * shot.Height());
}

TEST_F(BGEditTest, RefreshBackgroundTakesTheParentsNewPicture) {
  TBGEdit edit(form, {.name = L"edt", .left = 28, .top = 28, .width = 120, .height = 22});
  form.BGSource1.SetBitmap(TSkinBitmap(600, 450, RGB(0, 90, 0)).Handle());
  EXPECT_EQ(edit.Background().Pixel(5, 5), GradientAt(33, 33)) << "a cut-out is a copy";
  auto refresh = QueryWindowInterface<IBackgroundRefresh>(edit.Handle(), IID_IBackgroundRefresh);
  ASSERT_TRUE(refresh);
  refresh->RefreshBackground();
  EXPECT_EQ(edit.Background().Pixel(5, 5), RGB(0, 90, 0));
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(10, 5), RGB(0, 90, 0));
}

TEST_F(BGEditTest, WithoutAPictureBehindItTheEditLooksPlain) {
  TPanel plain(form, {.name = L"plain", .left = 10, .top = 10, .width = 200, .height = 60});
  TBGEdit edit(plain, {.name = L"edt", .left = 5, .top = 5, .width = 120, .height = 22});
  EXPECT_TRUE(edit.Background().Empty());
  EXPECT_FALSE(QueryWindowInterface<IBackgroundProvider>(plain.Handle(), IID_IBackgroundProvider));
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(10, 5), kWhite);
}

}  // namespace
