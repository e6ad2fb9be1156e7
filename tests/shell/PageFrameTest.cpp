// The page framework with real pages on a real main window: pages created once and
// reused, the enabled rule of Refresh, the professional pages' snapshot view and Back
// button, the shared and the own page backgrounds cut from the window picture,
// ShowPageMessage's two styles, which page each navigation button shows, and pages
// made ahead of their first opening.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "skin/BGSource.h"
#include "shell/Common.h"
#include "tests/support/BoxAnswer.h"
#include "tests/support/MainWindowFixture.h"
#include "agent/UnitDef.h"
#include "shell/frameBase2.h"
#include "pages/frameDnsPro.h"
#include "pages/frameDnsStd.h"
#include "pages/frameHierarchyPro.h"
#include "pages/frameHierarchyStd.h"
#include "pages/frameInfo.h"
#include "pages/frameOptions.h"
#include "pages/frameRRsPro.h"
#include "pages/frameRRsStd.h"
#include "pages/frameUser.h"
#include "shell/frmCnfgMain.h"

namespace {

// A picture where every pixel tells where it came from.
COLORREF Source(int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)); }

TSkinBitmap Gradient(int width, int height) {
  TSkinBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = Source(x, y);
      bitmap.Bits()[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return bitmap;
}

template <class TPage>
TPage* PageOf(const TComPtr<IPageWrapper>& wrapper) {
  return dynamic_cast<TPage*>(wrapper.Get());
}

class TSecondPage : public TBaseFrame2 {
 public:
  explicit TSecondPage(TControl& host) : TBaseFrame2(host, L"TSecondPage", L"SecondPage") {}
};

class PageFrameTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    // A profile with the fields the DNS pages show, so that every page opens.
    agent.userProfileXml =
        L"<UserInfo Modified=\"False\"><Domain>demo.example</Domain><TTL>600</TTL>"
        L"<OnlineType>11</OnlineType><OnlineFixedIP>16885952</OnlineFixedIP><OnlineURL/>"
        L"<OfflineType>21</OfflineType><OfflineIP>0</OfflineIP><OfflineURL/><OfflineHost/></UserInfo>";
  }
  // The pages on the main window that are shown.
  std::vector<TControl*> ShownPages() const {
    std::vector<TControl*> shown;
    for (TControl* child : main->Controls())
      if (dynamic_cast<IPageWrapper*>(child) && child->Visible()) shown.push_back(child);
    return shown;
  }
  int PagesOfClass(const wchar_t* className) const {
    int count = 0;
    for (HWND child = GetWindow(main->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[64] = {};
      GetClassNameW(child, name, 64);
      count += std::wstring(name) == className;
    }
    return count;
  }
};

TEST_F(PageFrameTest, PagesAreCreatedOnceAndReusedWithTheirSizeAndPlace) {
  // Checking btnUser at creation opened the user page.
  TPageUser* user = PageOf<TPageUser>(CurrentPage);
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->Parent(), main.get());
  const RECT bounds = user->BoundsRect();
  EXPECT_EQ(bounds.left, 156);
  EXPECT_EQ(bounds.top, 68);
  EXPECT_EQ(bounds.right - bounds.left, 425);
  EXPECT_EQ(bounds.bottom - bounds.top, 310);

  user->Close();
  EXPECT_FALSE(user->Visible());
  EXPECT_EQ(PageOf<TPageUser>(ShowPageUser(*main)), user);
  EXPECT_TRUE(user->Visible());
  EXPECT_EQ(PagesOfClass(L"TPageUser"), 1);

  TPageInfo* info = PageOf<TPageInfo>(ShowPageInfo(*main));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Width(), 430);
  EXPECT_EQ(PageOf<TPageInfo>(ShowPageInfo(*main)), info);
  EXPECT_EQ(PagesOfClass(L"TPageInfo"), 1);
  EXPECT_EQ(PageOf<TPageHierarchyStd>(ShowPageHierarchyStd(*main))->Width(), 437);
  EXPECT_EQ(PageOf<TPageHierarchyPro>(ShowPageHierarchyPro(*main, false))->Width(), 439);
}

TEST_F(PageFrameTest, NewMainWindowGetsNewPages) {
  TPageOptions* first = PageOf<TPageOptions>(ShowPageOptions(*main));
  ASSERT_NE(first, nullptr);
  CurrentPage.Reset();
  main.reset();
  main = std::make_unique<TCnfgMain>();
  TPageOptions* second = PageOf<TPageOptions>(ShowPageOptions(*main));
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->Handle(), nullptr);
  EXPECT_EQ(second->Parent(), main.get());
}

