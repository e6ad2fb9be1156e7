// The information page inside a real main window over the fake agent: its tabs and
// their secondary pages (mouse and keyboard), the basic information with the service
// list's question and keys, the category tree with its question, keys and parent and
// child rules, and the keywords and news. Questions are answered through the real box.
#include <gtest/gtest.h>

#include <cmath>

#include "agent/UnitDef.h"
#include "pages/frameInfo.h"
#include "profile/XmlDom.h"
#include "shell/Common.h"
#include "tests/support/BoxAnswer.h"
#include "tests/support/HeldKeys.h"
#include "tests/support/MainWindowFixture.h"
#include "toolkit/Application.h"

namespace {

constexpr wchar_t kProfile[] =
    L"<UserInfo Modified=\"False\"><Domain>site.example</Domain>"
    L"<ChargeLogs><ChargeLog><Sum>98.5</Sum><CurrencyType>156</CurrencyType></ChargeLog></ChargeLogs>"
    L"<ConnectionType>4</ConnectionType><Description>line one\nline two</Description>"
    L"<HostUpdate>45000</HostUpdate><ICQ>123</ICQ><OICQ>10001</OICQ><IPN>8610</IPN>"
    L"<HostLanguage>2052</HostLanguage><Services><Service>0</Service><Service>2</Service></Services>"
    L"<SiteKeys><Key>a</Key><Key>b</Key></SiteKeys>"
    L"<SiteNews><News>first</News><News>second</News><News>third</News></SiteNews>"
    L"<Categories><Category>200</Category><Category>201</Category><Category>999</Category></Categories>"
    L"</UserInfo>";

// The list shows: 0 Computers, 1 Software, 2 Security, 3 Leisure, 4 Music, 5 Games, 6 News.
constexpr wchar_t kApplication[] =
    L"<Application><Categories>"
    L"<Category name=\"Computers\" value=\"100\"><Category name=\"Software\" value=\"101\"/>"
    L"<Category name=\"Security\" value=\"102\"/></Category>"
    L"<Category name=\"Leisure\" value=\"200\"><Category name=\"Music\" value=\"201\"/>"
    L"<Category name=\"Games\" value=\"202\"/></Category>"
    L"<Category name=\"News\" value=\"300\"/></Categories></Application>";

using TInts = std::vector<int>;

class InfoPageTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    agent.userProfileXml = kProfile;
    MainWindowFixture::SetUp();
    AppFile = TXMLApplicationType(LoadXmlText(kApplication, L"Application"));
    HoldProfile();
    main->btnInfo.SetChecked(true);
    page = Page<TPageInfo>(L"PageInfo");
    ASSERT_NE(page, nullptr);
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    AppFile = {};
  }

  void ClickTab(int tab) {
    const RECT r = page->tabInfo.TabRect(tab);
    Click(page->tabInfo, (r.left + r.right) / 2, 8);
  }
  // A click on the middle of an entry, with Ctrl held (as the key and in the message)
  // or not, any question answered with `answer`; the number of questions asked.
  static size_t ClickEntry(TListBox& list, int index, bool ctrl, int answer = IDYES) {
    TBoxAnswer boxes(answer);
    THeldKeys keys = ctrl ? THeldKeys{VK_CONTROL} : THeldKeys{};
    const WPARAM flags = ctrl ? MK_CONTROL : 0;
    const RECT r = list.ItemRect(index);
    const LPARAM at = MAKELPARAM(20, (r.top + r.bottom) / 2);
    SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | flags, at);
    SendMessageW(list.Handle(), WM_LBUTTONUP, flags, at);
    for (const TBoxAnswer::TBox& box : boxes.Boxes()) {
      EXPECT_EQ(box.text, GetResString(560));
      EXPECT_EQ(box.caption, Application().Title());
      EXPECT_TRUE(box.defaultIsNo);
    }
    return boxes.Boxes().size();
  }
  // Space in the list, with Ctrl held or not, any question answered with `answer`; the
  // number of questions asked.
  static size_t SpaceIn(TListBox& list, bool ctrl, int answer = IDYES) {
    TBoxAnswer boxes(answer);
    THeldKeys keys = ctrl ? THeldKeys{VK_CONTROL} : THeldKeys{};
    Key(list, VK_SPACE);
    return boxes.Boxes().size();
  }
  static TInts Selected(const TListBox& list) {
    TInts selected;
    for (int i = 0; i < list.Count(); ++i)
      if (list.Selected(i)) selected.push_back(i);
    return selected;
  }
  template <class TCollection>
  static auto Values(const TCollection& items) {
    std::vector<decltype(items.Item(0))> values;
    for (int i = 0; i < items.Count(); ++i) values.push_back(items.Item(i));
    return values;
  }
  void SetValues(TXMLIntegerCollection items, const TInts& values) {
    items.Clear();
    for (int v : values) items.Add(v);
    page->Refresh();
  }

  TPageInfo* page = nullptr;
};

