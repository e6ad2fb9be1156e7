// The skinned edit: the composed face on the screen, the cut-out taken again on a
// move and on request, an edit without a picture behind it, and a text too long for it.
#include "skin/BGEdit.h"
#include "tests/skin/BGTestUtil.h"
#include "tests/toolkit/ToolkitTestUtil.h"
#include "toolkit/Panel.h"

using namespace bg_test;
using skin_test::GradientAt;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class BGEditTest : public BGControlTest {
 protected:
  TControlArgs At28(const wchar_t* text = L"") {
    return {.name = L"edt", .left = 28, .top = 28, .width = 120, .height = 22, .caption = text};
  }
};

TEST_F(BGEditTest, ShowsThePictureAroundItsText) {
  TBGEdit edit(form, At28(L"Hello"));
  ASSERT_EQ(edit.BorderOffset(), 2);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(28, 28));
  EXPECT_TRUE(ComposedExactly(edit.Handle(), kWhite));
  const TSkinBitmap shot = OnScreen(edit.Handle());
  EXPECT_EQ(CountColour(shot, kWhite), 0);
  EXPECT_LT(PictureMatches(edit.Handle(), shot), PixelCount(shot)) << "the text stays";
  EXPECT_EQ(shot.Pixel(115, 5), GradientAt(28 + 2 + 115, 28 + 2 + 5)) << "shifted by the border";
  edit.SetSel(5, 0);
  for (wchar_t c : std::wstring(L" world")) SendMessageW(edit.Handle(), WM_CHAR, c, 0);
  ASSERT_EQ(edit.Text(), L"Hello world");
  EXPECT_TRUE(ComposedExactly(edit.Handle(), kWhite)) << "after typing";

  edit.SetDoubleBuffered(false);
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(115, 5), kWhite);
}

TEST_F(BGEditTest, AColourEqualToTheTextShowsThePictureThroughTheLetters) {
  TBGEdit edit(form, At28(L"WWWW"));
  edit.SetColor(edit.FontColor());
  const TSkinBitmap shot = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), shot), PixelCount(shot));
}

// A masked edit paints its mask characters over the picture, pixel for pixel what an
// edit holding those characters in the clear paints, and never the text itself.
TEST_F(BGEditTest, AMaskedEditShowsOnlyItsMaskOverThePicture) {
  TSkinBitmap masked, clear, text;
  {
    TBGEdit edit(form, At28(L"abc"), {.passwordChar = L'*'});
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_TRUE(ComposedExactly(edit.Handle(), kWhite));
    masked = OnScreen(edit.Handle());
  }
  {
    TBGEdit edit(form, At28(L"***"));
    clear = OnScreen(edit.Handle());
  }
  {
    TBGEdit edit(form, At28(L"abc"));
    text = OnScreen(edit.Handle());
  }
  std::string where;
  EXPECT_TRUE(skin_test::SameAs(masked, clear, 0, 0, &where)) << where;
  EXPECT_FALSE(skin_test::SameAs(masked, text, 0, 0));
}

TEST_F(BGEditTest, AMoveOrARefreshTakesTheCutOutAtOnce) {
  TBGEdit edit(form, At28());
  OnScreen(edit.Handle());
  edit.SetLeft(38);
  EXPECT_EQ(edit.Background().Pixel(0, 0), GradientAt(38, 28));
  const TSkinBitmap moved = OnScreen(edit.Handle());
  EXPECT_EQ(PictureMatches(edit.Handle(), moved), PixelCount(moved));

  form.BGSource1.SetBitmap(TSkinBitmap(600, 450, RGB(0, 90, 0)).Handle());
  EXPECT_EQ(edit.Background().Pixel(5, 5), GradientAt(43, 33)) << "a cut-out is a copy";
  auto refresh = QueryWindowInterface<IBackgroundRefresh>(edit.Handle(), IID_IBackgroundRefresh);
  ASSERT_TRUE(refresh);
  refresh->RefreshBackground();
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(10, 5), RGB(0, 90, 0));
}

TEST_F(BGEditTest, WithoutAPictureBehindItTheEditLooksPlain) {
  TPanel plain(form, {.name = L"plain", .left = 10, .top = 10, .width = 200, .height = 60});
  TBGEdit edit(plain, {.name = L"edt", .left = 5, .top = 5, .width = 120, .height = 22});
  EXPECT_TRUE(edit.Background().Empty());
  EXPECT_EQ(OnScreen(edit.Handle()).Pixel(10, 5), kWhite);
}

}  // namespace

// The oracle is the edit's own painting of what DrawText leaves of the text in the
// edit's room: an edit at rest shows exactly that, enabled or not, and all of its text
// once it has the focus.
TEST_F(BGEditTest, WithoutTheFocusATextTooLongForTheEditEndsInAnEllipsis) {
  const std::wstring text = L"mail.demo-pro.veltrano.net.example";
  TBGEdit edit(form, At28(text.c_str()));
  RECT room{};
  SendMessageW(edit.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  room.left = static_cast<short>(LOWORD(SendMessageW(edit.Handle(), EM_POSFROMCHAR, 0, 0)));
  const std::wstring shown = toolkit_test::EllipsisCut(edit.Font()->Handle(), text, room.right - room.left);
  ASSERT_EQ(shown.substr(shown.size() - 3), L"...");

  const auto differing = [](const TSkinBitmap& a, const TSkinBitmap& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
    return count;
  };
  for (const bool enabled : {true, false}) {
    edit.SetEnabled(enabled);
    edit.SetText(text);
    const TSkinBitmap cut = OnScreen(edit.Handle());
    edit.SetText(shown);
    EXPECT_EQ(differing(cut, OnScreen(edit.Handle())), 0) << (enabled ? "enabled" : "disabled");
  }
  edit.SetEnabled(true);
  edit.SetText(text);
  const TSkinBitmap atRest = OnScreen(edit.Handle());
  edit.SetFocus();
  EXPECT_NE(differing(atRest, OnScreen(edit.Handle())), 0);
}
