// What a screen reader hears of the real program's pages, read from this process: the
// name of every field by the platform's naming rule (the static text before it in
// z-order, or the object the control answers WM_GETOBJECT with, read across the
// processes), each checked against the label that the page shows for it; every
// control a user can reach has a name; the grids' rows by their cells' texts, a link's
// state included; the picture buttons, tool buttons and popup in Chinese.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AccessibleNames.h"

namespace {

using namespace e2e;
using vt::test::AccessibleName;
using vt::test::TAccessibleObject;
using Names = std::vector<std::wstring>;

bool IsPartOf(HWND window, const wchar_t* parentClass) {
  return _wcsicmp(ClassName(GetParent(window)).c_str(), parentClass) == 0;
}

// The visible descendants of `root` in z-order depth first, a combo box's own edit left
// out (it is part of the combo box).
std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(
      root,
      [](HWND window, LPARAM param) -> BOOL {
        if (IsWindowVisible(window) && !IsPartOf(window, L"ComboBox"))
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The names of the fields under `root` that the platform names after a label, in the
// keyboard's order.
Names FieldNames(HWND root) {
  Names names;
  for (HWND window : Descendants(root))
    if (vt::test::NamedByLabel(window)) names.push_back(AccessibleName(window));
  return names;
}

// Every field and every control the Tab key reaches has a name.
void ExpectEveryControlNamed(HWND root) {
  for (HWND window : Descendants(root)) {
    const bool tabStop = (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) != 0;
    if (vt::test::NamedByLabel(window) || tabStop)
      EXPECT_FALSE(AccessibleName(window).empty())
          << Narrow(ClassName(window)) << " " << GetDlgCtrlID(window) << " in " << Narrow(ClassName(root));
  }
}

Names IpParts(const std::wstring& name) {
  return {name + L" 第1段", name + L" 第2段", name + L" 第3段", name + L" 第4段"};
}

Names Join(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class AccessibilityTest : public ProgramTest {
 protected:
  HWND Open(const wchar_t* button, const wchar_t* pageClass) { return OpenPage(main, button, pageClass); }
  // Checks a page (or a part of one) whole: every control named, the fields by their labels.
  void ExpectFields(HWND root, const Names& expected) {
    ASSERT_NE(root, nullptr);
    ExpectEveryControlNamed(root);
    EXPECT_EQ(FieldNames(root), expected) << Narrow(ClassName(root));
  }
  HWND Group(HWND page, const wchar_t* caption) { return Find(page, L"Button", caption); }
  // The tab set at the foot of a page: a click on the tab `middle` pixels from its left.
  static void ClickTab(HWND page, POINT bar, int middle) {
    HWND tabs = ChildWindowFromPointEx(page, bar, CWP_SKIPINVISIBLE);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle, 8));
    PostMessageW(tabs, WM_LBUTTONUP, 0, MAKELPARAM(middle, 8));
  }
  // Leaves an editor or dialog by its cancel button, back on `page`.
  void Cancel(HWND dialog, const wchar_t* caption, HWND page) {
    Click(Find(dialog, L"Button", caption));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }));
  }
};