TEST_F(InfoPageTest, TabsShowEachSecondaryPageOverTheFrameOnceByMouseAndKeyboard) {
  ASSERT_TRUE(page->PageGenericInfo);
  TPageGenericInfo* generic = page->PageGenericInfo.get();
  EXPECT_EQ(page->CurrentSheet(), static_cast<IPageWrapper*>(generic));
  const RECT bounds = generic->BoundsRect(), frame = page->beFrame.BoundsRect();
  EXPECT_TRUE(EqualRect(&bounds, &frame));
  EXPECT_EQ(generic->BGPanel1.Height(), 269);
  // In front of the page, which reaches two pixels into it.
  EXPECT_EQ(GetWindow(page->Handle(), GW_CHILD), page->tabInfo.Handle());

  ClickTab(2);
  ASSERT_TRUE(page->PageNewsKeys);
  EXPECT_TRUE(page->PageNewsKeys->Visible() && !generic->Visible());
  EXPECT_EQ(GetWindow(page->Handle(), GW_CHILD), page->tabInfo.Handle());
  ClickTab(0);
  EXPECT_EQ(page->PageGenericInfo.get(), generic);
  EXPECT_TRUE(generic->Visible());

  // Ctrl with Page Down and Tab, Shift for the way back, round at the ends.
  {
    THeldKeys ctrl{VK_CONTROL};
    Key(generic->edtQQ, VK_NEXT);
  }
  ASSERT_TRUE(page->PageCategory);
  EXPECT_EQ(page->CurrentSheet(), static_cast<IPageWrapper*>(page->PageCategory.get()));
  EXPECT_EQ(page->tabInfo.TabIndex(), 1);
  EXPECT_EQ(GetFocus(), page->PageCategory->lstCategory.Handle());
  {
    THeldKeys ctrlShift{VK_CONTROL, VK_SHIFT};
    Key(page->PageCategory->lstCategory, VK_TAB);
    Key(generic->cmbConType, VK_TAB);
  }
  EXPECT_EQ(page->tabInfo.TabIndex(), 2);
  EXPECT_TRUE(page->PageNewsKeys->Visible());
  EXPECT_FALSE(page->PageCategory->Visible());

  // Without a profile the page and its secondary page are disabled.
  UserProfile = {};
  CurrentPage->Refresh();
  EXPECT_FALSE(page->Enabled());
  EXPECT_FALSE(page->PageNewsKeys->Enabled());
  EXPECT_TRUE(errors.empty());
}

TEST_F(InfoPageTest, BasicInformationWritesAllSixFieldsAndKeepsWhatItCannotShow) {
  TPageGenericInfo& info = *page->PageGenericInfo;
  EXPECT_EQ(info.cmbConType.Text(), L"Broad Band");
  EXPECT_EQ(info.cmbCountry.SelectedLanguage(), 0x0804);
  EXPECT_EQ(Selected(info.lstServices), (TInts{0, 2}));
  EXPECT_EQ(info.edtQQ.Text(), L"10001");
  EXPECT_EQ(info.MemoDesc.Text(), L"line one\r\nline two");
  EXPECT_EQ(GetFocus(), info.cmbConType.Handle());
  EXPECT_FALSE(UserProfile.Modified());

  // One keystroke writes every field from the page, even one changed behind it.
  UserProfile.SetDescription(L"changed elsewhere");
  UserProfile.SetConnectionType(9);
  Type(info.edtQQ, L"2");
  EXPECT_EQ(UserProfile.OICQ(), L"210001");  // typed where the caret stood
  EXPECT_EQ(UserProfile.Description(), L"line one\r\nline two");
  EXPECT_EQ(UserProfile.ConnectionType(), 4);
  EXPECT_EQ(UserProfile.HostLanguage(), 2052);
  EXPECT_EQ(UserProfile.ICQ(), L"123");
  EXPECT_TRUE(UserProfile.Modified());
  Choose(info.cmbConType, 7);  // T1
  EXPECT_EQ(UserProfile.ConnectionType(), 7);

  // A connection type and a language the boxes do not offer show nothing and stay.
  UserProfile.SetConnectionType(12);
  UserProfile.SetHostLanguage(0x7C04);
  page->Refresh();
  EXPECT_EQ(info.cmbConType.ItemIndex(), -1);
  EXPECT_EQ(info.cmbCountry.ItemIndex(), -1);
  Type(info.edtIPN, L"9");
  EXPECT_EQ(UserProfile.ConnectionType(), 12);
  EXPECT_EQ(UserProfile.HostLanguage(), 0x7C04);
  EXPECT_EQ(UserProfile.IPN(), L"98610");
  EXPECT_EQ(UserProfile.ChargeLogs().Item(0).CurrencyType(), 156);
}

