// What the account page tests share: a real main window (which opens the user page
// itself) over the fake agent, with its poll driven by the tests, the popup's texts and
// the default error reports collected, and input sent as a user's arrives.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "tests/support/FakeAgent.h"
#include "agent/UnitDef.h"
#include "pages/frameUser.h"
#include "pages/frameUserModify.h"
#include "shell/frmCnfgMain.h"

inline constexpr wchar_t kProfileXml[] =
    L"<UserInfo Modified=\"False\"><Domain>home.example</Domain><UserName>li</UserName>"
    L"<Email>li@mail.example</Email><AccountState>0</AccountState>"
    L"<Question>pet</Question><Answer>cat</Answer></UserInfo>";

class AccountPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSharedState();
    agent.userProfileXml = kProfileXml;
    UserManager = TUserManagerLink(TComPtr<IUserManager>(&agent));
    MessageSink = [this](const std::wstring& text) { messages.push_back(text); };
    Application().OnException = [this](const std::wstring& text) { errors.push_back(text); };
    main = std::make_unique<TCnfgMain>();
    main->StateTimer.SetEnabled(false);
    user = static_cast<TPageUser*>(main->FindControl(L"PageUser"));
    ASSERT_NE(user, nullptr);
    user->Timer1.SetEnabled(false);
  }
  void TearDown() override {
    main.reset();
    ClearSharedState();
    UserManager.Reset();
    MessageSink = nullptr;
    Application().OnException = nullptr;
  }

  void Tick() { main->StateTimerTimer(main->StateTimer); }
  // The profile arrives the way the poll brings it.
  void HoldProfile() {
    UserProfile = {};
    Tick();
    ASSERT_TRUE(UserProfile.Assigned());
  }
  TPageUserModify& OpenModifyPage() {
    user->labModifyUser.Click();
    auto* page = static_cast<TPageUserModify*>(main->FindControl(L"PageUserModify"));
    EXPECT_NE(page, nullptr);
    return *page;
  }
  static void Press(TControl& button) { SendMessageW(button.Handle(), BM_CLICK, 0, 0); }
  static void ClickLink(TControl& link) {
    SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  static void Type(TControl& edit, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit.Handle(), WM_CHAR, c, 1);
  }
  static void Retype(TControl& edit, const std::wstring& text) {
    SendMessageW(edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageW(edit.Handle(), WM_CHAR, VK_BACK, 1);
    Type(edit, text);
  }
  bool Shown(const TControl& page) const { return page.Visible(); }

  TFakeAgent agent;
  std::vector<std::wstring> messages, errors;
  std::unique_ptr<TCnfgMain> main;
  TPageUser* user = nullptr;
};
