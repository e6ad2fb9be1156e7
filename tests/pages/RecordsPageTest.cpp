// The records pages inside a real main window over the fake agent. The standard page:
// what it loads, that an edit or an unchecked box touches the shown record only, the
// kept time to live and the cache-time notice, the snapshot view and back. The
// professional page: the grid's rows and texts, deleting, the properties of a row, an
// empty or missing profile, the grid's keys and double click, the toolbar by keyboard, a
// value too long for its cell.
#include <algorithm>

#include "tests/pages/RecordsFixture.h"
#include "tests/support/AccessibleNames.h"
#include "tests/support/HeldKeys.h"
#include "tests/toolkit/ToolkitTestUtil.h"

namespace {

using namespace records_test;
using toolkit_test::TPixels;

int Differing(const TPixels& a, const TPixels& b) {
  int differ = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) differ += a.At(x, y) != b.At(x, y);
  return differ;
}

constexpr wchar_t kNotice[] =
    L"注意：较长的缓存时间值虽然会加快域名的解析速度，\n但也导致域名在DNS中的更新变得迟钝。\n(推荐设为1分钟)";

using StandardRecordsTest = RecordsPageTest;

TEST_F(StandardRecordsTest, ShowsTheFirstRecordsAndChangesOnlyTheShownOnes) {
  OpenRecords(DemoProfile(), 1);
  TPageRRsStd& page = Std();
  ASSERT_TRUE(IsCurrent(page));
  EXPECT_TRUE(page.Enabled());
  EXPECT_TRUE(page.ChkBoxHost.Checked());
  EXPECT_EQ(page.edtA_Name.Text(), L"www");
  EXPECT_EQ(page.edtA_IP.IPString(), L"192.168.1.1");
  EXPECT_EQ(page.cmbA_TTL.Text(), L"10");
  EXPECT_EQ(page.edtCName_Host.Text(), L"www.home.example");
  EXPECT_EQ(page.cmbCName_TTL.Text(), L"10");
  EXPECT_EQ(GetFocus(), page.ChkBoxHost.Handle());
  EXPECT_FALSE(UserProfile.Modified()) << "loading changes nothing";

  Retype(page.edtA_Name, L"web");
  TypeOctet(page.edtA_IP, 3, L"9");
  TXMLAsType hosts = UserProfile.As();
  ASSERT_EQ(hosts.Count(), 3);
  EXPECT_EQ(hosts.Item(0).Name(), L"web");
  EXPECT_EQ(hosts.Item(0).IPv4(), IPv4FromOctets(192, 168, 1, 9));
  EXPECT_EQ(hosts.Item(0).TTL(), 600);
  EXPECT_EQ(hosts.Item(1).Name(), L"ftp");
  EXPECT_EQ(hosts.Item(2).IPv4(), 16909060);
  EXPECT_TRUE(UserProfile.Modified());

  // Unchecked, the shown record goes alone; checked again, it comes back first.
  Click(page.ChkBoxHost);
  ASSERT_EQ(hosts.Count(), 2);
  EXPECT_EQ(hosts.Item(0).Name(), L"ftp");
  Click(page.ChkBoxHost);
  ASSERT_EQ(hosts.Count(), 3);
  EXPECT_EQ(hosts.Item(0).Name(), L"web");
  EXPECT_EQ(hosts.Item(0).IPv4(), IPv4FromOctets(192, 168, 1, 9));

  Retype(page.edtCName_Host, L"ftp.home.example");
  TXMLCNamesType aliases = UserProfile.CNames();
  ASSERT_EQ(aliases.Count(), 2);
  EXPECT_EQ(aliases.Item(0).Host(), L"ftp.home.example");
  EXPECT_EQ(aliases.Item(1).Name(), L"docs");
  EXPECT_EQ(UserProfile.MXs().Count(), 2) << "the page never touches mail exchangers";
  EXPECT_TRUE(messages.empty()) << "typing shows no notice";
}

