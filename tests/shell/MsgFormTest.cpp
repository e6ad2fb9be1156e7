// The notification popup with its clock in the test's hands: the timers are never
// let run; the test calls their handlers and reads whether they are running. Checked:
// where it starts and ends, how many ticks a slide takes, the hide timer counted from
// the first show, a message during the slide-out, the close paths, and that showing
// it leaves the focus with the main window.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "shell/frmMsg.h"

namespace {

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

class MsgFormTest : public ::testing::Test {
 protected:
  // Runs the slide timer until it stops; returns the ticks it took.
  int Slide() {
    int ticks = 0;
    while (form.SlideTimer.Enabled() && ticks < 1000) {
      form.SlideTimerTimer(form.SlideTimer);
      ++ticks;
    }
    return ticks;
  }
  bool Visible() const { return IsWindowVisible(form.Handle()); }

  TMsgForm form;
};

TEST_F(MsgFormTest, CreatedHiddenBelowTheWorkAreasCornerWithNoHeight) {
  const RECT work = WorkArea();
  const RECT bounds = form.BoundsRect();
  EXPECT_FALSE(Visible());
  EXPECT_EQ(bounds.left, work.right - 193 - 2);
  EXPECT_EQ(bounds.top, work.bottom + 2);
  EXPECT_EQ(bounds.right - bounds.left, 193);
  EXPECT_EQ(bounds.bottom - bounds.top, 0);
  EXPECT_EQ(form.FullHeight(), 99);
  EXPECT_EQ(form.Caption(), L"维特兰诺消息");
  EXPECT_EQ(GetWindowLongW(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_FALSE(form.SlideTimer.Enabled());
  EXPECT_FALSE(form.HideTimer.Enabled());
  EXPECT_EQ(form.SlideTimer.Interval(), 10u);
  EXPECT_EQ(form.HideTimer.Interval(), 8000u);

  const RECT label = form.labMsg.BoundsRect();
  EXPECT_EQ(label.left, 32);
  EXPECT_EQ(label.top, 48);
  EXPECT_EQ(label.right - label.left, 141);
  EXPECT_EQ(label.bottom - label.top, 49);
  const RECT close = form.PicBtn1.BoundsRect();
  EXPECT_EQ(close.left, 171);
  EXPECT_EQ(close.top, 11);
}

TEST_F(MsgFormTest, SlidesInInTwentyTicksAndOutInNineteen) {
  const RECT start = form.BoundsRect();
  form.ShowText(L"已保存");
  EXPECT_TRUE(Visible());
  EXPECT_EQ(form.Text(), L"已保存");
  EXPECT_TRUE(form.HideTimer.Enabled());
  EXPECT_FALSE(form.Hiding());

  // 19 steps of 5 and a last one of 4, the top moving 5 every time; the 20th tick
  // finds the full height and stops.
  EXPECT_EQ(Slide(), 21);
  RECT shown = form.BoundsRect();
  EXPECT_EQ(shown.bottom - shown.top, 99);
  EXPECT_EQ(shown.top, start.top - 100);
  EXPECT_EQ(shown.bottom, start.top - 1);
  EXPECT_EQ(shown.left, start.left);

  form.HideTimerTimer(form.HideTimer);
  EXPECT_TRUE(form.Hiding());
  EXPECT_EQ(Slide(), 20);  // 19 steps down, then the 4-pixel strip is hidden
  EXPECT_FALSE(Visible());
  EXPECT_FALSE(form.HideTimer.Enabled());
  const RECT hidden = form.BoundsRect();
  EXPECT_EQ(hidden.bottom - hidden.top, 4);
  EXPECT_EQ(hidden.top, shown.top + 95);

  // The next message grows from the strip again, up to the full height.
  form.ShowText(L"again");
  Slide();
  shown = form.BoundsRect();
  EXPECT_EQ(shown.bottom - shown.top, 99);
}

TEST_F(MsgFormTest, SecondMessageReplacesTheTextButNotTheHideTime) {
  form.ShowText(L"first");
  Slide();
  const RECT shown = form.BoundsRect();
  // The hide timer runs from the first show; a second SlideIn must not restart it.
  form.HideTimer.SetEnabled(false);
  form.ShowText(L"second");
  EXPECT_EQ(form.Text(), L"second");
  EXPECT_FALSE(form.HideTimer.Enabled());
  EXPECT_FALSE(form.SlideTimer.Enabled());
  EXPECT_EQ(form.BoundsRect().top, shown.top);
}

TEST_F(MsgFormTest, MessageDuringTheSlideOutGoesWithTheWindow) {
  form.ShowText(L"first");
  Slide();
  form.SlideOut();
  form.SlideTimerTimer(form.SlideTimer);
  form.ShowText(L"late");
  EXPECT_EQ(form.Text(), L"late");
  EXPECT_TRUE(form.Hiding());
  Slide();
  EXPECT_FALSE(Visible());
}

TEST_F(MsgFormTest, CloseButtonAndSystemCloseSlideOutAndNeverDestroy) {
  form.ShowText(L"x");
  Slide();
  SendMessageW(form.PicBtn1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(form.PicBtn1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(form.Hiding());
  Slide();
  EXPECT_FALSE(Visible());

  form.ShowText(L"y");
  Slide();
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_NE(form.Handle(), nullptr);
  EXPECT_TRUE(form.Hiding());
  Slide();
  EXPECT_FALSE(Visible());

  // A close request on the hidden window changes nothing.
  form.Close();
  EXPECT_NE(form.Handle(), nullptr);
  EXPECT_FALSE(form.SlideTimer.Enabled());
  EXPECT_FALSE(Visible());
}

TEST_F(MsgFormTest, PlacementIsReadOnceAtCreation) {
  const RECT start = form.BoundsRect();
  // A moved window picks up the slide from where it is; the work area is not re-read.
  SetWindowPos(form.Handle(), nullptr, start.left - 50, start.top, start.right - start.left, 0,
               SWP_NOZORDER | SWP_NOACTIVATE);
  form.ShowText(L"z");
  Slide();
  EXPECT_EQ(form.BoundsRect().left, start.left - 50);
}

TEST_F(MsgFormTest, ShowingLeavesTheFocusWithTheMainWindow) {
  TForm main({.className = L"MsgFocusHost", .caption = L"host"});
  TButton button(main, {.name = L"btn", .left = 5, .top = 5, .width = 60, .height = 20});
  main.Show();
  SetForegroundWindow(main.Handle());
  button.SetFocus();
  ASSERT_EQ(GetFocus(), button.Handle());
  form.ShowText(L"focus");
  Slide();
  EXPECT_EQ(GetFocus(), button.Handle());
  EXPECT_EQ(GetActiveWindow(), main.Handle());
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE);
}

}  // namespace
