// The record editors opened from the professional records page over the fake agent: a
// new record and an existing one, OK enabled by the first change, OK appending or
// rewriting and returning to the grid, Cancel changing nothing, the kept time to live,
// the priority field's filter, and Enter and Escape.
#include "tests/pages/RecordsFixture.h"

namespace {

using namespace records_test;

class RecordEditorsTest : public RecordsPageTest {
 protected:
  void SetUp() override {
    RecordsPageTest::SetUp();
    OpenRecords(DemoProfile(), 3);
  }
  template <class TEditor>
  TEditor& Editor(const wchar_t* name) {
    auto* editor = Page<TEditor>(name);
    EXPECT_NE(editor, nullptr);
    EXPECT_TRUE(editor && IsCurrent(*editor));
    return *editor;
  }
};

TEST_F(RecordEditorsTest, ANewHostIsAppendedWhenOKIsPressedAfterAChange) {
  Pro().sbNewHost.Click();
  TPageRRA& editor = Editor<TPageRRA>(L"PageRRA");
  EXPECT_EQ(editor.GroupHost.Caption(), L"新的主机[A]");
  EXPECT_EQ(editor.edtName.Text(), L"");
  EXPECT_TRUE(editor.edtName.Enabled());
  EXPECT_EQ(GetFocus(), editor.edtName.Handle());
  EXPECT_EQ(editor.edtIP.IPString(), L"0.0.0.0");
  EXPECT_EQ(editor.cmbTTL.Text(), L"1");
  EXPECT_FALSE(editor.btnOK.Enabled());
  Type(editor.edtName, L"n");
  EXPECT_TRUE(editor.btnOK.Enabled());

  Type(editor.edtName, L"as");
  TypeOctet(editor.edtIP, 0, L"172");
  TypeOctet(editor.edtIP, 1, L"16");
  TypeOctet(editor.edtIP, 3, L"300");
  Press(editor.btnOK);
  TXMLAsType hosts = UserProfile.As();
  ASSERT_EQ(hosts.Count(), 4);
  EXPECT_EQ(hosts.Item(3).Name(), L"nas");
  EXPECT_EQ(hosts.Item(3).IPv4(), IPv4FromOctets(172, 16, 0, 255));
  EXPECT_EQ(hosts.Item(3).TTL(), 60);
  EXPECT_TRUE(UserProfile.Modified());
  ASSERT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(Pro().CellText(0, 4), L"nas") << "the last row of its kind";
  EXPECT_EQ(Pro().CellText(0, 5), L"bbs");
}

TEST_F(RecordEditorsTest, AnExistingAliasShowsItsFieldsAndCancelChangesNothing) {
  SelectRow(4);
  Pro().rbProperty.Click();
  TPageCname& editor = Editor<TPageCname>(L"PageCname");
  EXPECT_EQ(editor.GroupCname.Caption(), L"别名[CName]属性");
  EXPECT_EQ(editor.edtName.Text(), L"bbs");
  EXPECT_FALSE(editor.edtName.Enabled());
  EXPECT_EQ(editor.edtHost.Text(), L"www.home.example");
  EXPECT_EQ(GetFocus(), editor.edtHost.Handle());
  EXPECT_EQ(editor.cmbTTL.Text(), L"10");
  EXPECT_FALSE(editor.btnOK.Enabled());
  Retype(editor.edtHost, L"ftp.home.example");
  Press(editor.btnCancel);
  EXPECT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(UserProfile.CNames().Item(0).Host(), L"www.home.example");
  EXPECT_FALSE(UserProfile.Modified());

  // Opened again, nothing of the last use remains; OK marks even an unchanged record.
  Pro().rbProperty.Click();
  EXPECT_EQ(editor.edtHost.Text(), L"www.home.example");
  Choose(editor.cmbTTL, 2);
  EXPECT_TRUE(editor.btnOK.Enabled()) << "choosing a cache time is a change";
  EXPECT_EQ(messages.size(), 1u) << "with the cache-time notice";
  Press(editor.btnOK);
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_EQ(UserProfile.CNames().Count(), 2);
  EXPECT_EQ(UserProfile.CNames().Item(0).Name(), L"bbs");
  EXPECT_EQ(UserProfile.CNames().Item(0).TTL(), 600);
}

TEST_F(RecordEditorsTest, AnUnmatchedTimeToLiveIsKeptUntilACacheTimeIsPicked) {
  SelectRow(7);  // mx2, 150 seconds
  Pro().rbProperty.Click();
  TPageMX& editor = Editor<TPageMX>(L"PageMX");
  EXPECT_EQ(editor.GroupCname.Caption(), L"邮件交换器[MX]属性");
  EXPECT_EQ(editor.cmbTTL.ItemIndex(), -1);
  EXPECT_EQ(editor.edtPreference.Text(), L"20");
  Retype(editor.edtHost, L"mx3");
  Press(editor.btnOK);
  TXMLMXType mx = UserProfile.MXs().Item(1);
  EXPECT_EQ(mx.NameExchange(), L"mx3");
  EXPECT_EQ(mx.TTL(), 150);

  SelectRow(7);
  Pro().rbProperty.Click();
  Choose(editor.cmbTTL, 5);
  Press(editor.btnOK);
  EXPECT_EQ(UserProfile.MXs().Item(1).TTL(), 7200);
}

// The priority takes digits only, so what it shows is what is stored; left as it
// opens, a new mail exchanger stores 10.
TEST_F(RecordEditorsTest, ThePriorityTakesDigitsOnly) {
  Pro().sbNewMX.Click();
  TPageMX& editor = Editor<TPageMX>(L"PageMX");
  EXPECT_EQ(editor.GroupCname.Caption(), L"新的邮件交换器[MX]");
  EXPECT_EQ(editor.edtPreference.Text(), L"10");
  Type(editor.edtName, L"mail");
  Press(editor.btnOK);
  EXPECT_EQ(UserProfile.MXs().Item(2).Preference(), 10);

  Pro().sbNewMX.Click();
  Type(editor.edtName, L"mail");
  Retype(editor.edtPreference, L"1.5x");
  EXPECT_EQ(editor.edtPreference.Text(), L"15");
  SetWindowTextW(editor.edtPreference.Handle(), L"2.5");  // as a paste arrives
  EXPECT_EQ(editor.edtPreference.Text(), L"15");
  editor.edtPreference.SetSel(2, 0);
  Type(editor.edtPreference, L"999999");
  EXPECT_EQ(editor.edtPreference.Text(), L"15999") << "five digits at most";
  Press(editor.btnOK);
  EXPECT_EQ(UserProfile.MXs().Item(3).Preference(), 15999);
}

TEST_F(RecordEditorsTest, EnterPressesOKAndEscapeCancel) {
  Pro().sbNewCname.Click();
  TPageCname& editor = Editor<TPageCname>(L"PageCname");
  Type(editor.edtName, L"wiki");
  Key(editor.edtHost, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(UserProfile.CNames().Count(), 2);
  ASSERT_NE(main->Handle(), nullptr) << "the main window stays";

  Pro().sbNewCname.Click();
  Type(editor.edtName, L"wiki");
  Type(editor.edtHost, L"www.home.example");
  Key(editor.edtHost, VK_RETURN);
  EXPECT_TRUE(IsCurrent(Pro()));
  ASSERT_EQ(UserProfile.CNames().Count(), 3);
  EXPECT_EQ(UserProfile.CNames().Item(2).Name(), L"wiki");
}

}  // namespace
