// The hierarchy pages and their dialogs inside a real main window over the fake agent:
// the grids' rows and status icons (a Token without one shows nothing, on screen
// too), deleting without a question, the snapshot view; the dialogs' delayed search
// (one call for a burst of typing, none for an empty edit, one report when the agent
// fails), the match list, OK with a known and an unknown domain, Escape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "agent/UnitDef.h"
#include "pages/frameChild.h"
#include "pages/frameHierarchyPro.h"
#include "pages/frameHierarchyStd.h"
#include "pages/frameParent.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/toolkit/ToolkitTestUtil.h"
#include "toolkit/Cursor.h"

namespace {

using toolkit_test::PumpFor;
using toolkit_test::PumpUntil;
using toolkit_test::TPixels;

std::wstring Parent(const std::wstring& domain, int token) {
  return L"<Parent Domain=\"" + domain + L"\"><Sequence>7</Sequence><Token>" + std::to_wstring(token) +
         L"</Token></Parent>";
}
std::wstring Child(const std::wstring& name, const std::wstring& domain, int token) {
  return L"<Child Domain=\"" + domain + L"\"><Name>" + name + L"</Name><Sequence>9</Sequence><Token>" +
         std::to_wstring(token) + L"</Token></Child>";
}
std::wstring Profile(const std::wstring& parents, const std::wstring& children) {
  return L"<UserInfo Modified=\"False\"><Domain>home.example</Domain><Parents>" + parents +
         L"</Parents><Children>" + children + L"</Children></UserInfo>";
}
// Parents in the states active, unknown (4), waiting, expired (2 and 3); children
// active, unknown and waiting.
std::wstring StatesProfile() {
  return Profile(Parent(L"a.example", 0) + Parent(L"four.example", 4) + Parent(L"b.example", 1) +
                     Parent(L"c.example", 2) + Parent(L"d.example", 3),
                 Child(L"shop", L"x.example", 0) + Child(L"odd", L"y.example", 4) + Child(L"blog", L"z.example", 1));
}

class HierarchyTest : public MainWindowFixture {
 protected:
  void Open(const std::wstring& profile, long serviceType) {
    agent.userProfileXml = profile;
    agent.serviceType = serviceType;
    agent.foundDomains = {L"club.example", L"clubhouse.example", L"golf-club.example"};
    agent.sequences = {{L"club.example", 77}, {L"clubhouse.example", 78}};
    HoldProfile();
    main->btnHierarchy.Click();
  }
  TPageHierarchyStd& Std() { return *Page<TPageHierarchyStd>(L"PageHierarchyStd"); }
  TPageHierarchyPro& Pro() { return *Page<TPageHierarchyPro>(L"PageHierarchyPro"); }
  TPageParent& ParentDialog() { return *Page<TPageParent>(L"PageParent"); }
  TPageChild& ChildDialog() { return *Page<TPageChild>(L"PageChild"); }
  static bool IsCurrent(TControl& page) {
    return page.Visible() && CurrentPage.Get() == dynamic_cast<IPageWrapper*>(&page);
  }
  static void SelectRow(TDrawGrid& grid, int row) {
    const RECT cell = grid.CellRect(0, row);
    Click(grid, cell.left + 20, cell.top + 4);
    ASSERT_EQ(grid.Row(), row);
  }
  // The user's choice of a match, as a click on the entry notifies it.
  static void Choose(TListBox& list, int index) {
    SendMessageW(list.Handle(), LB_SETCURSEL, index, 0);
    SendMessageW(GetParent(list.Handle()), WM_COMMAND, MAKEWPARAM(list.Id(), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle()));
  }
  int Searches() const { return agent.CallCount(L"FindDomains"); }
};

// Row by row down to the only parent, whose deletion leaves one empty row on which
// delete does nothing.
TEST_F(HierarchyTest, TheStandardPageShowsEachStateAndDeletesWithoutAQuestion) {
  Open(StatesProfile(), 1);
  TPageHierarchyStd& page = Std();
  ASSERT_TRUE(IsCurrent(page));
  TDrawGrid& grid = page.GridParents;
  EXPECT_EQ(grid.RowCount(), 6);
  const TPicture* expected[] = {&page.ImageActive.Picture(), nullptr, &page.ImagePending.Picture(),
                                &page.ImageExpired.Picture(), &page.ImageExpired.Picture()};
  for (int row = 1; row <= 5; ++row) EXPECT_EQ(page.ParentCell(0, row).icon, expected[row - 1]) << row;
  EXPECT_EQ(page.ParentCell(0, 1).text, L"a.example");
  EXPECT_EQ(page.ParentCell(0, 2).text, L"") << "no icon, no name";

  // On screen: the active icon in row 1; the unknown state's row stays blank whatever
  // its name.
  const TPixels before(grid.Handle());
  const RECT first = grid.CellRect(0, 1), unknown = grid.CellRect(0, 2);
  EXPECT_EQ(before.At(first.left + 2 + 8, first.top + 3), toolkit_test::Rgb(RGB(40, 150, 60)));
  UserProfile.Parents().Item(1).SetDomain(L"wwwwwwwwwwwwwwww.example");
  const TPixels after(grid.Handle());
  for (int y = unknown.top; y < unknown.bottom; ++y)
    for (int x = unknown.left; x < unknown.right; ++x) ASSERT_EQ(after.At(x, y), before.At(x, y)) << x << "," << y;

  SelectRow(grid, 2);
  Press(page.btnParentDel);
  TXMLParentsType parents = UserProfile.Parents();
  ASSERT_EQ(parents.Count(), 4);
  EXPECT_EQ(parents.Item(1).Domain(), L"b.example");
  EXPECT_TRUE(UserProfile.Modified());
  for (int left = 3; left >= 0; --left) {
    SelectRow(grid, 1);
    Press(page.btnParentDel);
    ASSERT_EQ(parents.Count(), left);
  }
  EXPECT_EQ(grid.RowCount(), 2);
  UserProfile.SetModified(false);
  Press(page.btnParentDel);
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(UserProfile.Children().Count(), 3) << "the standard page never touches children";
}

TEST_F(HierarchyTest, TheProfessionalPageListsChildrenAndItsSnapshotIsForViewing) {
  Open(StatesProfile(), 3);
  TPageHierarchyPro& pro = Pro();
  ASSERT_TRUE(IsCurrent(pro));
  EXPECT_TRUE(pro.GetEnabled());
  EXPECT_FALSE(pro.btnBack.Visible());
  EXPECT_EQ(pro.GridChildren.RowCount(), 4);
  EXPECT_EQ(pro.ChildCell(0, 1).icon, &pro.ImageActive.Picture());
  EXPECT_EQ(pro.ChildCell(0, 1).text, L"shop");
  EXPECT_EQ(pro.ChildCell(0, 2).text, L"") << "Token 4: no icon, no name";
  EXPECT_EQ(pro.ChildCell(1, 2).text, L"y.example") << "but its external domain";
  EXPECT_EQ(pro.ChildCell(0, 3).icon, &pro.ImagePending.Picture());
  SelectRow(pro.GridChildren, 2);
  Press(pro.btnChildDel);
  ASSERT_EQ(UserProfile.Children().Count(), 2);
  EXPECT_EQ(UserProfile.Children().Item(1).Name(), L"blog");

  agent.serviceType = 1;
  main->btnUser.Click();
  main->btnHierarchy.Click();
  Std().btnSnapShot.Click();
  ASSERT_TRUE(IsCurrent(pro));
  EXPECT_TRUE(pro.GetSnapshot());
  EXPECT_FALSE(pro.GetEnabled());
  EXPECT_TRUE(pro.btnBack.Visible());
  EXPECT_FALSE(pro.GroupParents.Enabled());
  EXPECT_FALSE(pro.btnChildAdd.Enabled());
  // Back lies over the children's group, and on top of it.
  EXPECT_EQ(ChildWindowFromPointEx(pro.Handle(), POINT{330, 280}, CWP_SKIPINVISIBLE), pro.btnBack.Handle());
  Key(pro.btnBack, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(Std()));
}

// Three quick keys: one search, half a second after the last. A match chosen by click
// or arrow key fills the edit without a new search. An emptied edit clears the list
// without asking the agent; unchecked, the list stays as it was.
TEST_F(HierarchyTest, TheParentDialogSearchesOnceAfterTypingAndAMatchFillsTheEdit) {
  Open(StatesProfile(), 3);
  Pro().btnParentAdd.Click();
  TPageParent& dialog = ParentDialog();
  EXPECT_EQ(GetFocus(), dialog.edtDomain.Handle());
  EXPECT_FALSE(dialog.btnOK.Enabled());
  for (wchar_t c : std::wstring(L"clu")) {
    Type(dialog.edtDomain, std::wstring(1, c));
    PumpFor(150);
  }
  EXPECT_TRUE(dialog.btnOK.Enabled());
  PumpFor(250);
  EXPECT_EQ(Searches(), 0) << "still within half a second of the last key";
  ASSERT_TRUE(PumpUntil([&] { return Searches() == 1; }, 1000));
  EXPECT_EQ(agent.arguments.back(), L"clu");
  EXPECT_EQ(dialog.lstDomains.Items(), agent.foundDomains);

  Choose(dialog.lstDomains, 1);
  EXPECT_EQ(dialog.edtDomain.Text(), L"clubhouse.example");
  Key(dialog.lstDomains, VK_DOWN);
  EXPECT_EQ(dialog.edtDomain.Text(), L"golf-club.example");
  PumpFor(700);
  EXPECT_EQ(Searches(), 1);
  EXPECT_EQ(dialog.lstDomains.Count(), 3);

  Retype(dialog.edtDomain, L"");
  EXPECT_FALSE(dialog.btnOK.Enabled());
  ASSERT_TRUE(PumpUntil([&] { return dialog.lstDomains.Count() == 0; }, 1000));
  EXPECT_EQ(Searches(), 1);

  Type(dialog.edtDomain, L"g");
  ASSERT_TRUE(PumpUntil([&] { return Searches() == 2; }, 1000));
  Click(dialog.chkListMatched);
  ASSERT_FALSE(dialog.chkListMatched.Checked());
  agent.foundDomains = {L"other.example"};
  Type(dialog.edtDomain, L"o");
  PumpFor(700);
  EXPECT_EQ(Searches(), 2);
  EXPECT_EQ(dialog.lstDomains.Count(), 3);
  Click(dialog.chkListMatched);  // the box keeps its state for the next show
}

TEST_F(HierarchyTest, AFailingSearchIsReportedOnceAndTheCursorComesBack) {
  Open(StatesProfile(), 3);
  Pro().btnParentAdd.Click();
  TPageParent& dialog = ParentDialog();
  agent.FailOn(L"FindDomains", L"代理已停止");
  Type(dialog.edtDomain, L"cl");
  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }, 1000));
  PumpFor(1200);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].find(L"代理已停止"), 0u);
  EXPECT_EQ(Searches(), 1);
  EXPECT_EQ(Screen().Cursor(), nullptr);
  EXPECT_TRUE(IsCurrent(dialog));
}

