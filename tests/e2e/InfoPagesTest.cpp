// The information page in the real program against the real agent: on the demo
// account a connection type and two services chosen (answering the question both
// ways), a news item added and a sub-category picked, then Apply. The agent stores
// exactly those values, and every other part of the profile as it was.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/AccountPagesFixture.h"
#include "tests/support/TestXml.h"

namespace {

using namespace e2e;

// The profile without the fields `changed` and the agent's marks (Modified, Revision),
// white space between tags dropped: what must not differ.
std::wstring Untouched(const std::wstring& profile, std::initializer_list<const wchar_t*> changed) {
  std::wstring text = std::regex_replace(vt::test::CompactXml(profile), std::wregex(L" (Modified|Revision)=\"[^\"]*\""), L"");
  for (const std::wstring name : changed) {
    const size_t from = text.find(L"<" + name + L">"), to = text.find(L"</" + name + L">");
    if (from != std::wstring::npos && to != std::wstring::npos) text.erase(from, to + name.size() + 3 - from);
  }
  return text.substr(0, text.find_last_not_of(L"\r\n") + 1);
}

class InfoPagesTest : public AccountPagesTest {
 protected:
  HWND ShownPage(const wchar_t* className) {
    HWND page = nullptr;
    WaitFor([&] {
      page = FindChild(main, className, L"");
      return page && IsWindowVisible(page);
    });
    return page;
  }
  // A click on an entry of a list of the program; the entries are of one height.
  static void ClickEntry(HWND list, int index) {
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(20, index * height + height / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
  // Answers the program's question box and returns its text; empty when none came.
  std::wstring Answer(int answer) {
    HWND box = nullptr;
    WaitFor([&] { return (box = program->TopWindow(L"#32770")) && IsWindowVisible(box); });
    if (!box) return L"";
    const std::wstring text = StaticTexts(box);
    PostMessageW(box, WM_COMMAND, answer, 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }
  // The tab bar's tabs, at their middles in the bar (the font's widths).
  void ClickTab(HWND info, int tab) {
    HWND bar = ChildWindowFromPointEx(info, POINT{30, 290}, CWP_SKIPINVISIBLE);
    const int middles[] = {28, 104, 181};
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middles[tab], 8));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(middles[tab], 8));
  }
};

TEST_F(InfoPagesTest, ConnectionServicesNewsAndACategoryReachTheAgentAndNothingElseChanges) {
  const std::wstring before = StoredUserProfile(kDemoProId);
  Click(Child(main, L"TPicBtn", L"站点信息"));
  HWND info = ShownPage(L"TPageInfo");
  HWND generic = ShownPage(L"TPageGenericInfo");
  ASSERT_TRUE(info && generic);

  HWND connection = Child(generic, L"ComboBox", L"DSL");
  ASSERT_NE(connection, nullptr);
  PressKey(connection, VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return WindowText(connection) == L"CABLE"; }));

  HWND services = Child(generic, L"ListBox", L"");
  ClickEntry(services, 3);  // POP3 alone: "Yes" drops WWW, FTP and SMTP
  EXPECT_TRUE(Contains(Answer(IDYES), L"真的要这样吗？"));
  ClickEntry(services, 8);  // GAME besides: "No" keeps POP3
  EXPECT_FALSE(Answer(IDNO).empty());

  ClickTab(info, 2);
  HWND news = ShownPage(L"TPageNewsKeys");
  ASSERT_NE(news, nullptr);
  HWND text = Child(news, L"Edit", L"相册更新：春天的照片。");
  ASSERT_NE(text, nullptr);
  ASSERT_TRUE(TypeText(text, L"网站改版。"));
  Click(Child(news, L"Button", L"增加"));

  ClickTab(info, 1);
  HWND categories = ShownPage(L"TPageCategory");
  ASSERT_NE(categories, nullptr);
  ClickEntry(Child(categories, L"ListBox", L""), 10);  // 动漫, below 娱乐休闲
  EXPECT_FALSE(Answer(IDYES).empty());

  HWND apply = Child(main, L"TPicBtn", L"应用");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
  Click(apply);
  ASSERT_TRUE(StoredHolds(L"<Category>204</Category>"));
  const std::wstring after = vt::test::CompactXml(StoredUserProfile(kDemoProId));
  EXPECT_TRUE(Contains(after, L"<ConnectionType>6</ConnectionType>")) << Narrow(after);
  EXPECT_TRUE(Contains(after, L"<Services><Service>3</Service><Service>8</Service></Services>"));
  EXPECT_TRUE(Contains(after, L"<News>相册更新：春天的照片。</News><News>网站改版。</News></SiteNews>"));
  EXPECT_TRUE(Contains(after, L"<Categories><Category>200</Category><Category>204</Category></Categories>"));
  const std::initializer_list<const wchar_t*> changed = {L"ConnectionType", L"Services", L"SiteNews",
                                                         L"Categories"};
  const std::wstring untouched = Untouched(before, changed);
  EXPECT_TRUE(Contains(untouched, L"<ChargeLogs><ChargeLog><Sum>")) << Narrow(untouched);
  EXPECT_EQ(Untouched(after, changed), untouched);
}

}  // namespace
