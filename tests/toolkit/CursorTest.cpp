// The screen cursor and the hourglass guard: every way out of a guarded scope restores
// the cursor that was there before, and windows show the screen cursor while it is set.
#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit/Button.h"
#include "toolkit/Cursor.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

HCURSOR Wait() { return LoadCursorW(nullptr, IDC_WAIT); }
HCURSOR Hand() { return LoadCursorW(nullptr, IDC_HAND); }

HCURSOR LongAction(bool early) {
  THourglass hourglass;
  if (early) return Screen().Cursor();
  return Screen().Cursor();
}

}  // namespace

TEST(Hourglass, RestoresThePreviousCursorOnEveryWayOutAndInOrder) {
  Screen().SetCursor(Hand());
  EXPECT_EQ(LongAction(false), Wait());
  EXPECT_EQ(Screen().Cursor(), Hand());
  LongAction(true);
  EXPECT_EQ(Screen().Cursor(), Hand());
  try {
    THourglass hourglass;
    EXPECT_EQ(GetCursor(), Wait());  // shown at once, not at the next mouse move
    throw std::runtime_error("agent gone");
  } catch (const std::exception&) {
  }
  EXPECT_EQ(Screen().Cursor(), Hand());
  Screen().SetCursor(nullptr);
  {
    THourglass outer;
    { THourglass inner; }
    EXPECT_EQ(Screen().Cursor(), Wait());  // still inside the outer action
  }
  EXPECT_EQ(Screen().Cursor(), nullptr);
}

TEST(ScreenCursor, WindowsShowItWhileSetAndTheirOwnOtherwise) {
  TRecordingForm form;
  TButton button(form, {.name = L"btnOK", .width = 80, .height = 24});
  const auto askCursor = [](const TControl& c) {
    SetCursor(nullptr);
    return SendMessageW(c.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  {
    THourglass hourglass;
    EXPECT_TRUE(askCursor(form));
    EXPECT_EQ(GetCursor(), Wait());
    EXPECT_TRUE(askCursor(button));
    EXPECT_EQ(GetCursor(), Wait());
  }
  askCursor(form);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));  // the class cursor again
}