// A new child is written waiting (Token 1); an existing one keeps its node name (the
// edit disabled) and takes the chosen domain's number and Token 1. Parents go the same
// way through the other dialog (the end-to-end test adds one).
TEST_F(HierarchyTest, TheChildDialogAddsAChildAndChangesAnExistingOnesDomain) {
  Open(StatesProfile(), 3);
  Pro().btnChildAdd.Click();
  TPageChild& dialog = ChildDialog();
  ASSERT_TRUE(IsCurrent(dialog));
  EXPECT_EQ(dialog.GroupChild.Caption(), L"新的子域");
  EXPECT_TRUE(dialog.edtNode.Enabled());
  EXPECT_EQ(GetFocus(), dialog.edtNode.Handle());
  EXPECT_FALSE(dialog.btnOK.Enabled());
  Type(dialog.edtNode, L"www");
  EXPECT_TRUE(dialog.btnOK.Enabled());
  Type(dialog.edtDomain, L"clubhouse.example");
  Retype(dialog.edtDomain, L"");
  EXPECT_TRUE(dialog.btnOK.Enabled()) << "an empty domain leaves OK enabled here";
  Type(dialog.edtDomain, L"clubhouse.example");
  Press(dialog.btnOK);
  ASSERT_TRUE(IsCurrent(Pro()));
  TXMLChildrenType children = UserProfile.Children();
  ASSERT_EQ(children.Count(), 4);
  EXPECT_EQ(children.Item(3).Name(), L"www");
  EXPECT_EQ(children.Item(3).Sequence(), 78);
  EXPECT_EQ(Pro().ChildCell(0, 4).icon, &Pro().ImagePending.Picture());

  SelectRow(Pro().GridChildren, 1);
  Pro().btnChildProp.Click();
  ASSERT_TRUE(IsCurrent(dialog));
  EXPECT_EQ(dialog.GroupChild.Caption(), L"子域属性");
  EXPECT_EQ(dialog.edtNode.Text(), L"shop");
  EXPECT_FALSE(dialog.edtNode.Enabled());
  EXPECT_EQ(dialog.edtDomain.Text(), L"x.example");
  EXPECT_EQ(GetFocus(), dialog.edtDomain.Handle());
  EXPECT_FALSE(dialog.btnOK.Enabled());
  Retype(dialog.edtDomain, L"clu");
  ASSERT_TRUE(PumpUntil([&] { return dialog.lstDomains.Count() == 3; }, 1000));
  Choose(dialog.lstDomains, 0);
  Press(dialog.btnOK);
  ASSERT_TRUE(IsCurrent(Pro()));
  ASSERT_EQ(children.Count(), 4);
  EXPECT_EQ(children.Item(0).Name(), L"shop");
  EXPECT_EQ(children.Item(0).Domain(), L"club.example");
  EXPECT_EQ(children.Item(0).Sequence(), 77);
  EXPECT_EQ(children.Item(0).Token(), 1);

  // An unknown domain keeps the dialog; Escape leaves it and writes nothing.
  Pro().btnChildProp.Click();
  Retype(dialog.edtDomain, L"nowhere.example");
  Press(dialog.btnOK);
  EXPECT_EQ(messages, std::vector<std::wstring>{L"该域不存在"});
  EXPECT_TRUE(IsCurrent(dialog));
  Key(dialog.edtDomain, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(children.Item(0).Domain(), L"club.example");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
