// The account pages in the real program against the real agent: signing out and in
// again, switching to another account by its key, and changing the account's user name
// and e-mail through the modification page and Apply, as the agent stores them.
#include <gtest/gtest.h>

#include "tests/e2e/AccountPagesFixture.h"

namespace {

using namespace e2e;

TEST_F(AccountPagesTest, SignOutAndInAgain) {
  HWND sign = Child(userPage, L"Button", L"签  出");
  ASSERT_NE(sign, nullptr);
  Click(sign);
  EXPECT_TRUE(WaitFor([&] { return WindowText(sign) == L"签  入"; }));
  EXPECT_TRUE(Contains(ReadUtf8File(AgentDataDir() + L"State.xml"), L"UserState=\"3\""));
  EXPECT_TRUE(WaitFor([&] { return FindChild(userPage, L"", L"离线") != nullptr; }));
  Click(sign);
  EXPECT_TRUE(WaitFor([&] { return WindowText(sign) == L"签  出"; }));
  EXPECT_TRUE(WaitFor([&] { return FindChild(userPage, L"", L"在线") != nullptr; }));
  EXPECT_EQ(AgentCallCount("SignOut"), 1);
  EXPECT_EQ(AgentCallCount("SignIn"), 1);
}

TEST_F(AccountPagesTest, SwitchToTheStandardAccountByItsKey) {
  ASSERT_NE(Child(userPage, L"", L"张伟"), nullptr);
  std::vector<HWND> edits = Edits(userPage);
  ASSERT_EQ(edits.size(), 2u);
  SetText(edits[0], kDemoStdKey);
  Click(Child(userPage, L"Button", L"开  通"));
  EXPECT_TRUE(WaitFor([] { return StoredCurrentAccount() == kDemoStdId; }));
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"当前用户变更成功！"); }));
  // The next poll brings the new account's profile and the page refills.
  EXPECT_TRUE(WaitFor([&] { return FindChild(userPage, L"", L"李娜") != nullptr; }));
  EXPECT_NE(FindChild(userPage, L"", kDemoStdDomain), nullptr);
  EXPECT_NE(FindChild(userPage, L"", L"公网标准服务"), nullptr);
  EXPECT_EQ(AgentCallCount("GetUserProfile"), 2);
}

TEST_F(AccountPagesTest, ChangeTheUserNameAloneAndApply) {
  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  SetText(Child(page, L"Edit", L"张伟"), L"张伟明");
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 1);
  EXPECT_TRUE(IsWindowVisible(userPage));
}

TEST_F(AccountPagesTest, ChangeTheEmailAfterAnsweringTheQuestion) {
  HWND page = EnterNewEmail(L"zw@example.org");
  ASSERT_NE(page, nullptr);
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<Email>zw@example.org</Email>"));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 1);
}

// The agent refuses the edited profile (the accepted answer ended: the service's store
// changed in between); Apply shows its reason in the popup and keeps the edit.
TEST_F(AccountPagesTest, ARefusedApplyShowsTheAgentsTextInThePopup) {
  HWND page = EnterNewEmail(L"zw@example.org");
  ASSERT_NE(page, nullptr);
  Click(Child(page, L"Button", L"确定"));
  HWND apply = Child(main, L"TPicBtn", L"应用");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
  WriteAgentState(kDemoProId, 2, true);  // the store changes: the agent forgets the answer
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetUserState") > 0; }));
  Sleep(300);
  Click(apply);
  EXPECT_TRUE(WaitFor([&] { return PopupText().rfind(L"更新错误：", 0) == 0; })) << Narrow(PopupText());
  EXPECT_GT(PopupText().size(), std::wstring(L"更新错误：").size());
  EXPECT_TRUE(Contains(StoredUserProfile(kDemoProId), L"zhang.wei@example.com"));
  Sleep(300);
  EXPECT_TRUE(IsWindowEnabled(apply));  // still modified: the next Apply tries again
}

TEST_F(AccountPagesTest, AWrongConfirmationIsShownAndNothingIsSent) {
  HWND page = EnterNewEmail(L"zw@example.com");
  ASSERT_NE(page, nullptr);
  Click(Child(page, L"Button", L"确定"));
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"确认的E-Mail不正确"); }));
  EXPECT_TRUE(IsWindowVisible(page));
  HWND apply = Child(main, L"TPicBtn", L"应用");
  Sleep(300);  // three polls: nothing was marked, so Apply stays off
  EXPECT_FALSE(IsWindowEnabled(apply));
  Click(Child(main, L"TPicBtn", L"确定"));
  EXPECT_TRUE(program->WaitForExit());
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 0);
  EXPECT_TRUE(Contains(StoredUserProfile(kDemoProId), L"zhang.wei@example.com"));
}

// The keyboard as a Windows user expects it: Enter in a field presses the page's OK,
// Escape its Back; the main window stays open and only Apply sends.
TEST_F(AccountPagesTest, EnterConfirmsAndEscapeGoesBack) {
  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  HWND name = Child(page, L"Edit", L"张伟");
  SetText(name, L"张伟明");
  PressKey(name, VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(userPage) && !IsWindowVisible(page); }));

  page = OpenModifyPage();
  SetText(Child(page, L"Edit", L"张伟明"), L"王五");
  PressKey(Edits(page)[2], VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(userPage) && !IsWindowVisible(page); }));
  PressKey(Edits(userPage)[0], VK_ESCAPE);
  Sleep(300);
  ASSERT_TRUE(program->Running());

  HWND apply = Child(main, L"TPicBtn", L"应用");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
  Click(apply);
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 1);
}

// The three answer edits show a mask, not the stored answer, and still carry what is
// typed: the question answered and a new answer given reach the agent through Apply.
TEST_F(AccountPagesTest, TheAnswerFieldsAreMaskedAndStillCarryTheAnswer) {
  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  std::vector<HWND> edits = Edits(page);
  ASSERT_EQ(edits.size(), 7u);  // name, answer, e-mail, confirmation, question, new answer, confirmation
  for (size_t i = 0; i < edits.size(); ++i) {
    const bool secret = i == 1 || i == 5 || i == 6;
    EXPECT_EQ((GetWindowLongW(edits[i], GWL_STYLE) & ES_PASSWORD) != 0, secret) << i;
    EXPECT_EQ(SendMessageW(edits[i], EM_GETPASSWORDCHAR, 0, 0) != 0, secret) << i;
  }
  SetText(edits[1], L"阳光小学");
  SetText(edits[5], L"星光中学");
  SetText(edits[6], L"星光中学");
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<Answer>星光中学</Answer>"));
}

}  // namespace