TEST_F(PageFrameTest, RefreshEnablesOnlyWithAProfileAndWithoutSnapshot) {
  TComPtr<IPageWrapper> page = ShowPageRRsStd(*main);
  EXPECT_FALSE(page->GetEnabled());  // no profile held
  EXPECT_FALSE(IsWindowEnabled(PageOf<TPageRRsStd>(page)->Handle()));
  HoldProfile();
  page->Refresh();
  EXPECT_TRUE(page->GetEnabled());
  page->SetSnapshot(true);
  page->Refresh();
  EXPECT_FALSE(page->GetEnabled());
  page->SetSnapshot(false);
  page = ShowPageRRsStd(*main);
  EXPECT_TRUE(page->GetEnabled());
}

TEST_F(PageFrameTest, PagesMadeAheadStayHiddenKeepTheFocusAndShowTheirSheetsWhenOpened) {
  HoldProfile();
  main->btnDns.SetFocus();
  const std::vector<TControl*> before = ShownPages();
  PreparePageDnsPro(*main);
  PreparePageInfo(*main);
  EXPECT_EQ(PagesOfClass(L"TPageDnsPro"), 1);
  EXPECT_EQ(PagesOfClass(L"TPageInfo"), 1);
  EXPECT_EQ(ShownPages(), before);
  EXPECT_EQ(GetFocus(), main->btnDns.Handle());

  // The first opening shows the page made ahead, with the settings sheet of its tab.
  CurrentPage->Close();
  CurrentPage = ShowPageDnsPro(*main, false);
  TPageDnsPro* pro = PageOf<TPageDnsPro>(CurrentPage);
  ASSERT_NE(pro, nullptr);
  EXPECT_EQ(PagesOfClass(L"TPageDnsPro"), 1);
  ASSERT_NE(pro->SubPages().Online(), nullptr);
  EXPECT_TRUE(pro->SubPages().Online()->Visible());
  EXPECT_FALSE(pro->SubPages().Offline()->Visible());
  EXPECT_EQ(ShownPages(), std::vector<TControl*>{pro});

  CurrentPage->Close();
  CurrentPage = ShowPageInfo(*main);
  TPageInfo* info = PageOf<TPageInfo>(CurrentPage);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->CurrentSheet(), static_cast<IPageWrapper*>(info->PageGenericInfo.get()));
  EXPECT_TRUE(info->PageGenericInfo->Visible());
  EXPECT_FALSE(info->PageCategory->Visible());
  EXPECT_TRUE(errors.empty());
}