TEST_F(StandardRecordsTest, WithOneRecordOrNoneTheBoxAddsAndRemovesIt) {
  OpenRecords(Profile(Host(L"www", IPv4FromOctets(10, 0, 0, 1), 60), L"", L""), 1);
  TPageRRsStd& page = Std();
  EXPECT_FALSE(page.ChkBoxCName.Checked());
  EXPECT_EQ(page.cmbCName_TTL.Text(), L"1");
  Click(page.ChkBoxHost);
  EXPECT_EQ(UserProfile.As().Count(), 0);
  EXPECT_TRUE(UserProfile.Modified());
  Click(page.ChkBoxHost);
  ASSERT_EQ(UserProfile.As().Count(), 1);
  EXPECT_EQ(UserProfile.As().Item(0).IPv4(), IPv4FromOctets(10, 0, 0, 1));

  Click(page.ChkBoxCName);
  ASSERT_EQ(UserProfile.CNames().Count(), 1);
  EXPECT_EQ(UserProfile.CNames().Item(0).Host(), L"");
  EXPECT_EQ(UserProfile.CNames().Item(0).TTL(), 60);
}

// A time to live that is none of the choices stays until a cache time is picked; a
// pick is stored in seconds and brings the notice while the group holds a record.
TEST_F(StandardRecordsTest, AnUnmatchedTimeToLiveIsKeptUntilACacheTimeIsPicked) {
  OpenRecords(Profile(Host(L"www", IPv4FromOctets(10, 0, 0, 1), 150), L"", L""), 1);
  TPageRRsStd& page = Std();
  EXPECT_EQ(page.cmbA_TTL.ItemIndex(), -1);
  Retype(page.edtA_Name, L"web");
  TypeOctet(page.edtA_IP, 0, L"11");
  EXPECT_EQ(UserProfile.As().Item(0).TTL(), 150);
  EXPECT_TRUE(messages.empty());

  Choose(page.cmbA_TTL, 1);
  EXPECT_EQ(UserProfile.As().Item(0).TTL(), 300);
  EXPECT_EQ(messages, std::vector<std::wstring>{kNotice});
  Choose(page.cmbCName_TTL, 2);  // no alias held: nothing stored, no notice
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(UserProfile.CNames().Count(), 0);
}

TEST_F(StandardRecordsTest, TheSnapshotShowsTheProfessionalGridForViewingAndBackReturns) {
  OpenRecords(DemoProfile(), 1);
  Std().btnSnapShot.Click();
  TPageRRsPro& pro = Pro();
  ASSERT_TRUE(IsCurrent(pro));
  EXPECT_FALSE(Std().Visible());
  EXPECT_TRUE(pro.GetSnapshot());
  EXPECT_TRUE(pro.btnBack.Visible());
  EXPECT_FALSE(pro.PanelRRs.Enabled());
  EXPECT_FALSE(pro.rbDelete.Enabled());
  EXPECT_EQ(pro.GridRRs.RowCount(), 8);
  EXPECT_EQ(pro.CellText(0, 1), L"www");

  Key(pro.btnBack, VK_ESCAPE);  // Escape is the snapshot's Back
  EXPECT_TRUE(IsCurrent(Std()));
  Std().btnSnapShot.Click();
  pro.btnBack.Click();
  EXPECT_TRUE(IsCurrent(Std()));

  // Opened from its section again, the page leaves snapshot mode.
  agent.serviceType = 3;
  main->btnUser.Click();
  main->btnRRs.Click();
  EXPECT_TRUE(IsCurrent(pro));
  EXPECT_FALSE(pro.btnBack.Visible());
  EXPECT_TRUE(pro.rbDelete.Enabled());
}

TEST_F(StandardRecordsTest, WithoutAProfileBothPagesAreDisabled) {
  OpenRecords(DemoProfile(), 1);
  Std().btnSnapShot.Click();
  UserProfile = {};
  Pro().Refresh();
  EXPECT_EQ(Pro().GridRRs.RowCount(), 2);
  EXPECT_EQ(Pro().CellText(0, 1), L"");
  EXPECT_FALSE(Pro().PanelRRs.Enabled());
  Pro().btnBack.Click();
  EXPECT_FALSE(Std().Enabled());
  EXPECT_FALSE(Std().ChkBoxHost.Checked());
  EXPECT_EQ(Std().edtA_IP.IPString(), L"0.0.0.0");
}

using ProRecordsTest = RecordsPageTest;

