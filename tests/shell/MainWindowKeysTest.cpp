// The main window from the keyboard, with real pages over the fake agent: what Enter and
// Escape do on the pages, and where the focus goes when an editor or a dialog closes and
// when Apply has sent everything. (Tab's way through the window: the end-to-end test.)
#include <gtest/gtest.h>

#include "agent/UnitDef.h"
#include "pages/frameChild.h"
#include "pages/frameDnsStd.h"
#include "pages/frameHierarchyPro.h"
#include "pages/frameRRA.h"
#include "pages/frameRRsPro.h"
#include "tests/support/MainWindowFixture.h"

namespace {

class MainWindowKeysTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    agent.serviceType = 3;
    MainWindowFixture::SetUp();
    HoldProfile();
  }
  // An edit of the profile that the next tick turns into an enabled Apply.
  void Edit() {
    MarkUserProfileModified(true);
    Tick();
    ASSERT_TRUE(main->btnApply.Enabled());
  }
};

// Enter on a section's page sends the edits as Apply does and the window stays; inside a
// section Enter is the page's own; Escape never closes the window nor drops the edits.
TEST_F(MainWindowKeysTest, EnterOnASectionPageAppliesAndEscapeNeverDropsTheEdits) {
  agent.serviceType = 1;
  Click(main->btnDns);
  auto* dns = Page<TPageDnsStd>(L"PageDnsStd");
  ASSERT_NE(dns, nullptr);
  UserProfile.SetUserName(L"键盘");
  Edit();
  Key(dns->edtYourName, VK_ESCAPE);
  EXPECT_TRUE(UserProfile.Modified());
  Key(dns->edtYourName, VK_RETURN);
  ASSERT_EQ(agent.putUserProfiles.size(), 1u);
  EXPECT_NE(agent.putUserProfiles[0].find(L"键盘"), std::wstring::npos);
  EXPECT_NE(main->Handle(), nullptr);  // Apply, not OK

  agent.serviceType = 3;
  Click(main->btnRRs);
  Edit();
  Click(Page<TPageRRsPro>(L"PageRRsPro")->sbNewHost);
  auto* editor = Page<TPageRRA>(L"PageRRA");
  Key(editor->edtName, VK_RETURN);  // its OK is not enabled before a change
  EXPECT_TRUE(IsCurrent(*editor));
  EXPECT_EQ(agent.putUserProfiles.size(), 1u);
}

// Leaving an editor or a dialog puts the focus back on the control the user opened it
// from, never on the hidden page; opened again, the editor starts afresh. After Apply
// the focus goes back to where the click came from.
TEST_F(MainWindowKeysTest, TheFocusGoesBackToWhereTheUserWas) {
  Click(main->btnRRs);
  auto* records = Page<TPageRRsPro>(L"PageRRsPro");
  for (WPARAM leave : {VK_ESCAPE, VK_RETURN}) {
    records->GridRRs.SetFocus();
    Click(records->sbNewHost);  // a tool button takes no focus
    auto* editor = Page<TPageRRA>(L"PageRRA");
    EXPECT_TRUE(editor->edtName.Focused());
    Type(editor->edtName, L"www");
    Key(editor->edtName, leave);
    EXPECT_TRUE(IsCurrent(*records));
    EXPECT_TRUE(records->GridRRs.Focused());
  }

  Click(main->btnHierarchy);
  auto* hierarchy = Page<TPageHierarchyPro>(L"PageHierarchyPro");
  Key(hierarchy->btnChildAdd, VK_RETURN);
  ASSERT_TRUE(IsCurrent(*Page<TPageChild>(L"PageChild")));
  Key(Page<TPageChild>(L"PageChild")->edtNode, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(*hierarchy));
  EXPECT_TRUE(hierarchy->btnChildAdd.Focused());

  Tick();  // the new record enables Apply
  hierarchy->GridChildren.SetFocus();
  main->btnApply.SetFocus();  // what a click's press does
  Click(main->btnApply);
  Tick();
  EXPECT_FALSE(main->btnApply.Enabled());
  EXPECT_TRUE(hierarchy->GridChildren.Focused());
  EXPECT_TRUE(errors.empty());
}

}  // namespace