TEST_F(PageFrameTest, SnapshotViewStaysDisabledButItsBackButtonWorks) {
  HoldProfile();
  CurrentPage->Close();
  CurrentPage = ShowPageDnsPro(*main, true);
  TPageDnsPro* pro = PageOf<TPageDnsPro>(CurrentPage);
  ASSERT_NE(pro, nullptr);
  EXPECT_TRUE(CurrentPage->GetSnapshot());
  EXPECT_FALSE(CurrentPage->GetEnabled());
  EXPECT_TRUE(pro->btnBack.Visible());
  EXPECT_TRUE(IsWindowEnabled(pro->Handle()));  // so that Back can be pressed
  EXPECT_EQ(pro->btnBack.Left(), 316);
  EXPECT_EQ(pro->btnBack.Top(), 72);
  SendMessageW(pro->btnBack.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(pro->btnBack.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

  Click(pro->btnBack);
  TPageDnsStd* standard = PageOf<TPageDnsStd>(CurrentPage);
  ASSERT_NE(standard, nullptr);
  EXPECT_FALSE(pro->Visible());
  EXPECT_EQ(ShownPages(), std::vector<TControl*>{standard});
  EXPECT_TRUE(errors.empty());

  // Opened again as the section's page: enabled, no Back button.
  CurrentPage->Close();
  CurrentPage = ShowPageDnsPro(*main, false);
  EXPECT_EQ(PageOf<TPageDnsPro>(CurrentPage), pro);
  EXPECT_FALSE(CurrentPage->GetSnapshot());
  EXPECT_TRUE(CurrentPage->GetEnabled());
  EXPECT_FALSE(pro->btnBack.Visible());
}

TEST_F(PageFrameTest, EveryProfessionalPageReturnsToItsStandardPage) {
  HoldProfile();
  CurrentPage->Close();
  CurrentPage = ShowPageRRsPro(*main, true);
  Click(PageOf<TPageRRsPro>(CurrentPage)->btnBack);
  EXPECT_NE(PageOf<TPageRRsStd>(CurrentPage), nullptr);

  CurrentPage->Close();
  CurrentPage = ShowPageHierarchyPro(*main, true);
  TPageHierarchyPro* pro = PageOf<TPageHierarchyPro>(CurrentPage);
  EXPECT_EQ(pro->btnBack.Top(), 272);
  Click(pro->btnBack);
  EXPECT_NE(PageOf<TPageHierarchyStd>(CurrentPage), nullptr);
  EXPECT_EQ(ShownPages().size(), 1u);
}

TEST_F(PageFrameTest, NavigationButtonsShowOnePageAtATime) {
  TPageUser* user = PageOf<TPageUser>(CurrentPage);
  Click(main->btnDns);
  EXPECT_NE(PageOf<TPageDnsStd>(CurrentPage), nullptr);  // no profile: standard
  Click(main->btnInfo);
  EXPECT_NE(PageOf<TPageInfo>(CurrentPage), nullptr);
  Click(main->btnOptions);
  EXPECT_NE(PageOf<TPageOptions>(CurrentPage), nullptr);

  HoldProfile();
  agent.serviceType = 3;
  Click(main->btnRRs);
  TPageRRsPro* pro = PageOf<TPageRRsPro>(CurrentPage);
  ASSERT_NE(pro, nullptr);
  EXPECT_FALSE(pro->GetSnapshot());
  EXPECT_TRUE(pro->GetEnabled());
  Click(main->btnHierarchy);
  EXPECT_NE(PageOf<TPageHierarchyPro>(CurrentPage), nullptr);
  Click(main->btnDns);
  EXPECT_NE(PageOf<TPageDnsPro>(CurrentPage), nullptr);
  agent.serviceType = 2;
  main->btnDnsChecked(main->btnDns);  // a section page returning to its section
  EXPECT_NE(PageOf<TPageDnsStd>(CurrentPage), nullptr);
  EXPECT_EQ(ShownPages().size(), 1u);

  Click(main->btnUser);
  EXPECT_EQ(PageOf<TPageUser>(CurrentPage), user);
  EXPECT_EQ(ShownPages(), std::vector<TControl*>{user});
  EXPECT_TRUE(errors.empty());
}

// A page whose refresh fails is reported in the popup and does not stay shown: the page
// the user came from shows again; the next click opens it as usual.
TEST_F(PageFrameTest, APageThatFailsToRefreshIsNotLeftShown) {
  Click(main->btnOptions);
  TControl* const options = ShownPages().at(0);
  agent.FailOn(L"IsOnline", L"网络不通", 1);
  Click(main->btnUser);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(messages, std::vector<std::wstring>{L"该页无法打开：网络不通"});
  EXPECT_EQ(ShownPages(), std::vector<TControl*>{options});
  Click(main->btnOptions);
  Click(main->btnUser);
  EXPECT_NE(PageOf<TPageUser>(CurrentPage), nullptr);
  EXPECT_EQ(ShownPages().size(), 1u);
}

TEST_F(PageFrameTest, InformationMessagesGoToThePopupOthersToAnOwnedBox) {
  TPageUser* user = PageOf<TPageUser>(CurrentPage);
  EXPECT_EQ(user->ShowPageMessage(530, MB_ICONINFORMATION), 0);
  EXPECT_EQ(messages, std::vector<std::wstring>{GetResString(530)});

  // The box runs its own loop; a timer inside it reads the box and answers "No".
  TBoxAnswer no(IDNO);
  EXPECT_EQ(user->ShowPageMessage(530, MB_YESNO | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(no.Boxes().size(), 1u);
  EXPECT_EQ(no.Boxes()[0].caption, L"维特兰诺用户管理");
  EXPECT_EQ(no.Boxes()[0].text, GetResString(530));
  // Owned by the page's top-level window (a child cannot own a window).
  EXPECT_EQ(no.Boxes()[0].owner, main->Handle());
  EXPECT_EQ(messages.size(), 1u);
}

// The backgrounds need a window picture; the main window has none in the tests'
// folder, so a skinned host gets one.
class PageBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TBaseFrame::FreeSharedBackground();
    picture = Gradient(700, 500);
    source.SetBitmap(picture.Handle());
  }
  void TearDown() override { TBaseFrame::FreeSharedBackground(); }

  TBGForm host{TBGForm::DefaultArgs(L"TPageHost")};
  TBGSource source{host};
  TSkinBitmap picture;
};

TEST_F(PageBackgroundTest, MainPagesShareOneCutOutTakenOnceAt156And68) {
  TBaseFrame first(host, L"TFirstPage", L"First");
  const TSkinBitmap& shared = TBaseFrame::SharedBackground();
  ASSERT_EQ(shared.Width(), 450);
  ASSERT_EQ(shared.Height(), 330);
  EXPECT_EQ(first.ParentBackground(), host.GetBackground());
  EXPECT_EQ(shared.Pixel(0, 0), Source(156, 68));
  EXPECT_EQ(shared.Pixel(449, 329), Source(605, 397));
  EXPECT_EQ(first.GetBackground(), shared.Handle());

  // Neither a second page nor a resized one cuts again.
  TBaseFrame second(host, L"TSecondMain", L"Second");
  second.SetBounds(10, 10, 200, 100);
  EXPECT_EQ(shared.Pixel(0, 0), Source(156, 68));
  EXPECT_EQ(second.GetBackground(), shared.Handle());

  const TSkinBitmap painted = Printed(first);
  EXPECT_EQ(painted.Pixel(0, 0), Source(156, 68));
  EXPECT_EQ(painted.Pixel(429, 309), Source(585, 377));

  // Controls on the page find its background by asking the page's window.
  TComPtr<IBackgroundProvider> provider =
      QueryWindowInterface<IBackgroundProvider>(first.Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(provider);
  EXPECT_EQ(provider->GetBackground(), shared.Handle());
  EXPECT_TRUE(QueryWindowInterface<IPageWrapper>(first.Handle(), IID_IPageWrapper));
}

TEST_F(PageBackgroundTest, PageWithoutAPictureBehindPaintsItsColour) {
  TBGForm bare(TBGForm::DefaultArgs(L"TBareHost"));
  TBaseFrame page(bare, L"TBarePage", L"Bare");
  EXPECT_EQ(page.ParentBackground(), nullptr);
  EXPECT_EQ(page.GetBackground(), nullptr);
  EXPECT_TRUE(TBaseFrame::SharedBackground().Empty());
  page.SetColor(RGB(10, 20, 30));
  EXPECT_EQ(Printed(page).Pixel(5, 5), RGB(10, 20, 30));
}

TEST_F(PageBackgroundTest, SecondaryPagesCutTheirOwnBackgroundAtTheirPlace) {
  TBaseFrame main(host, L"TFirstPage", L"First");
  std::unique_ptr<TSecondPage> slot;
  TComPtr<IPageWrapper> page = ShowSecondaryPage(slot, main, RECT{20, 30, 220, 180}, true);
  ASSERT_TRUE(slot);
  EXPECT_EQ(page.Get(), static_cast<IPageWrapper*>(slot.get()));
  const RECT bounds = slot->BoundsRect();
  EXPECT_EQ(bounds.left, 20);
  EXPECT_EQ(bounds.bottom, 180);
  ASSERT_EQ(slot->Background().Width(), 200);
  EXPECT_EQ(slot->Background().Pixel(0, 0), Source(176, 98));
  EXPECT_EQ(Printed(*slot).Pixel(199, 149), Source(375, 247));

  // Shown again from the same slot: the same page; a new size cuts anew.
  TSecondPage* first = slot.get();
  page->Close();
  EXPECT_FALSE(first->Visible());
  ShowSecondaryPage(slot, main, RECT{0, 0, 10, 10}, false);
  EXPECT_EQ(slot.get(), first);
  EXPECT_TRUE(first->Visible());
  first->SetBounds(40, 50, 100, 100);
  EXPECT_EQ(first->Background().Width(), 100);
  EXPECT_EQ(first->Background().Pixel(0, 0), Source(196, 118));
  EXPECT_EQ(first->GetBackground(), first->Background().Handle());
}

// The information page's tabs: each page and the panel that fills it show the main
// picture where they stand, to the page's right edge (the pages are made smaller and
// then placed over the frame).
TEST_F(PageBackgroundTest, InformationSheetsShowThePictureWhereTheyStand) {
  TPageInfo info(host);
  for (int tab = 0; tab < TPageInfo::kTabCount; ++tab) {
    info.ShowSheet(tab);
    auto* sheet = dynamic_cast<TInfoSheet*>(info.CurrentSheet());
    ASSERT_NE(sheet, nullptr);
    const TSkinBitmap& panel = sheet->BGPanel1.Background();
    ASSERT_EQ(panel.Width(), 389);
    EXPECT_EQ(panel.Pixel(0, 0), Source(176, 84)) << tab;
    EXPECT_EQ(panel.Pixel(386, 266), Source(562, 350)) << tab;
  }
}

}  // namespace