TEST_F(ProRecordsTest, RowsListHostsAliasesAndExchangersWithTheirData) {
  OpenRecords(DemoProfile(), 3);
  TPageRRsPro& page = Pro();
  ASSERT_TRUE(IsCurrent(page));
  EXPECT_FALSE(page.btnBack.Visible());
  ASSERT_EQ(page.GridRRs.RowCount(), 8);
  const std::vector<std::vector<std::wstring>> rows = {
      {L"名称", L"类型", L"数据"},
      {L"www", L"主机", L"192.168.1.1"},
      {L"ftp", L"主机", L"192.168.1.2"},
      {L"mail", L"主机", L"4.3.2.1"},
      {L"bbs", L"别名", L"www.home.example"},
      {L"docs", L"别名", L"www.home.example"},
      {L"mail", L"邮件交换器", L"[10] mx1"},
      {L"mail", L"邮件交换器", L"[20] mx2"},
  };
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(page.CellText(c, r), rows[r][c]) << "row " << r << " col " << c;
    EXPECT_EQ(page.CellText(3, r), L"");
  }
  EXPECT_EQ(page.GridRRs.ColWidth(3), 415);

  // A damaged record shows as unknown where it cannot be read, and painting goes on.
  agent.userProfileXml =
      Profile(Host(L"www", 1, 60) + L"<A><Name>ftp</Name><TTL>60</TTL><IPv4></IPv4></A>", L"", L"");
  HoldProfile();
  RedrawWindow(page.GridRRs.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(page.CellText(2, 2), L"未知");
  EXPECT_EQ(page.CellText(0, 2), L"ftp");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ProRecordsTest, DeletingARecordShiftsTheLaterRowsUp) {
  OpenRecords(DemoProfile(), 3);
  TPageRRsPro& page = Pro();
  SelectRow(2);
  page.rbDelete.Click();
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_EQ(page.GridRRs.RowCount(), 7);
  EXPECT_EQ(page.CellText(0, 2), L"mail");
  EXPECT_EQ(page.CellText(2, 2), L"4.3.2.1");
  EXPECT_EQ(page.CellText(0, 3), L"bbs");
  SelectRow(6);
  page.rbDelete.Click();
  ASSERT_EQ(UserProfile.MXs().Count(), 1);
  EXPECT_EQ(UserProfile.MXs().Item(0).NameExchange(), L"mx1");
  EXPECT_EQ(page.GridRRs.Row(), 5) << "the selection stays within the rows";
  EXPECT_TRUE(IsCurrent(page));
}

TEST_F(ProRecordsTest, PropertiesOpenTheEditorOfTheRowsKindAndAnEmptyRowDoesNothing) {
  OpenRecords(DemoProfile(), 3);
  SelectRow(5);
  Pro().rbProperty.Click();
  auto* alias = CurrentEditor<TPageCname>(L"PageCname");
  ASSERT_NE(alias, nullptr);
  EXPECT_EQ(alias->RecordIndex(), 1);
  EXPECT_EQ(alias->edtName.Text(), L"docs");
  alias->btnCancel.Click();
  SelectRow(7);
  Pro().rbProperty.Click();
  EXPECT_EQ(Page<TPageMX>(L"PageMX")->RecordIndex(), 1);

  UserProfile.As().Clear();
  UserProfile.CNames().Clear();
  UserProfile.MXs().Clear();
  UserProfile.SetModified(false);
  Page<TPageMX>(L"PageMX")->btnCancel.Click();
  TPageRRsPro& page = Pro();
  EXPECT_EQ(page.GridRRs.RowCount(), 2);
  SelectRow(1);
  page.rbProperty.Click();
  page.rbDelete.Click();
  EXPECT_TRUE(IsCurrent(page));
  EXPECT_FALSE(UserProfile.Modified());
}

// The grid alone serves the keyboard: Delete and F5 do what the toolbar does (Insert
// and Enter are tried end to end), with Shift held Delete is not the toolbar's, and a
// double click on a row opens it (on the header nothing).
TEST_F(ProRecordsTest, TheGridsKeysAndDoubleClickDoWhatTheToolbarDoes) {
  OpenRecords(DemoProfile(), 3);
  TPageRRsPro& page = Pro();
  TBGDrawGrid& grid = page.GridRRs;
  Key(grid, VK_DOWN);  // ftp
  {
    THeldKeys shift{VK_SHIFT};
    Key(grid, VK_DELETE);
  }
  EXPECT_EQ(UserProfile.As().Count(), 3);
  EXPECT_FALSE(UserProfile.Modified());
  Key(grid, VK_DELETE);
  ASSERT_EQ(UserProfile.As().Count(), 2);
  EXPECT_EQ(UserProfile.As().Item(1).Name(), L"mail");
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_EQ(grid.RowCount(), 7);
  EXPECT_EQ(GetFocus(), grid.Handle()) << "the keyboard stays in the grid";

  UserProfile.MXs().Clear();  // changed behind the page: F5 shows it
  Key(grid, VK_F5);
  EXPECT_EQ(grid.RowCount(), 5);

  SendMessageW(grid.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));  // the header
  EXPECT_TRUE(IsCurrent(page));
  const RECT docs = grid.CellRect(0, 4);
  const LPARAM at = MAKELPARAM(docs.left + 20, docs.top + 4);
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageW(grid.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  auto* alias = CurrentEditor<TPageCname>(L"PageCname");
  ASSERT_NE(alias, nullptr);
  EXPECT_EQ(alias->edtName.Text(), L"docs");
}

