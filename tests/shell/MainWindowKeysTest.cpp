// The main window from the keyboard alone, with real pages over the fake agent: Tab's
// way through the window, the arrows in the navigation column, what Enter and Escape
// do on the pages, and where the focus goes when Apply is done with or a page inside a
// section (an editor, a dialog, the modification page) closes.
#include <gtest/gtest.h>

#include "agent/UnitDef.h"
#include "pages/frameChild.h"
#include "pages/frameDnsStd.h"
#include "pages/frameHierarchyPro.h"
#include "pages/frameRRA.h"
#include "pages/frameRRsPro.h"
#include "pages/frameUser.h"
#include "pages/frameUserModify.h"
#include "shell/frmCnfgMain.h"
#include "tests/support/MainWindowFixture.h"
#include "toolkit/Application.h"

namespace {

class MainWindowKeysTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    // A profile with the fields the DNS pages show, so that every page opens.
    agent.userProfileXml =
        L"<UserInfo Modified=\"False\"><Domain>demo.example</Domain><TTL>600</TTL>"
        L"<OnlineType>11</OnlineType><OnlineFixedIP>16885952</OnlineFixedIP><OnlineURL/>"
        L"<OfflineType>21</OfflineType><OfflineIP>0</OfflineIP><OfflineURL/><OfflineHost/></UserInfo>";
    MainWindowFixture::SetUp();
  }

  // A key pressed where the focus is, through the program's loop.
  static void Press(WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Application().ProcessMessages();
  }
  // The window class of the page on show.
  static std::wstring CurrentClass() {
    auto* page = dynamic_cast<TControl*>(CurrentPage.Get());
    wchar_t name[64] = {};
    if (page) GetClassNameW(page->Handle(), name, 64);
    return name;
  }
  static bool FocusIn(const TControl& container) { return IsChild(container.Handle(), GetFocus()) != FALSE; }
  // An edit of the profile that the next tick turns into an enabled Apply.
  void Edit() {
    MarkUserProfileModified(true);
    Tick();
    ASSERT_TRUE(main->btnApply.Enabled());
  }

  // The standard DNS page, opened by its navigation button with the profile held.
  TPageDnsStd& OpenDnsPage() {
    HoldProfile();
    Click(main->btnDns);
    auto* dns = Page<TPageDnsStd>(L"PageDnsStd");
    EXPECT_NE(dns, nullptr);
    return *dns;
  }

  std::vector<TPicBtn*> Column() const {
    return {&main->btnUser, &main->btnDns, &main->btnRRs, &main->btnHierarchy, &main->btnInfo, &main->btnOptions};
  }
};

TEST_F(MainWindowKeysTest, TabRunsDownTheColumnThenThroughThePageThenAlongTheButtonRow) {
  HoldProfile();
  Edit();  // Apply enabled, so that Tab reaches it
  main->btnUser.SetFocus();
  std::vector<HWND> visited{GetFocus()};
  for (int i = 0; i < 40 && (visited.size() == 1 || visited.back() != main->btnUser.Handle()); ++i) {
    Press(VK_TAB);
    visited.push_back(GetFocus());
  }
  ASSERT_EQ(visited.back(), main->btnUser.Handle()) << "Tab never came round";
  visited.pop_back();
  ASSERT_GE(visited.size(), 10u);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(visited[i], Column()[i]->Handle()) << i;
  const size_t end = visited.size();
  EXPECT_EQ(visited[end - 3], main->btnOK.Handle());
  EXPECT_EQ(visited[end - 2], main->btnCancel.Handle());
  EXPECT_EQ(visited[end - 1], main->btnApply.Handle());
  auto* page = dynamic_cast<TControl*>(CurrentPage.Get());
  ASSERT_NE(page, nullptr);
  for (size_t i = 6; i < end - 3; ++i) EXPECT_TRUE(IsChild(page->Handle(), visited[i])) << i;

  // Shift+Tab goes back the same way.
  main->btnUser.SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE shifted[256];
  std::copy(std::begin(keys), std::end(keys), shifted);
  shifted[VK_SHIFT] = 0x80;
  SetKeyboardState(shifted);
  Press(VK_TAB);
  SetKeyboardState(keys);
  EXPECT_TRUE(main->btnApply.Focused());
}

// As in a radio group: each arrow focuses the next button of the column in screen order
// and checks it, which opens its page; the focus stays in the column although the pages
// put it on their first field when they open.
TEST_F(MainWindowKeysTest, ArrowsWalkTheColumnOpeningEachPageWhileTheFocusStaysInTheColumn) {
  HoldProfile();
  const wchar_t* const pages[] = {L"TPageUser", L"TPageDnsStd", L"TPageRRsStd", L"TPageHierarchyStd", L"TPageInfo",
                                  L"TPageOptions"};
  main->btnUser.SetFocus();
  for (size_t i = 1; i <= 6; ++i) {
    Press(i % 2 ? VK_DOWN : VK_RIGHT);
    const size_t at = i % 6;  // round the end to the top
    EXPECT_TRUE(Column()[at]->Focused()) << i;
    EXPECT_TRUE(Column()[at]->Checked()) << i;
    EXPECT_EQ(CurrentClass(), pages[at]) << i;
  }
  Press(VK_UP);
  EXPECT_TRUE(main->btnOptions.Focused());
  EXPECT_EQ(CurrentClass(), L"TPageOptions");
  Press(VK_LEFT);
  EXPECT_TRUE(main->btnInfo.Focused());

  // Space and Enter press a button of the column as a click does: the page opens and
  // puts the focus where it puts it for a click.
  main->btnDns.SetFocus();
  Press(VK_SPACE);
  EXPECT_TRUE(main->btnDns.Checked());
  EXPECT_EQ(CurrentClass(), L"TPageDnsStd");
  auto* dns = Page<TPageDnsStd>(L"PageDnsStd");
  EXPECT_TRUE(FocusIn(*dns));
  main->btnUser.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(CurrentClass(), L"TPageUser");
  EXPECT_TRUE(errors.empty());
}

