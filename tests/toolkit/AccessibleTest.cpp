// Accessible names of controls the platform cannot name from their windows: a control
// given a name answers WM_GETOBJECT with the platform's object under that name, a tool
// button that shows only its glyph is named by its hint, and every other control
// leaves the answer to the platform. Read as a screen reader reads them, through
// AccessibleObjectFromWindow's path (WM_GETOBJECT, then ObjectFromLresult).
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/SpeedButton.h"
#include "tests/support/AccessibleNames.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;
using vt::test::AccessibleName;
using vt::test::TAccessibleObject;

namespace {

TControlArgs Tool(const wchar_t* name, const wchar_t* caption = L"") {
  return {.name = name, .width = 23, .height = 22, .caption = caption};
}

}  // namespace

TEST(AccessibleName, AControlGivenANameAnswersWithThePlatformsObjectUnderThatName) {
  TRecordingForm form;
  TBitBtn cancel(form, {.name = L"btnCancel", .width = 29, .height = 25});
  EXPECT_FALSE(TAccessibleObject(cancel.Handle()));  // unnamed: the platform answers
  cancel.SetAccessibleName(L"取消");
  const TAccessibleObject object(cancel.Handle());
  ASSERT_TRUE(object);
  EXPECT_EQ(object.Name(), L"取消");
  EXPECT_EQ(cancel.Caption(), L"");  // the window text stays: nothing new on the screen
  // The rest is the platform's own: its state of the window, its place on the screen.
  EXPECT_EQ(object.State() & STATE_SYSTEM_UNAVAILABLE, 0);
  cancel.SetEnabled(false);
  EXPECT_NE(TAccessibleObject(cancel.Handle()).State() & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST(AccessibleName, AToolButtonShowingOnlyItsGlyphIsNamedByItsHint) {
  TRecordingForm form;
  TSpeedButton remove(form, Tool(L"rbDelete")), host(form, Tool(L"sbNewHost", L"主机"));
  remove.SetHint(L"删除记录");
  host.SetHint(L"新建主机记录...");
  EXPECT_EQ(AccessibleName(remove.Handle()), L"删除记录");
  // With a caption the platform names it by its window text, as it names any button.
  EXPECT_FALSE(TAccessibleObject(host.Handle()));
  EXPECT_EQ(AccessibleName(host.Handle()), L"主机");
  remove.SetAccessibleName(L"删除");  // a name given wins over the hint
  EXPECT_EQ(AccessibleName(remove.Handle()), L"删除");
}

TEST(AccessibleName, OnlyTheClientObjectIsAnswered) {
  TRecordingForm form;
  TButton button(form, {.name = L"btn", .width = 60, .height = 24});
  button.SetAccessibleName(L"确定");
  EXPECT_EQ(SendMessageW(button.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0);
  EXPECT_EQ(SendMessageW(button.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_VSCROLL)), 0);
  EXPECT_EQ(AccessibleName(button.Handle()), L"确定");
}