// The toolbar follows the grid in the tab order; a focused button shows it, Space and
// Enter press it, and a click still leaves the focus where it was.
TEST_F(ProRecordsTest, TheToolbarFollowsTheGridInTheTabOrderAndAnswersSpaceAndEnter) {
  OpenRecords(DemoProfile(), 3);
  TPageRRsPro& page = Pro();
  Key(page.GridRRs, VK_END);  // the second mail exchanger
  const TPixels unfocused(page.rbDelete.Handle());
  std::vector<HWND> reached;
  for (int i = 0; i < 6; ++i) {
    KeyAtFocus(VK_TAB);
    reached.push_back(GetFocus());
  }
  EXPECT_EQ(reached, (std::vector<HWND>{page.sbNewHost.Handle(), page.sbNewCname.Handle(), page.sbNewMX.Handle(),
                                        page.rbDelete.Handle(), page.rbProperty.Handle(), page.rbRefresh.Handle()}));

  Key(page.rbDelete, VK_SPACE);
  ASSERT_EQ(UserProfile.MXs().Count(), 1);
  EXPECT_EQ(UserProfile.MXs().Item(0).NameExchange(), L"mx1");
  const TPixels focused(page.rbDelete.Handle());
  EXPECT_GT(Differing(focused, unfocused), 10) << "the focus rectangle";

  page.GridRRs.SetFocus();
  Click(page.rbRefresh);
  EXPECT_EQ(GetFocus(), page.GridRRs.Handle());
  Key(page.rbProperty, VK_RETURN);  // the selection stayed on the last row, now mx1's
  auto* exchanger = CurrentEditor<TPageMX>(L"PageMX");
  ASSERT_NE(exchanger, nullptr);
  EXPECT_EQ(exchanger->RecordIndex(), 0);
}

// The oracle is DrawText's own cut of the text in the cell's room, in the grid's font:
// the grid must show exactly that, and a screen reader must hear the whole text.
TEST_F(ProRecordsTest, AValueTooLongForItsCellEndsInAnEllipsisAndIsHeardWhole) {
  const std::wstring server = L"backup-mx.mail.demo-pro.veltrano.net";
  OpenRecords(Profile(Host(L"www", IPv4FromOctets(192, 168, 1, 1), 600), L"", Exchanger(L"mail", server, 20, 3600)), 3);
  TBGDrawGrid& grid = Pro().GridRRs;
  const std::wstring whole = L"[20] " + server;
  ASSERT_EQ(Pro().CellText(2, 2), whole);
  EXPECT_EQ(vt::test::TAccessibleObject(grid.Handle()).Name(2), L"mail, 邮件交换器, " + whole);

  const RECT cell = grid.CellRect(2, 2);
  const int room = std::min<LONG>(cell.right, grid.ClientWidth()) - (cell.left + 2);
  const std::wstring shown = toolkit_test::EllipsisCut(grid.Font()->Handle(), whole, room);
  ASSERT_EQ(shown.substr(shown.size() - 3), L"...");
  ASSERT_EQ(shown.substr(0, 5), L"[20] ");

  const toolkit_test::TPixels cut(grid.Handle());
  // The same row holding just the text that fits, dots and all.
  UserProfile.MXs().Item(0).SetNameExchange(shown.substr(5));
  const toolkit_test::TPixels fitting(grid.Handle());
  int ink = 0;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < std::min<LONG>(cell.right, grid.ClientWidth()); ++x) {
      ASSERT_EQ(cut.At(x, y), fitting.At(x, y)) << x << ", " << y;
      ink += cut.At(x, y) != cut.At(cell.left, cell.top);
    }
  EXPECT_GT(ink, 0);
}

}  // namespace
