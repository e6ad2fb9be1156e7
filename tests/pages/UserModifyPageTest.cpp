// The user modification page inside a real main window over the fake agent: the
// refresh, the answer handed to the agent as it is typed, OK with its checks in order
// (and what a stop leaves written), the reload, the new key, the re-sent answer and
// Back.
#include "tests/pages/UserPageFixture.h"
#include "tests/support/BoxAnswer.h"

namespace {

class UserModifyPageTest : public AccountPageTest {
 protected:
  void SetUp() override {
    AccountPageTest::SetUp();
    HoldProfile();
    page = &OpenModifyPage();
    messages.clear();
  }
  // The security answer accepted by the agent.
  void Authorize() { agent.authorization = L"ok"; }
  bool BackOnUserPage() const { return Shown(*user) && !Shown(*page); }

  TPageUserModify* page = nullptr;
};

TEST_F(UserModifyPageTest, RefreshFillsTheFieldsEmptiesTheConfirmationsAndKeepsTheAnswer) {
  EXPECT_EQ(page->labQuestion.Caption(), L"pet");
  EXPECT_EQ(page->edtEmail.Text(), L"li@mail.example");
  EXPECT_EQ(page->edtQuestion.Text(), L"pet");
  EXPECT_EQ(page->edtAnswer2.Text(), L"cat");
  Type(page->edtAnswer, L"dog");
  Type(page->edtEmailConfirm, L"x");
  Type(page->edtAnswerConfirm, L"y");
  UserProfile = {};
  page->Refresh();
  EXPECT_FALSE(page->Enabled());
  for (TControl* field : std::initializer_list<TControl*>{&page->edtUserName, &page->labQuestion,
                                                          &page->edtEmail, &page->edtQuestion,
                                                          &page->edtAnswer2})
    EXPECT_EQ(field->Caption(), L"未知") << ToUtf8(field->Name());
  EXPECT_EQ(page->edtEmailConfirm.Text(), L"");
  EXPECT_EQ(page->edtAnswerConfirm.Text(), L"");
  EXPECT_EQ(page->edtAnswer.Text(), L"dog");
}

TEST_F(UserModifyPageTest, EveryChangeOfTheAnswerGoesToTheAgentWhole) {
  agent.arguments.clear();
  Type(page->edtAnswer, L"ca");
  Retype(page->edtAnswer, L"t");
  EXPECT_EQ(agent.arguments, (std::vector<std::wstring>{L"c", L"ca", L"", L"t"}));
  // A refusal is not the page's to handle: the default error report shows it (adding
  // its full stop).
  agent.FailOn(L"SetAnswer", L"答案服务不可用");
  Type(page->edtAnswer, L"x");
  EXPECT_EQ(errors, std::vector<std::wstring>{L"答案服务不可用."});
}

TEST_F(UserModifyPageTest, UserNameAloneNeedsNoAnswerAndOtherChangesAreDroppedWithout) {
  Retype(page->edtUserName, L"lee");
  Retype(page->edtEmail, L"new@mail.example");
  Type(page->edtEmailConfirm, L"new@mail.example");
  Press(page->btnOK);
  EXPECT_EQ(UserProfile.UserName(), L"lee");
  EXPECT_EQ(UserProfile.Email(), L"li@mail.example");
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(BackOnUserPage());
  EXPECT_EQ(CurrentPage.Get(), static_cast<IPageWrapper*>(user));
}

TEST_F(UserModifyPageTest, NothingChangedMarksNothing) {
  Authorize();
  Press(page->btnOK);
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_TRUE(BackOnUserPage());
}

TEST_F(UserModifyPageTest, EmailConfirmationIsExactAndStopsWithTheFocusOnTheEmail) {
  Authorize();
  Retype(page->edtUserName, L"lee");
  Retype(page->edtEmail, L"New@mail.example");
  Press(page->btnOK);  // empty confirmation
  EXPECT_EQ(messages, std::vector<std::wstring>{L"确认的E-Mail不正确"});
  EXPECT_EQ(GetFocus(), page->edtEmail.Handle());
  EXPECT_TRUE(Shown(*page));
  EXPECT_EQ(UserProfile.UserName(), L"lee");  // the earlier step stays written
  EXPECT_EQ(UserProfile.Email(), L"li@mail.example");

  Type(page->edtEmailConfirm, L"new@mail.example");
  Press(page->btnOK);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(UserProfile.Email(), L"li@mail.example");
  Retype(page->edtEmailConfirm, L"New@mail.example");
  Press(page->btnOK);
  EXPECT_EQ(UserProfile.Email(), L"New@mail.example");
  EXPECT_TRUE(BackOnUserPage());
}

TEST_F(UserModifyPageTest, EmptyQuestionOrAnswerIsRefusedInOrder) {
  Authorize();
  Retype(page->edtQuestion, L"");
  Retype(page->edtAnswer2, L"");
  Press(page->btnOK);
  EXPECT_EQ(messages.back(), L"出于安全考虑，问题不可以不填!");
  EXPECT_EQ(GetFocus(), page->edtQuestion.Handle());

  Type(page->edtQuestion, L"city");
  Press(page->btnOK);
  EXPECT_EQ(messages.back(), L"出于安全考虑，问题的回答不可以不填！");
  EXPECT_EQ(GetFocus(), page->edtAnswer2.Handle());
  EXPECT_EQ(UserProfile.Question(), L"city");  // written before the answer's stop
  EXPECT_EQ(UserProfile.Answer(), L"cat");
}

TEST_F(UserModifyPageTest, NewAnswerNeedsItsConfirmation) {
  Authorize();
  Retype(page->edtAnswer2, L"rome");
  Type(page->edtAnswerConfirm, L"Rome");
  Press(page->btnOK);
  EXPECT_EQ(messages.back(), L"确认的答案不正确");
  EXPECT_EQ(GetFocus(), page->edtAnswer2.Handle());
  EXPECT_EQ(UserProfile.Answer(), L"cat");
  Retype(page->edtAnswerConfirm, L"rome");
  Press(page->btnOK);
  EXPECT_EQ(UserProfile.Answer(), L"rome");
  EXPECT_TRUE(BackOnUserPage());
}

TEST_F(UserModifyPageTest, FailingAuthorizationReachesTheErrorReportAndKeepsThePage) {
  agent.FailOn(L"GetAuthorization", L"连接中断");
  Retype(page->edtUserName, L"lee");
  Press(page->btnOK);
  EXPECT_EQ(errors, std::vector<std::wstring>{L"连接中断."});
  EXPECT_EQ(UserProfile.UserName(), L"lee");
  EXPECT_TRUE(Shown(*page));
  EXPECT_EQ(Screen().Cursor(), nullptr);
}

TEST_F(UserModifyPageTest, OkWithoutAProfileOnlyReturns) {
  UserProfile = {};
  page->btnOK.Click();  // the page is disabled; the handler itself still returns
  EXPECT_EQ(agent.CallCount(L"GetAuthorization"), 0);
  EXPECT_TRUE(BackOnUserPage());
}

TEST_F(UserModifyPageTest, ReloadDropsTheProfileAndTheNextPollFillsTheFieldsAgain) {
  agent.ClearCalls();
  agent.arguments.clear();
  Press(page->btnReload);
  EXPECT_EQ(agent.arguments, std::vector<std::wstring>{L"-1"});
  EXPECT_FALSE(UserProfile.Assigned());
  EXPECT_EQ(messages.back(), L"用户信息重新加载成功！");
  agent.userProfileXml =
      L"<UserInfo Modified=\"False\"><UserName>reloaded</UserName><Question>q</Question></UserInfo>";
  Tick();
  EXPECT_EQ(page->edtUserName.Text(), L"reloaded");

  agent.FailOn(L"GetUserProfile", L"重载失败", 1);
  Press(page->btnReload);
  EXPECT_EQ(messages.back(), L"重载失败");
  EXPECT_TRUE(UserProfile.Assigned());
}

TEST_F(UserModifyPageTest, NewKeyAndResentAnswerSayHowTheyWent) {
  ClickLink(page->labRebuildKey);
  EXPECT_EQ(messages.back(), L"新的注册码已经发送到了你的注册邮箱！");
  ClickLink(page->labResendAnswer);
  EXPECT_EQ(messages.back(), L"问题的答案已经发送到了你的注册邮箱！");
  agent.FailOn(L"RebuildAccountKey", L"不允许");
  agent.FailOn(L"ResendAnswer", L"邮件发送失败");
  ClickLink(page->labRebuildKey);
  EXPECT_EQ(messages.back(), L"不允许");
  ClickLink(page->labResendAnswer);
  EXPECT_EQ(messages.back(), L"邮件发送失败");
}

TEST_F(UserModifyPageTest, BackWritesNothing) {
  Authorize();
  Retype(page->edtUserName, L"lee");
  Press(page->btnBack);
  EXPECT_EQ(UserProfile.UserName(), L"li");
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_TRUE(BackOnUserPage());
  // Opening it again refreshes the fields from the profile.
  OpenModifyPage();
  EXPECT_EQ(page->edtUserName.Text(), L"li");
}

// Enter in a field presses the page's OK and Escape its Back; neither reaches the main
// window, whose own buttons would commit or discard everything. On the user page Enter
// in the key edit changes the account.
TEST_F(UserModifyPageTest, EnterPressesOkAndEscapeGoesBackWithoutTouchingTheMainWindow) {
  Retype(page->edtUserName, L"lee");
  Key(page->edtUserName, VK_RETURN);
  EXPECT_TRUE(BackOnUserPage());
  EXPECT_EQ(UserProfile.UserName(), L"lee");
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_NE(main->Handle(), nullptr);

  OpenModifyPage();
  Retype(page->edtUserName, L"wang");
  Key(page->edtEmail, VK_ESCAPE);
  EXPECT_TRUE(BackOnUserPage());
  EXPECT_EQ(UserProfile.UserName(), L"lee");
  Key(user->edtDomain, VK_ESCAPE);  // no Back on the user page: nothing happens
  EXPECT_NE(main->Handle(), nullptr);
  EXPECT_EQ(agent.CallCount(L"PutUserProfile"), 0);

  Type(user->edtRegKey, L"STD3-7H1M-2PW5-DEMO");
  TBoxAnswer yes(IDYES);  // the change of account asks first: "lee" is not sent
  Key(user->edtRegKey, VK_RETURN);
  EXPECT_EQ(yes.Boxes().size(), 1u);
  EXPECT_EQ(agent.CallCount(L"ChangeUser"), 1);
}

}  // namespace
