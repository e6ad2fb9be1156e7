#include "pages/frameOptions.h"

#include <algorithm>
#include <memory>

#include "agent/SvcObj.h"
#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "pages/PageIcons.h"
#include "shell/Common.h"
#include "toolkit/Exception.h"

namespace {

std::unique_ptr<TPageOptions> PageOptions;

constexpr int kHeartBeats[] = {900, 600, 300};  // by the speed bar's position

TControlArgs Icon(const wchar_t* name) {
  return {.name = name, .left = 24, .top = 24, .width = 32, .height = 32};
}

TControlArgs Text(const wchar_t* name, int left, int top, int width, const wchar_t* text) {
  return {.name = name, .left = left, .top = top, .width = width, .height = 12, .caption = text};
}

// The groups' decorative pictures, drawn in code: a globe for the name server, a
// dial for the update speed, a cog for the background service.
HICON MakeGlobeIcon() {
  return MakeDrawnIcon(32, [](HDC dc) {
    FillShape(dc, RGB(40, 110, 200), [dc] { Ellipse(dc, 3, 3, 29, 29); });
    FillShape(dc, RGB(120, 190, 240), [dc] { Ellipse(dc, 10, 3, 22, 29); });
    FillShape(dc, RGB(40, 110, 200), [dc] { Ellipse(dc, 13, 4, 19, 28); });
    FillShape(dc, RGB(255, 255, 255), [dc] {
      Rectangle(dc, 4, 15, 28, 17);
      Rectangle(dc, 7, 9, 25, 10);
      Rectangle(dc, 7, 22, 25, 23);
    });
  });
}

HICON MakeDialIcon() {
  return MakeDrawnIcon(32, [](HDC dc) {
    FillShape(dc, RGB(40, 150, 70), [dc] { Pie(dc, 2, 4, 30, 32, 30, 18, 2, 18); });
    FillShape(dc, RGB(230, 245, 230), [dc] { Pie(dc, 6, 8, 26, 28, 26, 18, 6, 18); });
    FillShape(dc, RGB(200, 60, 40), [dc] {
      const POINT needle[] = {{15, 19}, {17, 17}, {24, 9}};
      Polygon(dc, needle, 3);
      Ellipse(dc, 13, 15, 19, 21);
    });
  });
}

HICON MakeCogIcon() {
  return MakeDrawnIcon(32, [](HDC dc) {
    FillShape(dc, RGB(200, 120, 30), [dc] {
      Ellipse(dc, 6, 6, 26, 26);
      Rectangle(dc, 14, 2, 18, 30);
      Rectangle(dc, 2, 14, 30, 18);
      const POINT slash[] = {{6, 9}, {9, 6}, {26, 23}, {23, 26}};
      const POINT back[] = {{23, 6}, {26, 9}, {9, 26}, {6, 23}};
      Polygon(dc, slash, 4);
      Polygon(dc, back, 4);
    });
    FillShape(dc, RGB(255, 255, 255), [dc] { Ellipse(dc, 11, 11, 21, 21); });
  });
}

// The system's own shield at the small icon size, a copy the picture may own.
HICON ShieldIcon() {
  const auto shared = static_cast<HICON>(LoadImageW(nullptr, IDI_SHIELD, IMAGE_ICON, 16, 16, LR_SHARED));
  return shared ? CopyIcon(shared) : nullptr;
}

void ShowIcon(TImage& image, HICON icon) {
  AssignIcon(image.Picture(), icon);
  image.SetTransparent(true);
}

}  // namespace

std::optional<int> SpeedPosition(int heartBeat) {
  if (heartBeat < 1 || heartBeat > 900) return std::nullopt;
  if (heartBeat <= 450) return 2;
  if (heartBeat <= 750) return 1;
  return 0;
}

int HeartBeatOf(int position) { return kHeartBeats[position < 0 ? 0 : position > 2 ? 2 : position]; }