TEST_F(InfoPageTest, ServiceClicksAskBeforeDroppingTheStoredOnes) {
  TBGListBox& list = page->PageGenericInfo->lstServices;
  EXPECT_EQ(ClickEntry(list, 1, true), 0u);  // Ctrl: FTP added without a question
  EXPECT_EQ(Values(UserProfile.Services()), (TInts{0, 1, 2}));
  SetValues(UserProfile.Services(), {0, 2});
  EXPECT_EQ(ClickEntry(list, 8, false, IDYES), 1u);
  EXPECT_EQ(Values(UserProfile.Services()), TInts{8});
  SetValues(UserProfile.Services(), {0, 2});
  EXPECT_EQ(ClickEntry(list, 8, false, IDNO), 1u);
  EXPECT_EQ(Values(UserProfile.Services()), (TInts{0, 2, 8}));
  EXPECT_EQ(Selected(list), (TInts{0, 2, 8}));

  // Nothing stored: no question. A code the list does not have stays.
  SetValues(UserProfile.Services(), {});
  EXPECT_EQ(ClickEntry(list, 5, false), 0u);
  EXPECT_EQ(Values(UserProfile.Services()), TInts{5});
  SetValues(UserProfile.Services(), {15, 0});
  ClickEntry(list, 1, false, IDYES);
  EXPECT_EQ(Values(UserProfile.Services()), (TInts{1, 15}));
  EXPECT_TRUE(errors.empty());
}

// In the lists of several choices the keys move the caret without a question or a
// change; Space chooses the caret's entry as a click does, asking only when that drops
// chosen ones, and Ctrl+Space as a Ctrl+click does, the category tree following.
TEST_F(InfoPageTest, ListKeysMoveTheCaretAndSpaceChoosesAsAClickDoes) {
  TBGListBox& services = page->PageGenericInfo->lstServices;
  {
    TBoxAnswer boxes(IDYES);
    std::vector<int> carets;
    for (WPARAM key : std::initializer_list<WPARAM>{VK_HOME, VK_DOWN, VK_END, VK_UP, 'G', 'G'}) {
      Key(services, key);
      carets.push_back(services.ItemIndex());
    }
    EXPECT_EQ(carets, (TInts{0, 1, 10, 9, 4, 8}));  // 'G': GOPHER, then GAME
    EXPECT_TRUE(boxes.Boxes().empty());
  }
  EXPECT_EQ(Selected(services), (TInts{0, 2}));
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_EQ(SpaceIn(services, true), 0u);  // GAME besides
  EXPECT_EQ(Values(UserProfile.Services()), (TInts{0, 2, 8}));
  EXPECT_EQ(SpaceIn(services, false), 1u);  // Yes: GAME alone
  EXPECT_EQ(Values(UserProfile.Services()), TInts{8});
  EXPECT_EQ(SpaceIn(services, false), 0u) << "nothing else chosen: nothing to drop";
  EXPECT_EQ(Values(UserProfile.Services()), TInts{8});

  ClickTab(1);
  TBGListBox& categories = page->PageCategory->lstCategory;
  {
    TBoxAnswer boxes(IDYES);
    for (WPARAM key : {VK_HOME, VK_DOWN, VK_DOWN}) Key(categories, key);  // Security
    EXPECT_TRUE(boxes.Boxes().empty());
  }
  EXPECT_EQ(SpaceIn(categories, true), 0u);  // with its group
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{100, 102, 200, 201, 999}));
  EXPECT_EQ(SpaceIn(categories, false), 1u);
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{100, 102, 999}));
}

