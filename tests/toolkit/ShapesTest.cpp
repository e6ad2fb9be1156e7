// Controls that paint themselves: the panel's bevels, caption and children, the
// bevel's lines and its see-through inside, the image over its parent, and the speed
// button's clicks, groups and face.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "toolkit/Bevel.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Painting.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

const uint32_t kLight = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
const uint32_t kShadow = Rgb(GetSysColor(COLOR_BTNSHADOW));
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kMagenta = RGB(255, 0, 255);

// A 24-bit bitmap of `size` filled with `outer` and a centre square of `inner`.
HBITMAP TwoColourBitmap(int size, COLORREF outer, COLORREF inner) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  FillColor(dc, {0, 0, size, size}, outer);
  FillColor(dc, {size / 4, size / 4, size - size / 4, size - size / 4}, inner);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

TEST(Panel, DrawsRaisedOuterAndLoweredInnerBevelsAroundItsColour) {
  TRecordingForm form;
  TPanel panel(form, {.name = L"BGPanel1", .width = 100, .height = 60},
               {.bevelInner = TBevelCut::Lowered, .borderWidth = 2});
  panel.SetColor(kRed);
  const TPixels p(panel.Handle());
  EXPECT_EQ(p.At(0, 0), kLight);    // outer, raised
  EXPECT_EQ(p.At(99, 59), kShadow);
  EXPECT_EQ(p.At(3, 3), kShadow);   // inner, lowered, after 1 + 2 pixels
  EXPECT_EQ(p.At(96, 56), kLight);
  EXPECT_EQ(p.At(50, 30), 0xFF0000u);
  const RECT inner = panel.InnerRect();
  EXPECT_EQ(inner.left, 4);
  EXPECT_EQ(inner.bottom, 56);
  EXPECT_THROW(panel.SetBevelWidth(-1), EError);
}

TEST(Panel, ShowsItsCaptionAndParentsControlsAndASingleBorderIsTheSunkenEdge) {
  TLog log;
  TRecordingForm form;
  TPanel plain(form, {.name = L"PanelRRs", .width = 120, .height = 40, .caption = L"WWW"},
               {.bevelOuter = TBevelCut::None, .border = TBorderStyle::Single});
  EXPECT_EQ(plain.BorderStyle(), TBorderStyle::Single);
  EXPECT_EQ(plain.ClientWidth(), 116);  // two pixels of sunken edge each side
  const uint32_t face = Rgb(plain.Color());
  const TPixels p(plain.Handle());
  EXPECT_GT(p.CountNot(face, 40, 10, 76, 30), 10);  // the caption, centred
  EXPECT_EQ(p.CountNot(face, 0, 0, 30, 36), 0);
  TButton child(plain, {.name = L"btnInPanel", .width = 30, .height = 20});
  child.OnClick = [&](TControl&) { log.push_back("OnClick"); };
  SendMessageW(child.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (TLog{"OnClick"}));
}

TEST(Bevel, OwnsOnlyItsLinesAndPaintsThemEtched) {
  TRecordingForm form;
  form.SetColor(kRed);
  TBevel frame(form, {.name = L"beFrame", .left = 10, .top = 10, .width = 80, .height = 50}, TBevelShape::Frame);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.Handle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 0, 25));
  EXPECT_TRUE(PtInRegion(region, 79, 49));
  EXPECT_FALSE(PtInRegion(region, 40, 25));  // the inside belongs to what lies beneath
  DeleteObject(region);
  EXPECT_EQ(SendMessageW(frame.Handle(), WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTTRANSPARENT);

  const TPixels p(frame.Handle());
  EXPECT_EQ(p.At(0, 0), kShadow);
  EXPECT_EQ(p.At(1, 1), kLight);
  EXPECT_EQ(p.At(40, 25), 0xFF0000u);  // printed, the inside shows the form

  frame.SetShape(TBevelShape::TopLine);
  region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(frame.Handle(), region);
  EXPECT_TRUE(PtInRegion(region, 40, 1));
  EXPECT_FALSE(PtInRegion(region, 40, 2));
  DeleteObject(region);
}

