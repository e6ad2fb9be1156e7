// The user page inside a real main window over the fake agent: what each label shows
// with and without a profile, the sign button in each state (also as the poll writes
// it), signing in and out, the change of account (asked first over unsent edits), the
// re-sent key, the blinking key icons, the way to the modification page, and the links
// from the keyboard.
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "shell/Common.h"
#include "tests/pages/UserPageFixture.h"
#include "tests/support/BoxAnswer.h"

namespace {

std::wstring LocalDate(const SYSTEMTIME& time, bool withTime) {
  wchar_t date[128], clock[128];
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
  return withTime ? std::wstring(date) + L" " + clock : date;
}

using UserPageTest = AccountPageTest;

TEST_F(UserPageTest, WithoutAProfileEveryValueIsUnknownAndOnlyTheAccountGroupIsUsable) {
  agent.userState = 1;
  agent.online = false;
  user->Refresh();
  for (TControl* label : {&user->labDomain, &user->labUserName, &user->labEmail,
                          &user->labAccountState, &user->labExpiryDate, &user->labRegType})
    EXPECT_EQ(label->Caption(), L"未知") << ToUtf8(label->Name());
  EXPECT_EQ(user->labNetwork.Caption(), L"离线");
  EXPECT_EQ(user->btnSign.Caption(), L"签  入");
  EXPECT_FALSE(user->btnSign.Enabled());
  EXPECT_FALSE(user->GroupCurUser.Enabled());
  EXPECT_TRUE(user->BGGroupBox1.Enabled());
  EXPECT_TRUE(user->Enabled());
  EXPECT_EQ(agent.CallCount(L"GetExpiryDate"), 0);
}

TEST_F(UserPageTest, TheProfileFillsTheLabelsAndEnablesTheGroup) {
  agent.serviceType = 3;
  SYSTEMTIME noon{2027, 1, 5, 1, 12, 30, 15, 0};
  SystemTimeToVariantTime(&noon, &agent.expiry);
  HoldProfile();
  EXPECT_EQ(user->labDomain.Caption(), L"home.example");
  EXPECT_EQ(user->labUserName.Caption(), L"li");
  EXPECT_EQ(user->labEmail.Caption(), L"li@mail.example");
  EXPECT_EQ(user->labAccountState.Caption(), L"正常");
  EXPECT_EQ(user->labRegType.Caption(), L"公网专业服务");
  EXPECT_EQ(user->labExpiryDate.Caption(), LocalDate(noon, true));
  EXPECT_EQ(user->labNetwork.Caption(), L"在线");
  EXPECT_EQ(user->btnSign.Caption(), L"签  出");
  EXPECT_TRUE(user->GroupCurUser.Enabled());
}

TEST_F(UserPageTest, MidnightShowsTheDateAlone) {
  SYSTEMTIME midnight{2026, 12, 4, 31, 0, 0, 0, 0};
  SystemTimeToVariantTime(&midnight, &agent.expiry);
  HoldProfile();
  EXPECT_EQ(user->labExpiryDate.Caption(), LocalDate(midnight, false));
  // A value no calendar can show is unknown rather than garbage.
  EXPECT_EQ(ExpiryDateText(1e12), L"");
  agent.expiry = 1e12;
  user->Refresh();
  EXPECT_EQ(user->labExpiryDate.Caption(), L"未知");
  // Nor is a value that is no number at all (the conversion takes it for day 0).
  for (DATE notANumber : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    agent.expiry = 0;
    user->Refresh();
    agent.expiry = notANumber;
    user->Refresh();
    EXPECT_EQ(user->labExpiryDate.Caption(), L"未知") << notANumber;
  }
}

TEST_F(UserPageTest, AccountStatesAndServiceTypes) {
  HoldProfile();
  const wchar_t* states[] = {L"正常", L"过期", L"丢弃"};
  for (int state = 0; state < 3; ++state) {
    UserProfile.SetAccountState(state);
    user->Refresh();
    EXPECT_EQ(user->labAccountState.Caption(), states[state]);
  }
  UserProfile.SetAccountState(3);  // unknown: the label keeps what it had
  user->Refresh();
  EXPECT_EQ(user->labAccountState.Caption(), L"丢弃");

  const std::pair<int, const wchar_t*> types[] = {
      {0, L"公网试用服务"}, {2, L"公网标准服务(永久)"}, {4, L"公网专业服务(永久)"},
      {5, L"内网专业服务"}, {6, L"新类型"}, {-1, L"新类型"}};
  for (auto [type, text] : types) EXPECT_EQ(ServiceTypeText(type), text) << type;
  agent.serviceType = 5;
  user->Refresh();
  EXPECT_EQ(user->labRegType.Caption(), L"内网专业服务");
}

TEST_F(UserPageTest, AnUnreadableAccountStateDoesNotStopTheRefresh) {
  HoldProfile();
  for (const wchar_t* xml : {L"<UserInfo Modified=\"False\"><UserName>a</UserName></UserInfo>",
                             L"<UserInfo Modified=\"False\"><UserName>b</UserName>"
                             L"<AccountState>abc</AccountState></UserInfo>"}) {
    UserProfile = ParseUserInfo(xml);
    agent.serviceType = 4;
    user->Refresh();
    EXPECT_EQ(user->labAccountState.Caption(), L"正常");  // kept
    EXPECT_EQ(user->labRegType.Caption(), L"公网专业服务(永久)");
    EXPECT_TRUE(user->GroupCurUser.Enabled());
    agent.serviceType = 1;
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(UserPageTest, ThePollWritesThePagesNetworkLabelAndSignButtonButNeverEnablesIt) {
  HoldProfile();
  agent.userState = 1;
  agent.online = false;
  Tick();
  EXPECT_EQ(user->labNetwork.Caption(), L"离线");
  EXPECT_FALSE(user->btnSign.Enabled());
  agent.userState = 3;
  Tick();  // fetches again and refreshes the page, which enables the button
  EXPECT_EQ(user->btnSign.Caption(), L"签  入");
  EXPECT_TRUE(user->btnSign.Enabled());
  agent.userState = 2;
  Tick();  // nothing to fetch: only the caption follows
  EXPECT_EQ(user->btnSign.Caption(), L"签  出");
}

// Counts the text and enabled-state writes that reach a window.
class TWriteCounter {
 public:
  explicit TWriteCounter(TControl& control) : window_(control.Handle()) {
    SetWindowSubclass(window_, &Count, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~TWriteCounter() { RemoveWindowSubclass(window_, &Count, 1); }
  int writes = 0;

 private:
  static LRESULT CALLBACK Count(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR self) {
    if (msg == WM_SETTEXT || msg == WM_ENABLE) ++reinterpret_cast<TWriteCounter*>(self)->writes;
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  HWND window_;
};

// Ten ticks a second for as long as the program runs: a tick that finds nothing changed
// must not write (each write repaints, and costs the idle program its share of a core).
TEST_F(UserPageTest, ThePollWritesTheLabelAndButtonsOnlyWhenTheirValuesChange) {
  HoldProfile();
  Tick();
  TWriteCounter network(user->labNetwork), sign(user->btnSign), apply(main->btnApply);
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(network.writes + sign.writes + apply.writes, 0);
  agent.online = false;
  Tick();
  Tick();
  EXPECT_EQ(network.writes, 1);
  EXPECT_EQ(user->labNetwork.Caption(), L"离线");
  agent.userState = 1;  // neither signed in nor out: the button is disabled, once
  Tick();
  Tick();
  EXPECT_EQ(sign.writes, 2);  // its caption and its enabled state
  EXPECT_FALSE(user->btnSign.Enabled());
  EXPECT_EQ(apply.writes, 0);
}

TEST_F(UserPageTest, SignButtonSignsOutAndInByTheAgentsState) {
  HoldProfile();
  agent.ClearCalls();
  Press(user->btnSign);
  EXPECT_EQ(agent.CallCount(L"SignOut"), 1);
  EXPECT_EQ(agent.CallCount(L"SignIn"), 0);
  EXPECT_EQ(user->btnSign.Caption(), L"签  入");  // the agent now reports signed out
  agent.ClearCalls();
  Press(user->btnSign);
  EXPECT_EQ(agent.CallCount(L"SignIn"), 1);
  EXPECT_EQ(agent.CallCount(L"GetUserState"), 3);  // asked, asked again, then shown
  EXPECT_EQ(user->btnSign.Caption(), L"签  出");
}

TEST_F(UserPageTest, AFailedSignInIsShownAndTheButtonStillFollowsTheState) {
  agent.userState = 3;
  HoldProfile();
  agent.FailOn(L"SignIn", L"服务器忙");
  agent.userState = 3;
  Press(user->btnSign);
  EXPECT_EQ(messages, std::vector<std::wstring>{L"服务器忙"});
  EXPECT_EQ(user->btnSign.Caption(), L"签  入");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Screen().Cursor(), nullptr);  // the hourglass is gone again
}

TEST_F(UserPageTest, ChangeOfAccountDropsTheProfileRefreshesTheDomainListAndSaysSo) {
  HoldProfile();
  agent.domainList = {L"example.net"};
  Press(user->btnChange);  // an empty key still goes to the agent
  EXPECT_EQ(agent.arguments.back(), L"");
  EXPECT_FALSE(UserProfile.Assigned());
  EXPECT_EQ(agent.CallCount(L"GetDomainList"), 1);
  EXPECT_EQ(messages.back(), L"当前用户变更成功！");
  // The labels wait for the next poll's profile.
  EXPECT_EQ(user->labUserName.Caption(), L"li");
  agent.userProfileXml =
      L"<UserInfo Modified=\"False\"><Domain>b.example</Domain><UserName>wang</UserName></UserInfo>";
  Tick();
  EXPECT_EQ(user->labUserName.Caption(), L"wang");
}

TEST_F(UserPageTest, ChangeOfAccountOverUnsentEditsAsksFirstAndNoKeepsThem) {
  HoldProfile();
  ChangeUserProfile([](TXMLUserInfoType& profile) { profile.SetUserName(L"李明"); });
  Type(user->edtRegKey, L"K-2");
  {
    TBoxAnswer no(IDNO);
    Press(user->btnChange);
    ASSERT_EQ(no.Boxes().size(), 1u);
    EXPECT_EQ(no.Boxes()[0].text, GetResString(564));
    EXPECT_EQ(no.Boxes()[0].caption, L"维特兰诺用户管理");
    EXPECT_TRUE(no.Boxes()[0].defaultIsNo);
  }
  EXPECT_EQ(agent.CallCount(L"ChangeUser"), 0);
  Tick();  // the edited profile stays held, and Apply follows it
  EXPECT_EQ(UserProfile.UserName(), L"李明");
  EXPECT_TRUE(main->btnApply.Enabled());

  TBoxAnswer yes(IDYES);  // Enter in the key edit asks the same
  Key(user->edtRegKey, VK_RETURN);
  EXPECT_EQ(yes.Boxes().size(), 1u);
  EXPECT_EQ(agent.arguments.back(), L"K-2");
  EXPECT_FALSE(UserProfile.Assigned());
}

TEST_F(UserPageTest, ARefusedKeyIsShownAndTheProfileStays) {
  HoldProfile();
  agent.FailOn(L"ChangeUser", L"注册码无效");
  Type(user->edtRegKey, L" K-1 ");
  Press(user->btnChange);
  EXPECT_EQ(agent.arguments.back(), L" K-1 ");  // passed as typed
  EXPECT_EQ(messages, std::vector<std::wstring>{L"注册码无效"});
  EXPECT_TRUE(UserProfile.Assigned());
  EXPECT_EQ(agent.CallCount(L"GetDomainList"), 0);
}

TEST_F(UserPageTest, ResentKeyGoesForTheTypedDomain) {
  Type(user->edtDomain, L"home.example");
  // A release without a press on the link (a drag from elsewhere) is no click.
  SendMessageW(user->labForgotKey.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(agent.CallCount(L"ResendAccountKey"), 0);
  ClickLink(user->labForgotKey);
  EXPECT_EQ(agent.arguments.back(), L"home.example");
  EXPECT_EQ(messages.back(), L"新的注册码已经发送到了你的注册邮箱！");
  agent.FailOn(L"ResendAccountKey", L"没有这个域名");
  ClickLink(user->labForgotKey);
  EXPECT_EQ(messages.back(), L"没有这个域名");
}

TEST_F(UserPageTest, KeyIconsBlinkInTurnWithoutAProfileAndStayWithOne) {
  agent.userState = 1;
  Tick();
  ASSERT_TRUE(user->ImageKey.Visible());
  ASSERT_FALSE(user->ImageReg.Visible());
  for (int i = 0; i < 3; ++i) {
    user->Timer1Timer(user->Timer1);
    EXPECT_NE(user->ImageKey.Visible(), user->ImageReg.Visible());
  }
  EXPECT_TRUE(user->ImageReg.Visible());
  EXPECT_EQ(user->Timer1.Interval(), 600u);
  agent.userState = 2;
  Tick();
  user->Timer1Timer(user->Timer1);
  EXPECT_TRUE(user->ImageKey.Visible());
  EXPECT_TRUE(user->ImageReg.Visible());
}

// A link is a Tab stop after the field of its row, shows the dotted mark round its edge
// while it has the focus, and Space presses it on its release (Enter: the end-to-end test).
TEST_F(UserPageTest, ALinkIsATabStopWithAFocusMarkPressedBySpace) {
  HoldProfile();
  Type(user->edtDomain, L"home.example");
  Key(user->edtDomain, VK_TAB);
  ASSERT_TRUE(user->labForgotKey.Focused());
  const TSkinBitmap focused = Printed(user->labForgotKey);
  user->edtDomain.SetFocus();
  const TSkinBitmap unfocused = Printed(user->labForgotKey);
  int dots = 0;
  for (int y = 0; y < focused.Height(); ++y)
    for (int x = 0; x < focused.Width(); ++x) {
      if (focused.Pixel(x, y) == unfocused.Pixel(x, y)) continue;
      ++dots;
      EXPECT_TRUE(x == 0 || y == 0 || x == focused.Width() - 1 || y == focused.Height() - 1) << x << "," << y;
    }
  EXPECT_GT(dots, focused.Width() / 2);
  user->labForgotKey.SetFocus();
  SendMessageW(user->labForgotKey.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(agent.CallCount(L"ResendAccountKey"), 0);
  SendMessageW(user->labForgotKey.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(agent.CallCount(L"ResendAccountKey"), 1);
}

TEST_F(UserPageTest, TheModifyLinkOpensTheModificationPageInItsPlace) {
  HoldProfile();
  TPageUserModify& modify = OpenModifyPage();
  EXPECT_FALSE(Shown(*user));
  EXPECT_TRUE(Shown(modify));
  EXPECT_EQ(CurrentPage.Get(), static_cast<IPageWrapper*>(&modify));
  EXPECT_EQ(modify.edtUserName.Text(), L"li");
}

}  // namespace
