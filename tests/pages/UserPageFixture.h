// What the account page tests share beyond the main window fixture: the account's
// profile, the user page with its blinking stopped, and the way to the modification page.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "agent/UnitDef.h"
#include "pages/frameUser.h"
#include "pages/frameUserModify.h"
#include "tests/support/MainWindowFixture.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"

inline constexpr wchar_t kProfileXml[] =
    L"<UserInfo Modified=\"False\"><Domain>home.example</Domain><UserName>li</UserName>"
    L"<Email>li@mail.example</Email><AccountState>0</AccountState>"
    L"<Question>pet</Question><Answer>cat</Answer></UserInfo>";

class AccountPageTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    agent.userProfileXml = kProfileXml;
    MainWindowFixture::SetUp();
    user = Page<TPageUser>(L"PageUser");
    ASSERT_NE(user, nullptr);
    user->Timer1.SetEnabled(false);
  }

  TPageUserModify& OpenModifyPage() {
    user->labModifyUser.Click();
    auto* page = Page<TPageUserModify>(L"PageUserModify");
    EXPECT_NE(page, nullptr);
    return *page;
  }
  static void ClickLink(TControl& link) { Click(link, 2, 2); }
  bool Shown(const TControl& page) const { return page.Visible(); }

  TPageUser* user = nullptr;
};