TEST(Image, DrawsItsPictureOverWhatItsParentShows) {
  TRecordingForm form;
  form.SetColor(kRed);
  TImage image(form, {.name = L"ImageKey", .left = 16, .top = 26, .width = 20, .height = 20},
               {.transparent = true});
  HBITMAP bitmap = TwoColourBitmap(16, kMagenta, kBlue);
  image.Picture().AssignBitmap(bitmap);
  DeleteObject(bitmap);
  EXPECT_EQ(image.Picture().Width(), 16);
  const TPixels p(image.Handle());
  EXPECT_EQ(p.At(8, 8), 0x0000FFu);
  EXPECT_EQ(p.At(1, 1), 0xFF0000u);    // the transparent colour shows the form
  EXPECT_EQ(p.At(18, 18), 0xFF0000u);  // so does the rest of the control

  image.SetTransparent(false);
  image.SetCenter(true);
  const TPixels centred(image.Handle());
  EXPECT_EQ(centred.At(3, 3), 0xFF00FFu);
  EXPECT_EQ(centred.At(1, 1), 0xFF0000u);
  image.SetAutoSize(true);
  EXPECT_EQ(image.Width(), 16);
  EXPECT_THROW(image.Picture().LoadFromFile(L"Z:\\no\\such\\picture.bmp"), EError);
  EXPECT_EQ(image.Picture().Width(), 16);

  // An icon made for the picture is kept as it is (the picture destroys it), not copied.
  const HICON icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
  image.Picture().TakeIcon(icon);
  EXPECT_EQ(image.Picture().Icon(), icon);
  EXPECT_EQ(image.Picture().Width(), GetSystemMetrics(SM_CXICON));
  image.Picture().TakeIcon(nullptr);
  EXPECT_TRUE(image.Picture().Empty());
}

namespace {

struct TToolbar {
  TLog log;
  TRecordingForm form;
  TSpeedButton host{form, {.name = L"sbNewHost", .left = 12, .width = 65, .height = 22, .caption = L"主机"},
                    {.groupIndex = 1}};
  TSpeedButton alias{form, {.name = L"sbNewCname", .left = 80, .width = 65, .height = 22}, {.groupIndex = 1}};
  TSpeedButton refresh{form, {.name = L"rbRefresh", .left = 150, .width = 23, .height = 22}};

  TToolbar() {
    for (TSpeedButton* b : {&host, &alias, &refresh})
      b->OnClick = [this](TControl& c) { log.push_back("OnClick " + ToUtf8(c.Name())); };
  }
  std::string Downs() const { return std::string(host.Down() ? "H" : "-") + (alias.Down() ? "A" : "-"); }
};

}  // namespace

TEST(SpeedButton, ButtonsOfAGroupGoDownInTurnAndEveryClickRaisesOnClick) {
  TToolbar t;
  Click(t.host.Handle(), 5, 5);
  EXPECT_EQ(t.Downs(), "H-");
  Click(t.alias.Handle(), 5, 5);
  EXPECT_EQ(t.Downs(), "-A");
  Click(t.alias.Handle(), 5, 5);  // stays down without AllowAllUp
  EXPECT_EQ(t.Downs(), "-A");
  t.alias.SetAllowAllUp(true);
  Click(t.alias.Handle(), 5, 5);
  EXPECT_EQ(t.Downs(), "--");
  Click(t.refresh.Handle(), 5, 5);
  EXPECT_FALSE(t.refresh.Down());  // no group: never down
  EXPECT_EQ(t.log, (TLog{"OnClick sbNewHost", "OnClick sbNewCname", "OnClick sbNewCname", "OnClick sbNewCname",
                         "OnClick rbRefresh"}));
  t.log.clear();
  t.host.SetDown(true);  // code raises nothing
  EXPECT_EQ(t.Downs(), "H-");
  EXPECT_TRUE(t.log.empty());
}

