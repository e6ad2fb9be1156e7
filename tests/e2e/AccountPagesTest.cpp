// The account pages in the real program against the real agent: signing out and in
// again, switching to another account by its key, and changing the account's user name
// and e-mail through the modification page and Apply, as the agent stores them.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/AgentData.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr wchar_t kProgram[] = L"VTUserCnfg.exe";
constexpr wchar_t kMainClass[] = L"TCnfgMain";

// The edits of a window in their tab order (the z-order of their parent).
std::vector<HWND> Edits(HWND parent) {
  std::vector<HWND> edits;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        if (_wcsicmp(ClassName(window).c_str(), L"Edit") == 0)
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&edits));
  return edits;
}

HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindChild(parent, className, text)) != nullptr; }, 5000);
  return found;
}

// A link is a label: the click arrives as a press and a release of the mouse.
void ClickLink(HWND link) {
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void SetText(HWND edit, const std::wstring& text) { EXPECT_TRUE(TypeText(edit, text)); }

bool Contains(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

class AccountPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAgentData();
    ResetAgentCallCounts();
    program.emplace(kProgram);  // after the reset, so that it sees the demo data only
    main = program->WaitForTopWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetAppProfile") >= 1; }));
    userPage = Child(main, L"TPageUser", L"");
    ASSERT_NE(userPage, nullptr);
  }

  // Opens the modification page through the user page's link.
  HWND OpenModifyPage() {
    ClickLink(Child(userPage, L"Static", L"修改用户..."));
    HWND page = nullptr;
    WaitFor([&] {
      page = FindChild(main, L"TPageUserModify", L"");
      return page && IsWindowVisible(page);
    });
    return page;
  }
  // Opens the modification page, answers the security question rightly and types the
  // new e-mail address zw@example.org with the confirmation given; null on failure.
  HWND EnterNewEmail(const std::wstring& confirmation) {
    HWND page = OpenModifyPage();
    std::vector<HWND> edits = page ? Edits(page) : std::vector<HWND>();  // name, answer, e-mail, confirmation, ...
    if (edits.size() != 7u) return nullptr;
    SetText(edits[1], L"阳光小学");
    SetText(edits[2], L"zw@example.org");
    SetText(edits[3], confirmation);
    return page;
  }
  // Presses the page's own OK, then the main window's Apply once it is enabled.
  void OkThenApply(HWND page) {
    Click(Child(page, L"Button", L"确定"));
    HWND apply = Child(main, L"TPicBtn", L"应用");
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
    Click(apply);
  }
  std::wstring PopupText() {
    HWND popup = program->TopWindow(L"TMsgForm");
    return popup ? StaticTexts(popup) : L"";
  }

  std::optional<TProgram> program;
  HWND main = nullptr;
  HWND userPage = nullptr;
};

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
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("PutUserProfile") == 1; }));
  // The agent counts a call as it starts it: the stored file follows.
  EXPECT_TRUE(WaitFor([] { return Contains(StoredUserProfile(kDemoProId), L"<UserName>张伟明</UserName>"); }));
  EXPECT_TRUE(IsWindowVisible(userPage));
}

TEST_F(AccountPagesTest, ChangeTheEmailAfterAnsweringTheQuestion) {
  HWND page = EnterNewEmail(L"zw@example.org");
  ASSERT_NE(page, nullptr);
  OkThenApply(page);
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("PutUserProfile") == 1; }));
  // The agent counts a call as it starts it: the stored file follows.
  EXPECT_TRUE(WaitFor([] { return Contains(StoredUserProfile(kDemoProId), L"<Email>zw@example.org</Email>"); }));
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
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("PutUserProfile") == 1; }));
  // The agent counts a call as it starts it: the stored file follows.
  EXPECT_TRUE(WaitFor([] { return Contains(StoredUserProfile(kDemoProId), L"<UserName>张伟明</UserName>"); }));
}

}  // namespace
