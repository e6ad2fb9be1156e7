// Accessible names of controls the platform cannot name from their windows, read as a
// screen reader reads them (WM_GETOBJECT, then ObjectFromLresult): a control given a
// name answers with the platform's object under that name, for the client object only;
// a tool button that shows only its glyph is named by its hint.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include "toolkit/BitBtn.h"
#include "toolkit/SpeedButton.h"
#include "tests/support/AccessibleNames.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;
using vt::test::AccessibleName;
using vt::test::TAccessibleObject;

TEST(AccessibleName, AControlGivenANameAnswersWithThePlatformsObjectUnderThatName) {
  TRecordingForm form;
  TBitBtn cancel(form, {.name = L"btnCancel", .width = 29, .height = 25});
  EXPECT_FALSE(TAccessibleObject(cancel.Handle()));  // unnamed: the platform answers
  cancel.SetAccessibleName(L"取消");
  EXPECT_EQ(TAccessibleObject(cancel.Handle()).Name(), L"取消");
  EXPECT_EQ(cancel.Caption(), L"");  // nothing new on the screen
  EXPECT_EQ(SendMessageW(cancel.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0);
  // The rest is the platform's own, such as the window's state.
  cancel.SetEnabled(false);
  EXPECT_NE(TAccessibleObject(cancel.Handle()).State() & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST(AccessibleName, AToolButtonShowingOnlyItsGlyphIsNamedByItsHint) {
  TRecordingForm form;
  TSpeedButton remove(form, {.name = L"rbDelete", .width = 23, .height = 22});
  TSpeedButton host(form, {.name = L"sbNewHost", .width = 65, .height = 22, .caption = L"主机"});
  remove.SetHint(L"删除记录");
  host.SetHint(L"新建主机记录...");
  EXPECT_EQ(AccessibleName(remove.Handle()), L"删除记录");
  EXPECT_FALSE(TAccessibleObject(host.Handle()));  // named by its window text, as any button
  EXPECT_EQ(AccessibleName(host.Handle()), L"主机");
}