TEST_F(AccessibilityTest, TheAccountPagesAndOptionsNameEachFieldAfterItsOwnLabel) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoProId));
  HWND user = ShownPage(L"TPageUser");
  ASSERT_NE(user, nullptr);
  ExpectFields(user, {L"注册码：", L"域  名："});

  PostMessageW(Find(user, L"Static", L"修改用户..."), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(Find(user, L"Static", L"修改用户..."), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  HWND modify = ShownPage(L"TPageUserModify");
  ASSERT_NE(Find(modify, L"Edit", L"zhang.wei@example.com"), nullptr);
  // The answer is named by the question it answers.
  ExpectFields(modify, {L"用户名：", L"我的第一所学校叫什么名字？", L"电子邮件", L"确认", L"问题", L"答案", L"确认"});

  HWND options = Open(L"选项设置", L"TPageOptions");
  ExpectFields(options, {L"更新频率", L"服务器名"});  // the speed group comes first for the keyboard

  HWND popup = program->TopWindow(L"TMsgForm");
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(AccessibleName(popup), L"维特兰诺消息");
  EXPECT_EQ(AccessibleName(FindChildren(popup, L"TPicBtn").at(0)), L"关闭");
}

TEST_F(AccessibilityTest, TheRecordsGridIsHeardRowByRowAndTheEditorsNameTheirFields) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoProId));
  HWND page = Open(L"资源记录", L"TPageRRsPro");
  ASSERT_NE(page, nullptr);
  ExpectEveryControlNamed(page);
  HWND grid = FindChild(page, L"TDrawGrid", L"");
  const TAccessibleObject rows(grid);
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows.Name(), L"资源记录");
  EXPECT_EQ(rows.Role(), ROLE_SYSTEM_LIST);
  EXPECT_EQ(rows.ChildNames(), (Names{L"www, 主机, 192.168.1.1", L"ftp, 主机, 192.168.1.2", L"mail, 主机, 10.0.0.1",
                                      L"bbs, 别名, www.demo-pro.veltrano.net", L"docs, 别名, www.demo-pro.veltrano.net",
                                      L"mail, 邮件交换器, [10] mail.demo-pro.veltrano.net",
                                      L"mail, 邮件交换器, [20] backup-mx.veltrano.net"}));
  // The tool buttons that show only a picture are named by their hints.
  HWND toolbar = GetParent(FindChild(page, L"TCustomControl", L"主机"));
  Names tools;
  for (HWND tool : FindChildren(toolbar, L"TCustomControl")) tools.push_back(AccessibleName(tool));
  EXPECT_EQ(tools, (Names{L"主机", L"别名", L"邮件交换器", L"删除记录", L"属性...", L"刷新"}));

  const struct {
    const wchar_t* tool;
    const wchar_t* editorClass;
    Names fields;
  } editors[] = {
      {L"主机", L"TPageRRA", Join({{L"主机名"}, IpParts(L"IP 地址"), {L"缓存时间"}})},
      {L"别名", L"TPageCname", {L"别名", L"主机名", L"缓存时间"}},
      {L"邮件交换器", L"TPageMX", {L"主机或域名", L"邮件服务器", L"服务器优先级", L"缓存时间"}},
  };
  for (const auto& editor : editors) {
    Click(FindChild(page, L"TCustomControl", editor.tool));
    HWND shown = ShownPage(editor.editorClass);
    ExpectFields(shown, editor.fields);
    Cancel(shown, L"取  消", page);
  }
}

TEST_F(AccessibilityTest, TheHierarchyGridsSayEachLinksStateAndTheDialogsNameTheirFields) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoProId));
  HWND page = Open(L"域名层次", L"TPageHierarchyPro");
  ASSERT_NE(page, nullptr);
  ExpectEveryControlNamed(page);
  const TAccessibleObject parents(FindChild(Group(page, L" 父  域 "), L"TDrawGrid", L""));
  const TAccessibleObject children(FindChild(Group(page, L" 子域授权 "), L"TDrawGrid", L""));
  ASSERT_TRUE(parents && children);
  EXPECT_EQ(parents.Name(), L"父域");
  EXPECT_EQ(parents.ChildNames(),
            (Names{L"活动 family.veltrano.net", L"等待 club.veltrano.org", L"过期 oldfriend.vt-home.net",
                   L"过期 expired-hub.veltrano.cn"}));
  EXPECT_EQ(children.Name(), L"子域授权");
  EXPECT_EQ(children.ChildNames(), (Names{L"活动 shop, shop-partner.veltrano.net", L"等待 blog, blog-host.veltrano.org",
                                          L"过期 old, archive.vt-home.net", L"过期 lab, test-lab.veltrano.cn"}));
  Names states;
  for (HWND image : FindChildren(page, L"TCustomControl"))
    if (GetParent(image) == page) states.push_back(AccessibleName(image));
  EXPECT_EQ(states, (Names{L"活动", L"等待", L"过期"}));

  Click(Find(Group(page, L" 父  域 "), L"Button", L"增  加..."));
  HWND parent = ShownPage(L"TPageParent");
  ExpectFields(parent, {L"父域名称", L"匹配的域名"});
  Cancel(parent, L"取  消", page);
  Click(Find(Group(page, L" 子域授权 "), L"Button", L"增  加..."));
  HWND child = ShownPage(L"TPageChild");
  ExpectFields(child, {L"子节点名", L"外部域名", L"匹配的域名"});
}

