// Check boxes, radio buttons and group boxes: clicks and code changes raise OnClick as
// pages expect, radio buttons group by parent, and a group box parents controls whose
// notifications come back to them.
#include <gtest/gtest.h>

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/RadioButton.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

TControlArgs Row(const wchar_t* name, int top) {
  return {.name = name, .left = 10, .top = top, .width = 150, .height = 17, .caption = name};
}

template <class T>
void Record(T& control, TLog& log) {
  control.OnClick = [&log](TControl& sender) {
    log.push_back("OnClick " + ToUtf8(sender.Name()) + (static_cast<T&>(sender).Checked() ? " checked" : " unchecked"));
  };
}

bool TabStop(const TControl& c) { return GetWindowLongW(c.Handle(), GWL_STYLE) & WS_TABSTOP; }

}  // namespace

TEST(CheckBox, ClicksAndCodeChangesRaiseOnClickOnceTheStateChanged) {
  TLog log;
  TRecordingForm form(&log);
  TCheckBox box(form, Row(L"chkAutoRun", 10));
  Record(box, log);
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (TLog{"parent WM_COMMAND 0", "OnClick chkAutoRun checked"}));
  log.clear();
  box.SetChecked(false);  // the native box would say nothing
  box.SetChecked(false);
  EXPECT_EQ(log, (TLog{"OnClick chkAutoRun unchecked"}));
  log.clear();
  box.OnClick = nullptr;  // detached while a page loads
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(box.Caption(), L"chkAutoRun");
}

TEST(RadioButton, ButtonsOfOneParentFormAGroupAndOnlyTheCheckedOneRaisesOnClick) {
  TLog log;
  TRecordingForm form;
  TRadioButton current(form, Row(L"rbCurrentIP", 10)), fixed(form, Row(L"rbFixedIP", 30));
  TGroupBox group(form, {.name = L"grp", .left = 10, .top = 60, .width = 200, .height = 80});
  TRadioButton inner(group, Row(L"rbInner", 20));
  for (TRadioButton* rb : {&current, &fixed, &inner}) Record(*rb, log);

  SendMessageW(current.Handle(), BM_CLICK, 0, 0);
  SendMessageW(inner.Handle(), BM_CLICK, 0, 0);  // another parent: another group
  SendMessageW(fixed.Handle(), BM_CLICK, 0, 0);
  SendMessageW(fixed.Handle(), BM_CLICK, 0, 0);  // already checked: nothing
  EXPECT_EQ(log, (TLog{"OnClick rbCurrentIP checked", "OnClick rbInner checked", "OnClick rbFixedIP checked"}));
  EXPECT_FALSE(current.Checked());
  EXPECT_TRUE(fixed.Checked());
  EXPECT_TRUE(inner.Checked());
  // Tab reaches every button, checked or not.
  EXPECT_TRUE(TabStop(current));
  EXPECT_TRUE(TabStop(fixed));

  log.clear();
  current.SetChecked(true);  // from code, as a page's handler that is attached
  EXPECT_EQ(log, (TLog{"OnClick rbCurrentIP checked"}));
  EXPECT_FALSE(fixed.Checked());
  log.clear();
  current.SetChecked(false);  // unchecking raises nothing and leaves the group empty
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(current.Checked() || fixed.Checked());
}

TEST(RadioButton, ADisabledButtonIgnoresASynthesisedClick) {
  TLog log;
  TRecordingForm form;
  TRadioButton lan(form, Row(L"rbLAN", 10));
  Record(lan, log);
  lan.SetEnabled(false);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(lan.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(lan.Handle()));
  EXPECT_FALSE(lan.Checked());
  EXPECT_TRUE(log.empty());
}

TEST(GroupBox, ItsChildrensNotificationsComeBackToThemThroughIt) {
  TLog log;
  TRecordingForm form(&log);
  TGroupBox group(form, {.name = L"GroupCurUser", .width = 200, .height = 100, .caption = L" 当前用户 "});
  TButton sign(group, {.name = L"btnSign", .left = 20, .top = 30, .width = 75, .height = 23});
  sign.OnClick = [&](TControl&) { log.push_back("OnClick btnSign"); };
  SendMessageW(sign.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (TLog{"OnClick btnSign"}));  // the form never saw it
  EXPECT_EQ(GetParent(sign.Handle()), group.Handle());
  EXPECT_EQ(group.Caption(), L" 当前用户 ");
  EXPECT_TRUE(GetWindowLongW(group.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(GroupBox, PaintsItsInsideInItsColourAndItsFrameAndCaptionOverIt) {
  TRecordingForm form;
  TGroupBox group(form, {.name = L"grp", .width = 120, .height = 60, .caption = L"WWW"});
  group.SetColor(RGB(0, 128, 0));
  const TPixels p(group.Handle(), WM_PRINTCLIENT, true);
  const uint32_t green = 0x008000;
  EXPECT_EQ(p.At(60, 35), green);
  EXPECT_NE(p.At(60, p.Height() - 2), green);  // the frame's bottom edge
  EXPECT_GT(p.CountNot(green, 5, 0, 60, 12), 5);  // the caption's ink
}