// Enter on a section's page sends the edits as Apply does and the window stays; nowhere
// does a key close the window or drop unsent edits.
TEST_F(MainWindowKeysTest, EnterOnASectionPageAppliesAndEscapeNeverDropsTheEdits) {
  TPageDnsStd* dns = &OpenDnsPage();
  Key(dns->edtYourName, VK_RETURN);  // nothing to send: nothing happens
  EXPECT_TRUE(agent.putUserProfiles.empty());

  UserProfile.SetUserName(L"键盘");
  Edit();
  Key(dns->edtYourName, VK_ESCAPE);
  EXPECT_NE(main->Handle(), nullptr);
  EXPECT_TRUE(UserProfile.Modified());
  Key(dns->edtYourName, VK_RETURN);
  ASSERT_EQ(agent.putUserProfiles.size(), 1u);
  EXPECT_NE(agent.putUserProfiles[0].find(L"键盘"), std::wstring::npos);
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_NE(main->Handle(), nullptr);  // Apply, not OK
  EXPECT_TRUE(dns->edtYourName.Focused());

  // On a page inside a section Enter belongs to that page: the record editor's OK is
  // not enabled before a change, and Apply is not pressed in its place.
  agent.serviceType = 3;
  Click(main->btnRRs);
  Edit();
  auto* records = Page<TPageRRsPro>(L"PageRRsPro");
  ASSERT_NE(records, nullptr);
  Click(records->sbNewHost);
  auto* editor = Page<TPageRRA>(L"PageRRA");
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(IsCurrent(*editor));
  Key(editor->edtName, VK_RETURN);
  EXPECT_TRUE(IsCurrent(*editor));
  EXPECT_EQ(agent.putUserProfiles.size(), 1u);
  EXPECT_TRUE(errors.empty());
}

// Leaving an editor or a dialog, by its OK, its Cancel or Escape, puts the focus back on
// the control of the section's page the user opened it from; never on the hidden page,
// where Tab would go on among its controls. Opened again, the editor starts where its
// refresh puts the focus, not where it was left.
TEST_F(MainWindowKeysTest, LeavingAnEditorOrADialogReturnsTheFocusToWhereTheUserOpenedIt) {
  agent.serviceType = 3;
  HoldProfile();
  Click(main->btnRRs);
  auto* records = Page<TPageRRsPro>(L"PageRRsPro");
  ASSERT_NE(records, nullptr);
  records->GridRRs.SetFocus();
  Click(records->sbNewHost);  // a tool button takes no focus
  auto* editor = Page<TPageRRA>(L"PageRRA");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->edtName.Focused());
  Key(editor->btnCancel, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(*records));
  EXPECT_TRUE(records->GridRRs.Focused());
  Press(VK_TAB);
  EXPECT_FALSE(FocusIn(*editor));
  EXPECT_TRUE(CanTakeFocus(GetFocus()));

  records->GridRRs.SetFocus();
  Click(records->sbNewHost);
  EXPECT_TRUE(editor->edtName.Focused());
  Type(editor->edtName, L"www");
  Key(editor->edtName, VK_RETURN);  // the editor's OK
  EXPECT_TRUE(IsCurrent(*records));
  EXPECT_TRUE(records->GridRRs.Focused());

  Click(main->btnHierarchy);
  auto* hierarchy = Page<TPageHierarchyPro>(L"PageHierarchyPro");
  ASSERT_NE(hierarchy, nullptr);
  Key(hierarchy->btnChildAdd, VK_RETURN);
  auto* child = Page<TPageChild>(L"PageChild");
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(IsCurrent(*child));
  EXPECT_TRUE(FocusIn(*child));
  Key(child->edtNode, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(*hierarchy));
  EXPECT_TRUE(hierarchy->btnChildAdd.Focused());
  EXPECT_TRUE(errors.empty());
}

// Apply, pressed with the mouse or the keyboard, is disabled once its edits are sent;
// the focus it had goes back to where the user came from, or into the page, so that the
// keys still reach a control.
TEST_F(MainWindowKeysTest, AfterApplyTheFocusGoesBackToWhereTheUserCameFrom) {
  TPageDnsStd* dns = &OpenDnsPage();
  Edit();
  dns->cmbTTL.SetFocus();
  main->btnApply.SetFocus();  // what the click's press does
  Click(main->btnApply);
  ASSERT_EQ(agent.putUserProfiles.size(), 1u);
  Tick();
  EXPECT_FALSE(main->btnApply.Enabled());
  EXPECT_TRUE(dns->cmbTTL.Focused() || FocusIn(dns->cmbTTL));

  Edit();
  main->btnCancel.SetFocus();
  Press(VK_TAB);
  ASSERT_TRUE(main->btnApply.Focused());
  Press(VK_SPACE);
  ASSERT_EQ(agent.putUserProfiles.size(), 2u);
  Tick();
  EXPECT_TRUE(FocusIn(*dns));
  EXPECT_TRUE(CanTakeFocus(GetFocus()));
  EXPECT_NE(main->Handle(), nullptr);
}

}  // namespace
