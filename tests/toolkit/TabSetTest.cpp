// The tab set: tabs from strings, a click asks OnChange (which may refuse) before the
// tab is selected, code stays silent, and the selected tab is drawn open towards the
// area above it.
#include <gtest/gtest.h>

#include "toolkit/TabSet.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

struct TTabs {
  TLog log;
  TRecordingForm form;
  TTabSet tabs{form, {.name = L"tabInfo", .left = 20, .top = 100, .width = 253, .height = 21},
               {.startMargin = 0, .ditherBackground = false}};
  bool allow = true;

  TTabs() {
    tabs.SetTabs({L" 基本信息 ", L" 站点分类 ", L" 新闻及关键字 "});
    tabs.SetTabIndex(0);
    tabs.OnChange = [this](TTabSet& sender, int newTab, bool& allowChange) {
      log.push_back("OnChange " + std::to_string(sender.TabIndex()) + " to " + std::to_string(newTab));
      allowChange = allow;
    };
    tabs.OnClick = [this](TControl&) { log.push_back("OnClick " + std::to_string(tabs.TabIndex())); };
  }
  void ClickTab(int index) {
    const RECT r = tabs.TabRect(index);
    Click(tabs.Handle(), (r.left + r.right) / 2, 8);
  }
};

}  // namespace

TEST(TabSet, AClickAsksOnChangeBeforeTheTabIsSelected) {
  TTabs t;
  t.ClickTab(2);
  t.ClickTab(2);  // the selected tab: nothing
  EXPECT_EQ(t.log, (TLog{"OnChange 0 to 2", "OnClick 2"}));
  EXPECT_EQ(t.tabs.TabIndex(), 2);
  t.log.clear();
  t.allow = false;
  t.ClickTab(1);
  EXPECT_EQ(t.log, (TLog{"OnChange 2 to 1"}));
  EXPECT_EQ(t.tabs.TabIndex(), 2);  // refused
  t.log.clear();
  Click(t.tabs.Handle(), 250, 8);   // beyond the last tab
  t.tabs.SetTabIndex(0);            // code: silent
  EXPECT_TRUE(t.log.empty());
  EXPECT_THROW(t.tabs.SetTabIndex(3), EError);
  t.tabs.SetTabs({L"one"});         // the selected tab still exists
  EXPECT_EQ(t.tabs.TabIndex(), 0);
  t.tabs.SetTabs({});
  EXPECT_EQ(t.tabs.TabIndex(), -1);
}

TEST(TabSet, NeighboursShareTheirSlantedSidesAndEachOwnsHalf) {
  TTabs t;
  const RECT first = t.tabs.TabRect(0), second = t.tabs.TabRect(1);
  EXPECT_EQ(first.left, 0);  // no start margin
  EXPECT_LT(second.left, first.right);
  const int middle = (second.left + first.right) / 2;
  EXPECT_EQ(t.tabs.TabAtPos({middle - 2, 8}), 0);
  EXPECT_EQ(t.tabs.TabAtPos({middle + 1, 8}), 1);
  EXPECT_EQ(t.tabs.TabAtPos({-1, 8}), -1);
  t.tabs.SetTabs({L"a very long first tab that runs past the right edge of the bar"});
  EXPECT_EQ(t.tabs.TabAtPos({t.tabs.ClientWidth() - 6, 8}), 0);
  EXPECT_EQ(t.tabs.TabAtPos({t.tabs.ClientWidth() - 5, 8}), -1);  // the end margin
  const RECT none = t.tabs.TabRect(7);
  EXPECT_TRUE(IsRectEmpty(&none));
}

TEST(TabSet, TheSelectedTabIsOpenAtTheTopAndTheOthersAreClosed) {
  TTabs t;
  t.tabs.SetSelectedColor(RGB(0, 128, 0));
  t.tabs.SetUnselectedColor(RGB(0, 0, 255));
  const RECT selected = t.tabs.TabRect(0), other = t.tabs.TabRect(2);
  const TPixels p(t.tabs.Handle());
  const int x = (selected.left + selected.right) / 2, y = (other.left + other.right) / 2;
  EXPECT_EQ(p.At(x, 0), 0x008000u);   // no edge above the selected tab
  EXPECT_EQ(p.At(x, 2), 0x008000u);
  EXPECT_NE(p.At(y, 0), 0x0000FFu);   // the area's bottom edge runs above the others
  EXPECT_EQ(p.At(y, 2), 0x0000FFu);
  EXPECT_EQ(p.At(t.tabs.ClientWidth() - 2, 10), Rgb(t.tabs.Color()));  // the free space
}
