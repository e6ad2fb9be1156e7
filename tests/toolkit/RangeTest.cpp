// Track bars and up-downs: the user's moves and code changes of the track bar raise
// OnChange once per new position; an up-down press asks OnChanging (which may refuse)
// and then raises OnClick with the button pressed, moved or not; code stays silent.
#include <gtest/gtest.h>

#include "toolkit/Edit.h"
#include "toolkit/TrackBar.h"
#include "tests/toolkit/ToolkitTestUtil.h"
#include "toolkit/UpDown.h"

using namespace toolkit_test;

TEST(TrackBar, KeysAndCodeRaiseOnChangeOncePerNewPosition) {
  TLog log;
  TRecordingForm form;
  TTrackBar bar(form, {.name = L"tbSpeed", .left = 10, .top = 10, .width = 133, .height = 21},
                {.thumbLength = 10, .max = 2});
  bar.OnChange = [&](TControl&) { log.push_back("OnChange " + std::to_string(bar.Position())); };
  PressKey(bar.Handle(), VK_RIGHT);  // TB_LINEDOWN, then TB_ENDTRACK: one change
  PressKey(bar.Handle(), VK_END);
  PressKey(bar.Handle(), VK_END);    // at the end already: nothing
  EXPECT_EQ(log, (TLog{"OnChange 1", "OnChange 2"}));
  log.clear();
  bar.SetPosition(0);
  bar.SetPosition(0);
  bar.SetPosition(-5);  // clamped: still 0
  EXPECT_EQ(log, (TLog{"OnChange 0"}));
  bar.SetPosition(2);
  log.clear();
  bar.SetRange(0, 1);  // the position follows the range
  EXPECT_EQ(log, (TLog{"OnChange 1"}));
  EXPECT_EQ(bar.ThumbLength(), 10);
  EXPECT_THROW(bar.SetRange(3, 1), EError);
  log.clear();
  bar.OnChange = nullptr;
  bar.SetPosition(0);
  EXPECT_TRUE(log.empty());
}

TEST(TrackBar, ABorderWidthInsetsTheBarAndIsPaintedInItsColour) {
  TRecordingForm form;
  TTrackBar bar(form, {.name = L"tb", .width = 100, .height = 30});
  bar.SetBorderWidth(3);
  EXPECT_EQ(bar.ClientWidth(), 94);
  EXPECT_EQ(bar.ClientHeight(), 24);
  EXPECT_EQ(bar.BorderWidth(), 3);
  EXPECT_THROW(bar.SetBorderWidth(-1), EError);
  bar.SetColor(RGB(255, 0, 0));
  form.Show();
  RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(bar.Handle());
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 98, 28), RGB(255, 0, 0));
  ReleaseDC(bar.Handle(), dc);
}

namespace {

struct TUpDownFixture {
  TLog log;
  TRecordingForm form;
  TUpDown ud{form, {.name = L"udOrder", .left = 100, .top = 10, .width = 16, .height = 40}, {.max = 2}};

  TUpDownFixture() {
    ud.OnChanging = [this](TUpDown&, int position, TUDButton button, bool&) {
      log.push_back("OnChanging " + std::to_string(position) + (button == TUDButton::Next ? " next" : " prev"));
    };
    ud.OnClick = [this](TUpDown&, TUDButton button) {
      log.push_back(std::string("OnClick ") + (button == TUDButton::Next ? "next" : "prev") + " at " +
                    std::to_string(ud.Position()));
    };
  }
  void Press(bool upper) { Click(ud.Handle(), 8, upper ? 5 : 35); }
};

}  // namespace

TEST(UpDown, EachPressAsksOnChangingThenRaisesOnClickMovedOrNot) {
  TUpDownFixture f;
  f.Press(true);
  f.Press(false);
  f.Press(false);  // at Min: asked, refused by the range, clicked all the same
  EXPECT_EQ(f.log, (TLog{"OnChanging 1 next", "OnClick next at 1", "OnChanging 0 prev", "OnClick prev at 0",
                         "OnChanging -1 prev", "OnClick prev at 0"}));
  f.log.clear();
  f.ud.SetPosition(2);
  f.ud.SetPosition(7);  // clamped
  EXPECT_EQ(f.ud.Position(), 2);
  EXPECT_TRUE(f.log.empty());
}

TEST(UpDown, OnChangingCanRefuseTheNewPosition) {
  TUpDownFixture f;
  f.ud.OnChanging = [](TUpDown&, int, TUDButton, bool& allow) { allow = false; };
  f.Press(true);
  EXPECT_EQ(f.ud.Position(), 0);
  EXPECT_EQ(f.log, (TLog{"OnClick next at 0"}));
}

TEST(UpDown, AnAssociatedEditShowsThePositionAndTypedNumbersSetIt) {
  TUpDownFixture f;
  TEdit edit(f.form, {.name = L"edtCount", .left = 10, .top = 10, .width = 60, .height = 23});
  int changes = 0;
  edit.OnChange = [&](TControl&) { ++changes; };
  f.ud.SetRange(0, 50);
  f.ud.SetAssociate(&edit);
  EXPECT_EQ(f.ud.Associate(), &edit);
  EXPECT_EQ(edit.Text(), L"0");
  f.Press(true);
  EXPECT_EQ(edit.Text(), L"1");
  EXPECT_GT(changes, 0);
  edit.SetText(L"42");
  EXPECT_EQ(f.ud.Position(), 42);
  // At the edit's right edge, over its border.
  EXPECT_NEAR(f.ud.Left(), edit.Left() + edit.Width(), 2);
  EXPECT_EQ(f.ud.Top(), edit.Top());
  EXPECT_THROW(f.ud.SetIncrement(0), EError);
}
