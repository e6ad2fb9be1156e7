// The hierarchy pages in the real program against the real agent, on the professional
// demo account: an unknown domain keeps the parent dialog open with the popup's
// "该域不存在"; a parent found by part of its name (one search for the burst of
// typing, by the agent's own count) and chosen from the list is stored, after Apply,
// with the agent's sequence number and Token 0; a child added and another child's
// external domain changed through the match list are stored waiting (Token 1).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/AccountPagesFixture.h"
#include "tests/support/TestXml.h"

namespace {

using namespace e2e;

class HierarchyPagesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start());
    Click(Child(main, L"TPicBtn", L"域名层次"));
    page = ShownPage(L"TPageHierarchyPro");
    ASSERT_NE(page, nullptr);
  }
  HWND Group(const wchar_t* caption) { return FindChild(page, L"Button", caption); }
  // Opens a dialog through a button of a group of the page.
  HWND OpenDialog(const wchar_t* group, const wchar_t* button, const wchar_t* dialogClass) {
    Click(FindChild(Group(group), L"Button", button));
    return ShownPage(dialogClass);
  }
  static HWND List(HWND dialog) { return FindChild(dialog, L"ListBox", L""); }
  // Waits for the agent's answer to a search to fill the dialog's list.
  static bool MatchesShown(HWND dialog) {
    return WaitFor([&] { return SendMessageW(List(dialog), LB_GETCOUNT, 0, 0) > 0; });
  }
  HWND page = nullptr;
};

TEST_F(HierarchyPagesTest, AParentChosenFromTheMatchesIsStoredWithTheAgentsSequence) {
  HWND dialog = OpenDialog(L" 父  域 ", L"增  加...", L"TPageParent");
  ASSERT_NE(dialog, nullptr);
  HWND edit = Edits(dialog).at(0);
  ASSERT_TRUE(TypeText(edit, L"no-such-name.veltrano.net"));
  Click(FindChild(dialog, L"Button", L"确  定"));
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"该域不存在"); }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(AgentCallCount("GetDomainSequence"), 1);

  ASSERT_TRUE(WaitFor([] { return AgentCallCount("FindDomains") == 1; }));  // the search for what was typed
  ResetAgentCallCounts();
  ASSERT_TRUE(TypeText(edit, L"chess"));  // five characters in one burst
  ASSERT_TRUE(MatchesShown(dialog));
  Sleep(800);
  EXPECT_EQ(AgentCallCount("FindDomains"), 1);
  HWND list = List(dialog);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  ASSERT_TRUE(WaitFor([&] { return WindowText(edit) == L"chess-club.veltrano.net"; }));
  Sleep(800);
  EXPECT_EQ(AgentCallCount("FindDomains"), 1) << "a chosen match starts no search";
  PressKey(edit, VK_RETURN);
  ASSERT_EQ(ShownPage(L"TPageHierarchyPro"), page);
  Apply();
  const TXMLParentsType parents = StoredProfile().Parents();
  ASSERT_GE(parents.Count(), 1);
  const TXMLParentType added = parents.Item(parents.Count() - 1);
  EXPECT_EQ(added.Domain(), L"chess-club.veltrano.net");
  EXPECT_EQ(added.Sequence(), 2029);
  EXPECT_EQ(added.Token(), 0);
  EXPECT_FALSE(Contains(Stored(), L"no-such-name"));
}

TEST_F(HierarchyPagesTest, AChildIsAddedAndAnotherChildsExternalDomainChanged) {
  HWND dialog = OpenDialog(L" 子域授权 ", L"增  加...", L"TPageChild");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeText(Edits(dialog).at(0), L"nas"));
  ASSERT_TRUE(TypeText(Edits(dialog).at(1), L"home-server.vt-home.net"));
  Click(FindChild(dialog, L"Button", L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageHierarchyPro"), page);

  // The first child, "shop", by a click in its row, then its properties.
  HWND grid = FindChild(Group(L" 子域授权 "), L"TDrawGrid", L"");
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 16 + 8));
  PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(30, 16 + 8));
  Sleep(300);
  dialog = OpenDialog(L" 子域授权 ", L"属  性...", L"TPageChild");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitFor([&] { return WindowText(Edits(dialog).at(0)) == L"shop"; }));
  EXPECT_FALSE(IsWindowEnabled(Edits(dialog).at(0)));
  HWND domain = Edits(dialog).at(1);
  ASSERT_TRUE(TypeText(domain, L"photo-"));
  ASSERT_TRUE(MatchesShown(dialog));
  HWND list = List(dialog);  // photo-club, photo-studio: the first clicked, then the next by key
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  ASSERT_TRUE(WaitFor([&] { return WindowText(domain) == L"photo-club.veltrano.org"; }));
  PressKey(list, VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return WindowText(domain) == L"photo-studio.veltrano.net"; }));
  Click(FindChild(dialog, L"Button", L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageHierarchyPro"), page);
  Apply();
  const TXMLChildrenType children = StoredProfile().Children();
  ASSERT_GE(children.Count(), 2);
  const auto expect = [](const TXMLChildType& child, const wchar_t* name, const wchar_t* domain, int sequence) {
    EXPECT_EQ(child.Name(), name);
    EXPECT_EQ(child.Domain(), domain);
    EXPECT_EQ(child.Sequence(), sequence);
    EXPECT_EQ(child.Token(), 1);
  };
  expect(children.Item(0), L"shop", L"photo-studio.veltrano.net", 2020);
  expect(children.Item(children.Count() - 1), L"nas", L"home-server.vt-home.net", 2017);
  EXPECT_FALSE(Contains(Stored(), L"shop-partner.veltrano.net"));
}

}  // namespace
