// Profiles the agent hands out as another service might write them, in the real
// program: without the Modified mark, and with a text field in a CDATA section next to
// one that holds an element. The pages fill, the poll goes on, and an edit reaches the
// agent through Apply.
#include <gtest/gtest.h>

#include <utility>

#include "tests/e2e/AccountPagesFixture.h"

namespace {

using namespace e2e;

// Rewrites the stored profile of the demo account `pro`, each pair's first text
// replaced by its second.
void EditStoredProfile(std::initializer_list<std::pair<std::wstring, std::wstring>> edits) {
  std::wstring profile = StoredUserProfile(kDemoProId);
  for (const auto& [from, to] : edits) {
    const size_t at = profile.find(from);
    ASSERT_NE(at, std::wstring::npos) << Narrow(from);
    profile.replace(at, from.size(), to);
  }
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\" + kDemoProId + L".xml", profile));
}

// Waits until the agent's count of `operation` stops growing for a while.
bool CallsSettle(const char* operation) {
  long last = -1;
  return WaitFor([&] {
    const long now = AgentCallCount(operation);
    const bool settled = now == last;
    last = now;
    Sleep(300);
    return settled;
  });
}

class MissingModifiedTest : public AccountPagesTest {
 protected:
  void PrepareAgentData() override {
    EditStoredProfile({{L" Modified=\"False\"", L""}});
    ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"LocalSetting.xml", L"<LocalSetting><Host>"));
  }
};

// Without the mark the profile is not modified: the poll still fetches the local
// settings that failed until they come good, and Apply follows an edit.
TEST_F(MissingModifiedTest, ThePollGoesOnAndApplyFollowsAnEdit) {
  const long failed = AgentCallCount("GetAppProfile");
  EXPECT_TRUE(WaitFor([&] { return AgentCallCount("GetAppProfile") >= failed + 3; }))
      << "a local settings text that failed is fetched again on the next ticks";
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"LocalSetting.xml",
                            L"<LocalSetting><Host>ns1.veltrano.net</Host><HeartBeat>600</HeartBeat>"
                            L"<AutoConnect>True</AutoConnect></LocalSetting>"));
  EXPECT_TRUE(CallsSettle("GetAppProfile")) << "once good it is held";
  EXPECT_NE(Child(userPage, L"", L"张伟"), nullptr) << "and the page filled";
  HWND apply = Child(main, L"TPicBtn", L"应用");
  EXPECT_FALSE(IsWindowEnabled(apply));

  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  SetText(Child(page, L"Edit", L"张伟"), L"张伟明");
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));
  EXPECT_TRUE(Contains(StoredUserProfile(kDemoProId), L"Modified=\"True\""));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(apply); }));
}

class CdataProfileTest : public AccountPagesTest {
 protected:
  void PrepareAgentData() override {
    EditStoredProfile({{L"<UserName>张伟</UserName>", L"<UserName><![CDATA[张&伟]]></UserName>"},
                       {L"<Email>zhang.wei@example.com</Email>",
                        L"<Email>zhang.wei<at/>example.com</Email>"}});
  }
};

// A name in a CDATA section reads as text; the e-mail field that holds an element
// shows as unknown on both pages while everything else fills, with no error box; a
// new name replaces the CDATA section and the damaged field goes back untouched.
TEST_F(CdataProfileTest, TheNameReadsAndTheUnreadableFieldIsUnknown) {
  EXPECT_NE(Child(userPage, L"", L"张&伟"), nullptr);
  EXPECT_NE(Child(userPage, L"", L"未知"), nullptr);
  EXPECT_NE(Child(userPage, L"", kDemoProDomain), nullptr);
  EXPECT_NE(Child(userPage, L"", L"公网专业服务"), nullptr) << "the refresh went on";

  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  std::vector<HWND> edits = Edits(page);
  ASSERT_EQ(edits.size(), 7u);
  EXPECT_TRUE(WaitFor([&] { return WindowText(edits[0]) == L"张&伟"; }));
  EXPECT_EQ(WindowText(edits[2]), L"未知");
  EXPECT_NE(FindChild(page, L"", L"我的第一所学校叫什么名字？"), nullptr);
  EXPECT_EQ(program->TopWindow(L"#32770"), nullptr);

  SetText(edits[0], L"张&伟明");
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<UserName>张&amp;伟明</UserName>"));
  EXPECT_TRUE(Contains(StoredUserProfile(kDemoProId), L"<Email>zhang.wei<at/>example.com</Email>"));
  EXPECT_EQ(program->TopWindow(L"#32770"), nullptr);
}

}  // namespace