TPageOptions::TPageOptions(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageOptions", kWidth),
      GroupServer(*this, {.name = L"GroupServer", .left = 20, .top = 12, .width = 393, .height = 93,
                          .caption = L" 域名服务器 ", .tabOrder = 1}),
      Image2(GroupServer, Icon(L"Image2")),
      BGLabel1(GroupServer, Text(L"BGLabel1", 76, 32, 48, L"服务器名")),
      cmbServer(GroupServer,
                {.name = L"cmbServer", .left = 136, .top = 28, .width = 133, .height = 20},
                {.style = TComboStyle::DropDownList, .itemHeight = 12}),
      BGLabel6(GroupServer, Text(L"BGLabel6", 280, 32, 96, L"（需要重新签入）")),
      chkAutoConnect(GroupServer, {.name = L"chkAutoConnect", .left = 24, .top = 64, .width = 193,
                                   .height = 17, .caption = L"自动连接（签入）服务器"}),
      GroupSpeed(*this, {.name = L"GroupSpeed", .left = 20, .top = 116, .width = 393, .height = 69,
                         .caption = L" 更新速度 ", .tabOrder = 0}),
      Image1(GroupSpeed, Icon(L"Image1")),
      BGLabel2(GroupSpeed, Text(L"BGLabel2", 76, 28, 48, L"更新频率")),
      tbSpeed(GroupSpeed, {.name = L"tbSpeed", .left = 136, .top = 20, .width = 133, .height = 21},
              {.tickMarks = TTickMarks::BottomRight, .tickStyle = TTickStyle::Auto,
               .thumbLength = 10, .min = 0, .max = 2, .frequency = 1}),
      BGLabel3(GroupSpeed, Text(L"BGLabel3", 136, 44, 12, L"低")),
      BGLabel4(GroupSpeed, Text(L"BGLabel4", 196, 44, 12, L"中")),
      BGLabel5(GroupSpeed, Text(L"BGLabel5", 256, 44, 12, L"高")),
      BGGroupBox3(*this, {.name = L"BGGroupBox3", .left = 20, .top = 196, .width = 393,
                          .height = 77, .caption = L" 后台服务 ", .tabOrder = 2}),
      Image3(BGGroupBox3, Icon(L"Image3")),
      chkAutoRun(BGGroupBox3, {.name = L"chkAutoRun", .left = 76, .top = 24, .width = 177,
                               .height = 17, .caption = L"系统启动时自动运行"}),
      chkService(BGGroupBox3, {.name = L"chkService", .left = 104, .top = 48, .width = 233,
                               .height = 17, .caption = L"作为 Windows 的服务（Service）运行"}),
      imgShield(BGGroupBox3, {.name = L"imgShield", .left = 260, .top = 24, .width = 16,
                              .height = 16, .caption = L"需要管理员权限"}) {
  BGLabel1.SetFocusControl(cmbServer);
  BGLabel2.SetFocusControl(tbSpeed);
  ShowIcon(Image2, MakeGlobeIcon());
  ShowIcon(Image1, MakeDialIcon());
  ShowIcon(Image3, MakeCogIcon());
  ShowIcon(imgShield, ShieldIcon());
  imgShield.SetVisible(StartUpChangeNeedsConsent());
}

void TPageOptions::SetEnabled(bool value) {
  if (value == contentEnabled_) return;
  contentEnabled_ = value;
  GroupServer.SetEnabled(value);
  GroupSpeed.SetEnabled(value);
}

void TPageOptions::Refresh() {
  DetachHandlers();
  speedMoved_ = false;
  if (AppFile.Assigned()) ShowServers();
  if (LocalSettings.Assigned()) {
    ShowLocalSettings();
    auto changed = [this](TControl&) { OptionsChanged(); };
    cmbServer.OnChange = changed;
    tbSpeed.OnChange = [this](TControl&) {
      speedMoved_ = true;
      OptionsChanged();
    };
    chkAutoConnect.OnClick = changed;
  }
  ShowStartUp();
  chkAutoRun.OnClick = [this](TControl& s) { chkAutoRunClick(s); };
  chkService.OnClick = [this](TControl&) { OptionsChanged(); };
  TBaseFrame::Refresh();
  // Keys would still reach the server box inside its disabled group: the focus goes
  // to the group that stays usable.
  if (!contentEnabled_ && cmbServer.Focused()) chkAutoRun.SetFocus();
}

void TPageOptions::DetachHandlers() {
  cmbServer.OnChange = nullptr;
  tbSpeed.OnChange = nullptr;
  chkAutoConnect.OnClick = nullptr;
  chkAutoRun.OnClick = nullptr;
  chkService.OnClick = nullptr;
}

void TPageOptions::ShowServers() {
  const TXMLHostsType hosts = AppFile.Hosts();
  std::vector<std::wstring> names;
  names.reserve(static_cast<size_t>(std::max(hosts.Count(), 0)));
  for (int i = 0; i < hosts.Count(); ++i) names.push_back(hosts.Item(i));
  cmbServer.SetItems(names);
  cmbServer.SetFocus();
}

void TPageOptions::ShowLocalSettings() {
  // The last entry equal to Host stays selected; none when the file does not list it.
  const std::wstring host = LocalSettings.Host();
  for (int i = 0; i < cmbServer.Count(); ++i)
    if (cmbServer.Item(i) == host) cmbServer.SetItemIndex(i);
  // An absent or unreadable value leaves its control as it stood, as an out-of-range
  // HeartBeat does, so that the start-up boxes below still load.
  try {
    chkAutoConnect.SetChecked(LocalSettings.AutoConnect());
  } catch (const EError&) {
  }
  try {
    if (const auto position = SpeedPosition(LocalSettings.HeartBeat())) tbSpeed.SetPosition(*position);
  } catch (const EError&) {
  }
}

void TPageOptions::ShowStartUp() {
  SvcObj->Load();
  chkAutoRun.SetChecked(SvcObj->AutoRun);
  chkService.SetChecked(SvcObj->RunAsService);
  chkService.SetEnabled(IsNT() && chkAutoRun.Checked());
}

void TPageOptions::chkAutoRunClick(TControl&) {
  if (IsNT()) {
    // A service is only kept together with start-up.
    if (!chkAutoRun.Checked()) chkService.SetChecked(false);
    chkService.SetEnabled(chkAutoRun.Checked());
    chkService.Invalidate();
  }
  OptionsChanged();
}

bool TPageOptions::StoredSpeedShown() const {
  try {
    return SpeedPosition(LocalSettings.HeartBeat()).has_value();
  } catch (const EError&) {
    return false;
  }
}

void TPageOptions::OptionsChanged() {
  if (LocalSettings.Assigned()) {
    // With no entry chosen (a stored Host the application file does not list) the
    // stored Host stays: writing the empty box would lose it.
    if (cmbServer.ItemIndex() >= 0) LocalSettings.SetHost(cmbServer.Text());
    LocalSettings.SetAutoConnect(chkAutoConnect.Checked());
    // A stored speed the bar cannot show (1200, unreadable) stays until the bar moves.
    if (speedMoved_ || StoredSpeedShown()) LocalSettings.SetHeartBeat(HeartBeatOf(tbSpeed.Position()));
    SetLocalSettingsModified(true);
  }
  if (SvcObj) {
    SvcObj->AutoRun = chkAutoRun.Checked();
    SvcObj->RunAsService = chkService.Checked();
    SetLocalSettingsModified(true);
  }
}

TComPtr<IPageWrapper> ShowPageOptions(TControl& owner) {
  if (!SvcObj) SvcObj = std::make_unique<TSvcObj>();
  TPageOptions& page = CreateOrShowPage(PageOptions, owner);
  return OpenMainPage(page, {.enable = true});
}

void PreparePageOptions(TControl& owner) {
  CreatePage(PageOptions, owner);
}
