// The skinned form and its sources, the cut-out chain and the transparent label:
// pixels painted into memory bitmaps compared with the rectangles of the picture that
// should lie under each window.
#include <gtest/gtest.h>

#include "skin/BGLabel.h"
#include "skin/Background.h"
#include "toolkit/Exception.h"
#include "toolkit/Label.h"
#include "skin/PicBtn.h"
#include "tests/skin/SkinTestUtil.h"
#include "tests/support/TestPaths.h"

using namespace skin_test;

namespace {

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

TEST(BGFormTest, LoadingThePictureSizesTheClientArea) {
  const std::wstring dir = vt::test::ScratchDir(L"skin-sizes");
  TSkinForm form;
  EXPECT_EQ(form.GetBackground(), nullptr);  // a source without a picture
  form.BGSource1.LoadFromFile(SaveBmp(Gradient(570, 413), dir, L"same.bmp"));
  EXPECT_EQ(ClientSize(form.Handle()).cx, 570);
  EXPECT_EQ(ClientSize(form.Handle()).cy, 413);
  form.BGSource1.LoadFromFile(SaveBmp(Gradient(600, 400), dir, L"other.bmp"));
  EXPECT_EQ(ClientSize(form.Handle()).cx, 600);
  EXPECT_EQ(ClientSize(form.Handle()).cy, 400);
  // The file's pixels arrive exactly, rows the right way up.
  EXPECT_EQ(form.BGSource1.Bitmap().Pixel(599, 0), GradientAt(599, 0));
  EXPECT_EQ(form.BGSource1.Bitmap().Pixel(3, 399), GradientAt(3, 399));
}

TEST(BGFormTest, AMissingOrBrokenPictureFailsClearlyAndKeepsTheOldOne) {
  const std::wstring dir = vt::test::ScratchDir(L"skin-missing");
  TSkinForm form;
  form.BGSource1.SetBitmap(Gradient(300, 200).Handle());
  try {
    form.BGSource1.LoadFromFile(dir + L"absent.bmp");
    FAIL() << "no error for a missing file";
  } catch (const EError& e) {
    EXPECT_NE(e.Message().find(L"absent.bmp"), std::wstring::npos);
  }
  const std::wstring junk = dir + L"junk.bmp";
  FILE* f = _wfopen(junk.c_str(), L"wb");
  fputs("BM this is not a picture", f);
  fclose(f);
  EXPECT_THROW(form.BGSource1.LoadFromFile(junk), EError);
  EXPECT_EQ(form.BGSource1.Bitmap().Width(), 300);
  EXPECT_EQ(ClientSize(form.Handle()).cx, 300);
}

TEST(BGFormTest, PaintsTheLastSourcesPictureAtTheOrigin) {
  TSkinForm form;
  TBGSource second(form, L"BGSource2");
  form.BGSource1.SetBitmap(Face(200, 100, RGB(10, 20, 30), {0, 0, 0, 0}, 0).Handle());
  second.SetBitmap(Gradient(200, 100).Handle());
  EXPECT_EQ(form.GetBackground(), second.Bitmap().Handle());
  std::string where;
  EXPECT_TRUE(SameAs(Painted(form.Handle()), second.Bitmap(), 0, 0, &where)) << where;

  // A window larger than its picture shows its colour beyond it.
  form.SetClientSize(220, 100);
  const TSkinBitmap painted = Painted(form.Handle());
  EXPECT_EQ(painted.Pixel(199, 50), GradientAt(199, 50));
  EXPECT_EQ(painted.Pixel(210, 50), form.Color());
}

TEST(BGFormTest, ARemovedSourceHandsBackToTheOneBefore) {
  TSkinForm form;
  form.BGSource1.SetBitmap(Gradient(50, 40).Handle());
  {
    TBGSource later(form, L"BGSource2");
    later.SetBitmap(Face(50, 40, RGB(9, 9, 9), {0, 0, 0, 0}, 0).Handle());
    EXPECT_EQ(form.GetBackground(), later.Bitmap().Handle());
  }
  EXPECT_EQ(form.GetBackground(), form.BGSource1.Bitmap().Handle());
}

TEST(BGFormTest, TheParentIsFoundByMessageAndOnlyInThisProcess) {
  TSkinForm form;
  form.BGSource1.SetBitmap(Gradient(100, 100).Handle());
  TLabel plain(form, {.name = L"plain", .left = 1, .top = 1, .width = 20, .height = 10});
  auto provider = QueryWindowInterface<IBackgroundProvider>(form.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(provider);
  EXPECT_EQ(provider->GetBackground(), form.BGSource1.Bitmap().Handle());
  EXPECT_EQ(ParentBackground(plain.Handle()), form.BGSource1.Bitmap().Handle());
  // A standard window, a missing one and an interface the form lacks answer nothing.
  EXPECT_FALSE(QueryWindowInterface(plain.Handle(), IID_IBackgroundProvider));
  EXPECT_FALSE(QueryWindowInterface(nullptr, IID_IBackgroundProvider));
  EXPECT_FALSE(QueryWindowInterface(form.Handle(), IID_IBackgroundRefresh));
  EXPECT_FALSE(QueryWindowInterface(GetDesktopWindow(), IID_IBackgroundProvider));
}

// The chain: coordinates add up along the parents, so a control two levels down
// shows the window picture's rectangle at the sum of the positions.
TEST(CutOutTest, AControlShowsThePictureRectangleUnderIt) {
  TSkinForm form;
  form.BGSource1.SetBitmap(Gradient(605, 441).Handle());
  TPicBtn outer(form, {.name = L"outer", .left = 300, .top = 260, .width = 120, .height = 90});
  TPicBtn inner(outer, {.name = L"inner", .left = 15, .top = 20, .width = 30, .height = 12});
  std::string where;
  EXPECT_TRUE(SameAs(outer.Background(), form.BGSource1.Bitmap(), 300, 260, &where)) << where;
  EXPECT_TRUE(SameAs(inner.Background(), form.BGSource1.Bitmap(), 315, 280, &where)) << where;
  EXPECT_EQ(inner.Background().Width(), 30);
  EXPECT_EQ(inner.Background().Height(), 12);
}

TEST(CutOutTest, APartBeyondTheParentsPictureIsFilledNotRead) {
  TSkinBitmap picture = Gradient(40, 30);
  TSkinBitmap part(20, 20);
  part.CopyFrom(picture.Handle(), 30, -5, RGB(1, 1, 1));
  EXPECT_EQ(part.Pixel(0, 0), RGB(1, 1, 1));    // above the picture
  EXPECT_EQ(part.Pixel(0, 5), GradientAt(30, 0));
  EXPECT_EQ(part.Pixel(9, 19), GradientAt(39, 14));
  EXPECT_EQ(part.Pixel(10, 10), RGB(1, 1, 1));  // right of it
}

TEST(CutOutTest, WithoutAProviderTheControlKeepsWhatItHad) {
  TForm plain({.className = L"TSkinTestPlain", .clientWidth = 200, .clientHeight = 100});
  TPicBtn button(plain, {.name = L"b", .left = 10, .top = 10, .width = 40, .height = 20});
  EXPECT_EQ(button.Background().Pixel(5, 5), button.Color());
  TSkinBitmap own(3, 3, RGB(7, 7, 7));
  EXPECT_FALSE(CutBackground(button.Handle(), own));
  EXPECT_EQ(own.Width(), 3);
  EXPECT_EQ(own.Pixel(1, 1), RGB(7, 7, 7));
}

TEST(BGLabelTest, ThePictureShowsAroundTheLetters) {
  TSkinForm form;
  form.BGSource1.SetBitmap(Gradient(300, 200).Handle());
  TBGLabel label(form, {.name = L"labMsg", .left = 50, .top = 60, .width = 120, .height = 20,
                        .caption = L"维特兰诺 ABC"});
  ASSERT_TRUE(label.Transparent());
  // An owner-drawn static paints through its parent's WM_DRAWITEM.
  TSkinBitmap painted(120, 20);
  {
    TBitmapDC dc(painted.Handle());
    DRAWITEMSTRUCT item{ODT_STATIC, static_cast<UINT>(label.Id()), 0, ODA_DRAWENTIRE, 0,
                        label.Handle(), dc.DC(), {0, 0, 120, 20}, 0};
    SendMessageW(form.Handle(), WM_DRAWITEM, label.Id(), reinterpret_cast<LPARAM>(&item));
  }
  int picture = 0, text = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x)
      (painted.Pixel(x, y) == GradientAt(50 + x, 60 + y) ? picture : text)++;
  EXPECT_GT(text, 30);          // the letters are there
  EXPECT_GT(picture, 120 * 10);  // and the picture around them
  EXPECT_EQ(painted.Pixel(119, 19), GradientAt(169, 79));

  label.SetTransparent(false);
  {
    TBitmapDC dc(painted.Handle());
    DRAWITEMSTRUCT item{ODT_STATIC, static_cast<UINT>(label.Id()), 0, ODA_DRAWENTIRE, 0,
                        label.Handle(), dc.DC(), {0, 0, 120, 20}, 0};
    SendMessageW(form.Handle(), WM_DRAWITEM, label.Id(), reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_NE(painted.Pixel(119, 19), GradientAt(169, 79));
}

}  // namespace
