// TLabel: a real STATIC window whose text is the caption, drawn with its alignment and
// word wrap; checked on the pixels it paints for WM_PRINTCLIENT.
#include <gtest/gtest.h>

#include <algorithm>

#include "toolkit/Label.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

const uint32_t kFace = Rgb(GetSysColor(COLOR_BTNFACE));

// First and last column (or row) holding ink; -1 when there is none.
std::pair<int, int> Ink(const TPixels& p, bool columns) {
  int first = -1, last = -1;
  for (int i = 0; i < (columns ? p.Width() : p.Height()); ++i)
    if (columns ? p.CountNot(kFace, i, 0, i + 1, p.Height()) : p.CountNot(kFace, 0, i, p.Width(), i + 1)) {
      if (first < 0) first = i;
      last = i;
    }
  return {first, last};
}

}  // namespace

TEST(Label, DrawsTheTextWhereItsAlignmentAndWordWrapPutIt) {
  TRecordingForm form;
  TLabel label(form, {.name = L"lab", .width = 200, .height = 60, .caption = L"MMMM"});
  wchar_t className[16] = {};
  GetClassNameW(label.Handle(), className, 16);
  EXPECT_STREQ(className, L"Static");  // a real static: readers see its window text
  const auto left = Ink(TPixels(label.Handle()), true);
  ASSERT_GE(left.first, 0);
  EXPECT_LT(left.first, 5);
  label.SetAlignment(TAlignment::Right);
  const auto right = Ink(TPixels(label.Handle()), true);
  EXPECT_GT(right.second, 195);
  EXPECT_NEAR(right.second - right.first, left.second - left.first, 1);
  label.SetAlignment(TAlignment::Center);
  const auto centre = Ink(TPixels(label.Handle()), true);
  EXPECT_NEAR(centre.first, 199 - centre.second, 2);  // equal margins

  label.SetCaption(L"one two three four five six");
  EXPECT_EQ(label.Caption(), L"one two three four five six");
  label.SetWidth(60);
  const int oneLine = Ink(TPixels(label.Handle()), false).second;
  label.SetWordWrap(true);
  EXPECT_GT(Ink(TPixels(label.Handle()), false).second, oneLine * 2);  // three lines at least
}

// Glyphs are antialiased: compare the darkest pixel, never darker than the grey text
// colour once disabled.
TEST(Label, ADisabledLabelDrawsInTheGreyTextColour) {
  TRecordingForm form;
  TLabel label(form, {.name = L"lab", .width = 100, .height = 20, .caption = L"WWWW"});
  const auto darkest = [&] {
    const TPixels p(label.Handle());
    uint32_t level = 255;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) level = std::min(level, p.At(x, y) & 0xFF);
    return level;
  };
  const uint32_t grey = GetBValue(GetSysColor(COLOR_GRAYTEXT));
  EXPECT_LT(darkest(), grey);
  label.SetEnabled(false);
  EXPECT_GE(darkest(), grey);
  EXPECT_LT(darkest(), kFace & 0xFF);  // still drawn
}

// The oracle is what the platform's DrawText leaves of the text when it must end in an
// ellipsis in the label's width, written out by a label wide enough for it.
TEST(Label, ALineTooLongForTheLabelEndsInAnEllipsisAndKeepsItsWholeText) {
  TRecordingForm form;
  const std::wstring text = L"zhang.wei@example.com";
  TLabel narrow(form, {.name = L"narrow", .width = 70, .height = 16, .caption = text});
  EXPECT_EQ(narrow.Caption(), text);  // what a screen reader reads

  const HGDIOBJ font = narrow.Font() ? narrow.Font()->Handle() : GetStockObject(SYSTEM_FONT);
  const std::wstring shown = EllipsisCut(static_cast<HFONT>(font), text, 70);
  ASSERT_LT(shown.size(), text.size() + 3);
  ASSERT_EQ(shown.substr(shown.size() - 3), L"...") << "Wine's DrawText ellipsis";

  TLabel reference(form, {.name = L"reference", .width = 200, .height = 16, .caption = shown});
  const TPixels cut(narrow.Handle()), whole(reference.Handle());
  const auto ink = Ink(cut, true);
  EXPECT_EQ(ink, Ink(whole, true));
  EXPECT_LT(ink.second, 69);  // no letter cut at the edge
  for (int y = 0; y < cut.Height(); ++y)
    for (int x = 0; x < cut.Width(); ++x) ASSERT_EQ(cut.At(x, y), whole.At(x, y)) << x << ", " << y;
}