TEST(SpeedButton, ReleasedOutsideOrDisabledItDoesNotClick) {
  TToolbar t;
  MouseDown(t.refresh.Handle(), 5, 5);
  EXPECT_TRUE(t.refresh.Pressed());
  SendMessageW(t.refresh.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
  EXPECT_FALSE(t.refresh.Pressed());
  MouseUp(t.refresh.Handle(), 40, 5);
  t.refresh.SetEnabled(false);
  t.refresh.Click();
  Click(t.refresh.Handle(), 5, 5);
  EXPECT_TRUE(t.log.empty());
  EXPECT_NE(GetFocus(), t.refresh.Handle());  // mouse only: never the focus
}

TEST(SpeedButton, AFlatButtonShowsItsParentUntilPointedAtAndItsGlyphAndHint) {
  TToolbar t;
  t.form.SetColor(kRed);
  HBITMAP glyph = TwoColourBitmap(16, kMagenta, kBlue);
  t.refresh.Glyph().AssignBitmap(glyph);
  DeleteObject(glyph);
  const TPixels idle(t.refresh.Handle());
  EXPECT_EQ(idle.At(1, 1), 0xFF0000u);
  EXPECT_EQ(idle.At(11, 11), 0x0000FFu);  // the glyph, centred
  EXPECT_EQ(idle.At(5, 5), 0xFF0000u);    // its transparent colour left out
  SendMessageW(t.refresh.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(t.refresh.Hot());
  const TPixels hot(t.refresh.Handle());
  EXPECT_EQ(hot.At(0, 0), kLight);  // the raised edge
  EXPECT_EQ(hot.At(5, 5), Rgb(t.refresh.Color()));

  t.refresh.SetHint(L"刷新");
  EXPECT_EQ(t.refresh.Hint(), L"刷新");
  HWND tip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (wcscmp(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  wchar_t text[32] = {};
  TTTOOLINFOW info{TTTOOLINFOW_V1_SIZE, 0, t.refresh.Handle(), reinterpret_cast<UINT_PTR>(t.refresh.Handle())};
  info.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"刷新");
}

TEST(BitBtn, DrawsItsGlyphBesideTheCaptionOnItsColourAndClicksAsAButton) {
  TLog log;
  TRecordingForm form;
  TBitBtn reload(form, {.name = L"btnReload", .width = 109, .height = 25, .caption = L"WWW"}, {.spacing = 8});
  reload.OnClick = [&](TControl&) { log.push_back("OnClick"); };
  HBITMAP glyph = TwoColourBitmap(16, kMagenta, kBlue);
  reload.Glyph().AssignBitmap(glyph);
  DeleteObject(glyph);
  reload.SetColor(RGB(0, 128, 0));
  const TPixels p(reload.Handle());
  int blueLeft = -1, inkLeft = -1;
  for (int x = 0; x < p.Width(); ++x) {
    if (blueLeft < 0 && p.At(x, 12) == 0x0000FFu) blueLeft = x;
    if (x > blueLeft + 16 && blueLeft >= 0 && inkLeft < 0 && p.CountNot(0x008000u, x, 5, x + 1, 20) > 0) inkLeft = x;
  }
  ASSERT_GT(blueLeft, 0);
  EXPECT_GE(inkLeft - blueLeft, 16 + 8 - 4);  // the caption after the glyph and the spacing
  EXPECT_EQ(p.At(blueLeft + 4, 6), 0x008000u);  // the glyph's transparent colour shows the face
  EXPECT_EQ(p.At(1, 1), kLight);               // the raised frame's inner edge

  reload.SetEnabled(false);
  const TPixels disabled(reload.Handle());
  EXPECT_EQ(disabled.CountNot(0x0000FFu, 0, 0, disabled.Width(), disabled.Height()),
            disabled.Width() * disabled.Height());  // the glyph greyed
  reload.SetEnabled(true);
  SendMessageW(reload.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (TLog{"OnClick"}));
}