TEST_F(InfoPageTest, CategoriesFollowTheTreeAskAndKeepCodesTheFileDoesNotKnow) {
  ClickTab(1);
  TPageCategory& cats = *page->PageCategory;
  TBGListBox& list = cats.lstCategory;
  EXPECT_EQ(list.Items(), (std::vector<std::wstring>{L"Computers", L"    Software", L"    Security", L"Leisure",
                                                     L"    Music", L"    Games", L"News"}));
  EXPECT_EQ(Selected(list), (TInts{3, 4}));  // 999 selects nothing

  EXPECT_EQ(ClickEntry(list, 2, false, IDNO), 1u);  // a sub-category brings its group
  EXPECT_EQ(Selected(list), (TInts{0, 2, 3, 4}));
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{100, 102, 200, 201, 999}));
  EXPECT_EQ(list.ItemIndex(), 2);
  ClickEntry(list, 3, true);  // a group takes its sub-categories along
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{100, 102, 999}));
  ClickEntry(list, 2, true);  // a sub-category leaves its group
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{100, 999}));
  EXPECT_EQ(ClickEntry(list, 5, false, IDYES), 1u);
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{200, 202, 999}));

  // Shown again, the kept entries show exactly what is stored, from the top.
  list.SetSelected(0, true);
  list.SetTopIndex(2);
  page->Refresh();
  EXPECT_EQ(Selected(list), (TInts{3, 5}));
  EXPECT_EQ(list.TopIndex(), 0);
  EXPECT_EQ(list.ItemIndex(), 3);

  // Without an application file the list is empty and a click changes nothing.
  AppFile = {};
  page->Refresh();
  EXPECT_EQ(list.Count(), 0);
  SendMessageW(cats.BGPanel1.Handle(), WM_COMMAND, MAKEWPARAM(list.Id(), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list.Handle()));
  EXPECT_EQ(Values(UserProfile.Categories()), (TInts{200, 202, 999}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(InfoPageTest, KeywordsTrimmedNewsNewestFirstAndTheUpdateStampInUtc) {
  ClickTab(2);
  TPageNewsKeys& news = *page->PageNewsKeys;
  using TTexts = std::vector<std::wstring>;
  const auto stored = [] { return Values(UserProfile.SiteNews()); };
  EXPECT_EQ(news.edtKeys.Text(), L"a, b");
  EXPECT_EQ(GetFocus(), news.edtKeys.Handle());
  Retype(news.edtKeys, L" web , ,ftp, mail ,");
  EXPECT_EQ(Values(UserProfile.SiteKeys()), (TTexts{L"web", L"ftp", L"mail"}));
  EXPECT_TRUE(UserProfile.Modified());

  EXPECT_EQ(news.lstNews.Items(), (TTexts{L"third", L"second", L"first"}));
  EXPECT_EQ(news.memoNews.Text(), L"third");
  Click(news.lstNews, 20, news.lstNews.ItemRect(1).top + 5);
  EXPECT_EQ(news.memoNews.Text(), L"second");
  Click(news.udOrder, 8, 5);  // the upper button: towards the newest
  EXPECT_EQ(stored(), (TTexts{L"first", L"third", L"second"}));
  EXPECT_EQ(news.lstNews.ItemIndex(), 0);
  Click(news.udOrder, 8, 5);  // first already: nothing moves
  EXPECT_EQ(stored(), (TTexts{L"first", L"third", L"second"}));

  news.memoNews.SetText(L" \r\n ");
  Press(news.btnAdd);  // a beep only
  Press(news.btnReplace);
  news.memoNews.SetText(L"second, revised");
  Press(news.btnReplace);
  news.memoNews.SetText(L"fourth");
  {
    THeldKeys ctrl{VK_CONTROL};
    Key(news.memoNews, VK_RETURN);  // Ctrl+Enter in the text adds it, without a line break
  }
  EXPECT_EQ(stored(), (TTexts{L"first", L"third", L"second, revised", L"fourth"}));
  Press(news.btnDelete);  // the selection moved down with its entry
  EXPECT_EQ(stored(), (TTexts{L"first", L"third", L"fourth"}));

  // An empty list offers today's date as the start of a new item, kept as it is.
  UserProfile.SiteNews().Clear();
  page->Refresh();
  EXPECT_EQ(news.memoNews.Text(), NewNewsText());
  Press(news.btnAdd);
  EXPECT_EQ(stored(), TTexts{NewNewsText()});

  Click(news.chkUpdated);
  SYSTEMTIME now{};
  GetSystemTime(&now);
  DATE utc = 0;
  SystemTimeToVariantTime(&now, &utc);
  EXPECT_LT(std::fabs(UserProfile.HostUpdate() - utc), 2.0 / 86400);
  UserProfile.SetHostUpdate(45000);
  Click(news.chkUpdated);  // unchecked: nothing
  EXPECT_EQ(UserProfile.HostUpdate(), 45000);
  Click(news.chkUpdated);
  page->Refresh();
  EXPECT_FALSE(news.chkUpdated.Checked());
}

}  // namespace
