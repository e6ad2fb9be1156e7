// TEdit and TMemo under a recording parent: OnChange for typed and code-set text (once,
// only for a real change, silent when detached), the key filter, the limits and
// styles, focus events, and the memo's line breaks and Tab handling.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Exception.h"
#include "toolkit/Memo.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

TControlArgs EditArgs(const wchar_t* name, int top = 10, int height = 23) {
  return {.name = name, .left = 10, .top = top, .width = 120, .height = height};
}

// Logs each OnChange with the text the edit holds at that moment.
void Record(TEdit& edit, TLog& log) {
  edit.OnChange = [&log](TControl& sender) {
    log.push_back("OnChange " + ToUtf8(static_cast<TEdit&>(sender).Text()));
  };
}

}  // namespace

TEST(EditEvents, TypingRaisesOnChangeAfterTheParentHeardOfIt) {
  TLog log;
  TRecordingForm form(&log);
  TEdit edit(form, EditArgs(L"edtPort"));
  Record(edit, log);
  Type(edit.Handle(), L"80");
  EXPECT_EQ(log, (TLog{"parent WM_COMMAND 1024", "parent WM_COMMAND 768", "OnChange 8",
                       "parent WM_COMMAND 1024", "parent WM_COMMAND 768", "OnChange 80"}));
  EXPECT_EQ(edit.Caption(), L"80");  // the window text is the text
}

TEST(EditEvents, CodeRaisesOnChangeOnceForARealChangeAndNothingWhenDetached) {
  TLog log;
  TRecordingForm form;
  TEdit edit(form, EditArgs(L"edtDomain"));
  Record(edit, log);
  edit.SetText(L"example");
  edit.SetText(L"example");
  edit.Clear();
  EXPECT_EQ(log, (TLog{"OnChange example", "OnChange "}));
  log.clear();
  edit.OnChange = nullptr;  // how a page loads a value
  edit.SetText(L"loaded");
  Type(edit.Handle(), L"x");  // at the caret, which setting a text puts first
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(edit.Text(), L"xloaded");
}

TEST(EditKeys, OnKeyPressCanReplaceOrDropACharacter) {
  TRecordingForm form;
  TEdit edit(form, EditArgs(L"edtPreference"));
  edit.OnKeyPress = [](TControl&, wchar_t& key) {
    if (key == L'a') key = L'b';
    if (key == L'x') key = 0;
  };
  Type(edit.Handle(), L"axa1x");
  EXPECT_EQ(edit.Text(), L"bb1");
  WORD seen = 0;
  edit.OnKeyDown = [&](TControl&, WORD& key) { seen = std::exchange(key, 0); };
  edit.SetSel(1, 0);
  PressKey(edit.Handle(), VK_END);  // dropped: the caret stays
  EXPECT_EQ(seen, VK_END);
  EXPECT_EQ(edit.SelStart(), 1);
}

TEST(EditOptions, LimitsReadOnlyPasswordAndSelection) {
  TRecordingForm form;
  TEdit edit(form, EditArgs(L"edtKey"), {.maxLength = 3, .passwordChar = L'*'});
  Type(edit.Handle(), L"12345");
  EXPECT_EQ(edit.Text(), L"123");
  edit.SetText(L"123456");  // code is not cut
  EXPECT_EQ(edit.Text(), L"123456");
  EXPECT_EQ(edit.PasswordChar(), L'*');
  edit.SelectAll();
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 6);
  EXPECT_THROW(edit.SetMaxLength(-1), EError);
  EXPECT_THROW(edit.SetSel(-1, 0), EError);

  edit.SetReadOnly(true);
  EXPECT_TRUE(edit.ReadOnly());
  Type(edit.Handle(), L"x");
  EXPECT_EQ(edit.Text(), L"123456");

  TEdit field(form, EditArgs(L"octet", 40), {.border = TBorderStyle::None, .alignment = TAlignment::Center});
  EXPECT_EQ(field.Alignment(), TAlignment::Center);
  EXPECT_EQ(BorderStyleOf(field), TBorderStyle::None);
  EXPECT_EQ(BorderStyleOf(edit), TBorderStyle::Single);
}

TEST(EditFocus, OnEnterAndOnExitFollowTheKeyboardFocus) {
  TLog log;
  TRecordingForm form;
  TEdit first(form, EditArgs(L"first")), second(form, EditArgs(L"second", 40));
  for (TEdit* edit : {&first, &second}) {
    edit->OnEnter = [&log](TControl& c) { log.push_back("enter " + ToUtf8(c.Name())); };
    edit->OnExit = [&log](TControl& c) { log.push_back("exit " + ToUtf8(c.Name())); };
  }
  first.SetFocus();
  second.SetFocus();
  EXPECT_EQ(log, (TLog{"enter first", "exit first", "enter second"}));
}

TEST(Memo, LineBreaksBecomeCrLfAndCodeRaisesOnChangeOnce) {
  TLog log;
  TRecordingForm form;
  TMemo memo(form, EditArgs(L"MemoDesc", 10, 80));
  Record(memo, log);
  memo.SetText(L"one\ntwo\rthree\r\n");
  EXPECT_EQ(memo.Text(), L"one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
  EXPECT_EQ(log, (TLog{"OnChange one\r\ntwo\r\nthree\r\n"}));
  memo.SetLines({L"a", L"", L"b"});
  EXPECT_EQ(memo.Text(), L"a\r\n\r\nb");
  memo.SetText(L"");
  EXPECT_TRUE(memo.Lines().empty());

  memo.SetSel(0, 0);
  Type(memo.Handle(), L"x\ry");
  EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"x", L"y"}));
  const LONG style = GetWindowLongW(memo.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);  // words wrap
}

TEST(Memo, TabMovesTheFocusOnUnlessTheMemoWantsTabs) {
  TRecordingForm form;
  TMemo memo(form, EditArgs(L"memoNews", 10, 60));
  TButton next(form, {.name = L"btnAdd", .top = 100, .width = 60, .height = 24});
  form.Show();
  memo.SetFocus();
  PostMessageW(memo.Handle(), WM_KEYDOWN, VK_TAB, 1);
  Application().ProcessMessages();
  EXPECT_TRUE(next.Focused());
  EXPECT_EQ(memo.Text(), L"");

  memo.SetWantTabs(true);
  memo.SetFocus();
  PostMessageW(memo.Handle(), WM_KEYDOWN, VK_TAB, 1);
  Application().ProcessMessages();
  EXPECT_TRUE(memo.Focused());  // the key went to the memo
}