TEST_F(AccessibilityTest, TheDnsPagesAndTheWizardNameEachFieldEvenWhereARadioButtonLabelsIt) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoProId));
  HWND page = Open(L"域名设置", L"TPageDnsPro");
  ASSERT_NE(page, nullptr);
  ExpectFields(Group(page, L"域名设定"), {L"独立/二级域名：", L"缓存时间："});
  HWND online = ShownPage(L"TPageOnlineSettings", page);
  ASSERT_NE(Find(online, L"Edit", L"http://<Online IP>:8080"), nullptr);
  ExpectFields(online, Join({IpParts(L"指定域名在线 IP 地址"), {L"重定向地址", L"模板"}}));

  ClickTab(page, {40, 292}, 110);
  HWND offline = ShownPage(L"TPageOfflineSettings", page);
  ASSERT_NE(Find(offline, L"Edit", L"backup.veltrano.net"), nullptr);
  ExpectFields(offline, Join({{L"同步更新的域名"}, IpParts(L"指定域名离线 IP 地址"), {L"重定向地址"}}));

  Click(Find(offline, L"Button", L"向导..."));
  HWND wizard = ShownPage(L"TPageURL");
  ExpectFields(Group(wizard, L" 重定向生成向导 "), {L"协议", L"主机", L"端口", L"目录", L"文件"});
  ExpectFields(Group(wizard, L" 最终的地址（URL）"), {L"最终的地址（URL）"});
  // An address chosen as the host shows the address edit in the host's place; the
  // choice arrives as the list's notification of a user's choice.
  HWND host = FindChildren(wizard, L"ComboBox").at(1);
  SendMessageW(host, CB_SETCURSEL, 1, 0);  // the offline hosts' "IP Address..."
  PostMessageW(GetParent(host), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(host), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(host));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(FindChild(wizard, L"TBGIPEdit", L"")) != FALSE; }));
  ExpectFields(Group(wizard, L" 重定向生成向导 "), Join({{L"协议", L"主机"}, IpParts(L"主机 IP 地址"),
                                                         {L"端口", L"目录", L"文件"}}));
}

TEST_F(AccessibilityTest, TheInformationPagesNameEachFieldTheListsIncluded) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoProId));
  HWND info = Open(L"站点信息", L"TPageInfo");
  ASSERT_NE(info, nullptr);
  HWND generic = ShownPage(L"TPageGenericInfo", info);
  ASSERT_NE(Find(generic, L"Edit", L"123456789"), nullptr);
  ExpectFields(generic, {L"网络类型", L"国家", L"ICQ", L"QQ", L"IPN", L"提供的服务", L"站点描述"});
  const int middles[] = {28, 104, 181};
  ClickTab(info, {30, 290}, middles[1]);
  ExpectFields(ShownPage(L"TPageCategory", info), {L"站点分类"});
  ClickTab(info, {30, 290}, middles[2]);
  ExpectFields(ShownPage(L"TPageNewsKeys", info),
               {L"站点关键字 - 多个关键字间用英文逗号隔开", L"站点新闻 - 最上方的最新", L"新闻的顺序", L"新闻内容"});
}

TEST_F(AccessibilityTest, TheStandardPagesNameTheirFieldsAndTheSnapshotButtonsSayWhatTheyDo) {
  ASSERT_NO_FATAL_FAILURE(Start(vt::test::kDemoStdId));
  HWND dns = Open(L"域名设置", L"TPageDnsStd");
  ASSERT_NE(Find(dns, L"Edit", L"demo-std"), nullptr);
  // On the screen only a full stop stands before the suffix list.
  ExpectFields(Group(dns, L" 域名设定"), {L"二级域名：", L"域名后缀", L"缓存时间："});
  EXPECT_EQ(AccessibleName(Find(dns, L"TPicBtn", L"查看专业版快照")), L"查看专业版快照");

  HWND records = Open(L"资源记录", L"TPageRRsStd");
  ASSERT_NE(Find(records, L"Edit", L"www"), nullptr);
  ExpectFields(records, Join({{L"主机名"}, IpParts(L"IP 地址"), {L"缓存时间", L"别名", L"主机名", L"缓存时间"}}));

  HWND hierarchy = Open(L"域名层次", L"TPageHierarchyStd");
  ASSERT_NE(hierarchy, nullptr);
  ExpectEveryControlNamed(hierarchy);
  Names legend;
  for (HWND image : FindChildren(hierarchy, L"TCustomControl"))
    if (GetParent(image) != hierarchy) legend.push_back(AccessibleName(image));
  EXPECT_EQ(legend, (Names{L"活动", L"等待", L"过期"}));

  Click(Find(hierarchy, L"TPicBtn", L"查看专业版快照"));
  HWND snapshot = ShownPage(L"TPageHierarchyPro");
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(AccessibleName(Find(snapshot, L"TPicBtn", L"返回标准页")), L"返回标准页");
}

}  // namespace
