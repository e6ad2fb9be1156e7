#include "pages/frameRRsStd.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/LinkLabel.h"
#include "pages/ProPage.h"
#include "pages/frameRRsPro.h"

namespace {

std::unique_ptr<TPageRRsStd> PageRRsStd;

constexpr TPanelOptions kGroupPanel{.bevelOuter = TBevelCut::Lowered, .bevelInner = TBevelCut::Raised};
constexpr TComboBoxOptions kChoiceList{.style = TComboStyle::DropDownList};

TControlArgs Box(const wchar_t* name, int top, int width, const wchar_t* caption, int tabOrder) {
  return {.name = name, .left = 28, .top = top, .width = width, .height = 17, .caption = caption,
          .tabOrder = tabOrder};
}

TControlArgs Group(const wchar_t* name, int top, int tabOrder) {
  return {.name = name, .left = 20, .top = top, .width = 393, .height = 113, .tabOrder = tabOrder};
}

TControlArgs Field(const wchar_t* name, int left, int top, int width, int height, int tabOrder) {
  return {.name = name, .left = left, .top = top, .width = width, .height = height, .tabOrder = tabOrder};
}

// The record a group shows: rewritten in place; added as the collection's first item
// when the group's box is checked again, so that the page goes on showing it.
template <class TItem, class TItems>
TItem& ShownRecord(std::optional<TItem>& shown, TItems items) {
  if (!shown) shown = items.Insert(0);
  return *shown;
}

template <class TItem, class TItems>
void RemoveShown(std::optional<TItem>& shown, TItems items) {
  if (shown) items.Remove(*shown);
  shown.reset();
}

}  // namespace

TPageRRsStd::TPageRRsStd(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageRRsStd", kWidth),
      ChkBoxHost(*this, Box(L"ChkBoxHost", 16, 61, L"主机[A]", 0)),
      BGPanel1(*this, Group(L"BGPanel1", 24, 1), kGroupPanel),
      BGLabel1(BGPanel1, CaptionArgs(*this, L"BGLabel1", 24, 16, L"主机名")),
      BGLabel2(BGPanel1, CaptionArgs(*this, L"BGLabel2", 196, 16, L"IP 地址")),
      BGLabel3(BGPanel1, CaptionArgs(*this, L"BGLabel3", 24, 60, L"缓存时间")),
      Label1(BGPanel1, CaptionArgs(*this, L"Label1", 144, 80, L"分钟")),
      edtA_Name(BGPanel1, Field(L"edtA_Name", 24, 32, 145, 23, 0)),
      edtA_IP(BGPanel1, Field(L"edtA_IP", 196, 32, 145, 21, 1)),
      cmbA_TTL(BGPanel1, Field(L"cmbA_TTL", 24, 76, 113, 23, 2), kChoiceList),
      ChkBoxCName(*this, Box(L"ChkBoxCName", 144, 97, L"别名 [CName]", 2)),
      BGPanel2(*this, Group(L"BGPanel2", 152, 3), kGroupPanel),
      BGLabel4(BGPanel2, CaptionArgs(*this, L"BGLabel4", 24, 16, L"别名")),
      BGLabel5(BGPanel2, CaptionArgs(*this, L"BGLabel5", 196, 16, L"主机名")),
      BGLabel7(BGPanel2, CaptionArgs(*this, L"BGLabel7", 24, 60, L"缓存时间")),
      Label2(BGPanel2, CaptionArgs(*this, L"Label2", 144, 80, L"分钟")),
      edtCName_Name(BGPanel2, Field(L"edtCName_Name", 24, 32, 145, 23, 0)),
      edtCName_Host(BGPanel2, Field(L"edtCName_Host", 196, 32, 145, 23, 1)),
      cmbCName_TTL(BGPanel2, Field(L"cmbCName_TTL", 24, 76, 113, 23, 2), kChoiceList),
      btnSnapShot(*this, {.name = L"btnSnapShot", .left = 278, .top = 272, .width = 135, .height = 16,
                          .caption = L"SnapShot Professional", .tabOrder = 4}),
      hostTtl_(cmbA_TTL),
      cnameTtl_(cmbCName_TTL) {
  DressSnapshotButton(btnSnapShot, L"SnapPro");
  btnSnapShot.OnClick = [this](TControl& s) { btnSnapShotClick(s); };
}

void TPageRRsStd::Refresh() {
  LoadHost();
  LoadCName();
  ChkBoxHost.SetFocus();
  TBaseFrame::Refresh();
}

void TPageRRsStd::LoadHost() {
  DetachHost();
  host_.reset();
  ChkBoxHost.SetChecked(false);
  edtA_Name.Clear();
  edtA_IP.SetIPAddress(0);
  hostTtl_.Reset(0);
  if (!UserProfile.Assigned()) return;
  TXMLAsType items = UserProfile.As();
  if (items.Count() > 0) {
    TXMLAType first = items.Item(0);
    ChkBoxHost.SetChecked(true);
    edtA_Name.SetText(first.Name());
    edtA_IP.SetIPAddress(static_cast<uint32_t>(first.IPv4()));
    hostTtl_.Show(first.TTL());
    host_ = first;
  }
  AttachHost();
}

void TPageRRsStd::LoadCName() {
  DetachCName();
  cname_.reset();
  ChkBoxCName.SetChecked(false);
  edtCName_Name.Clear();
  edtCName_Host.Clear();
  cnameTtl_.Reset(0);
  if (!UserProfile.Assigned()) return;
  TXMLCNamesType items = UserProfile.CNames();
  if (items.Count() > 0) {
    TXMLCNameType first = items.Item(0);
    ChkBoxCName.SetChecked(true);
    edtCName_Name.SetText(first.Name());
    edtCName_Host.SetText(first.Host());
    cnameTtl_.Show(first.TTL());
    cname_ = first;
  }
  AttachCName();
}

void TPageRRsStd::AttachHost() {
  const TNotifyEvent changed = [this](TControl& s) { HostChanged(s); };
  ChkBoxHost.OnClick = edtA_Name.OnChange = edtA_IP.OnChanged = cmbA_TTL.OnChange = changed;
}

void TPageRRsStd::DetachHost() {
  ChkBoxHost.OnClick = edtA_Name.OnChange = edtA_IP.OnChanged = cmbA_TTL.OnChange = nullptr;
}

void TPageRRsStd::AttachCName() {
  const TNotifyEvent changed = [this](TControl& s) { CNameChanged(s); };
  ChkBoxCName.OnClick = edtCName_Name.OnChange = edtCName_Host.OnChange = cmbCName_TTL.OnChange = changed;
}

void TPageRRsStd::DetachCName() {
  ChkBoxCName.OnClick = edtCName_Name.OnChange = edtCName_Host.OnChange = cmbCName_TTL.OnChange = nullptr;
}

void TPageRRsStd::HostChanged(TControl& sender) {
  if (!UserProfile.Assigned()) return;
  if (&sender == &cmbA_TTL) hostTtl_.Picked();
  TXMLAsType items = UserProfile.As();
  if (ChkBoxHost.Checked()) {
    TXMLAType& record = ShownRecord(host_, items);
    record.SetName(edtA_Name.Text());
    record.SetIPv4(static_cast<int>(edtA_IP.IPAddress()));
    record.SetTTL(hostTtl_.Seconds());
  } else {
    RemoveShown(host_, items);
  }
  MarkUserProfileModified(true);
  NoticeCacheTime(sender, cmbA_TTL, ChkBoxHost.Checked());
}

void TPageRRsStd::CNameChanged(TControl& sender) {
  if (!UserProfile.Assigned()) return;
  if (&sender == &cmbCName_TTL) cnameTtl_.Picked();
  TXMLCNamesType items = UserProfile.CNames();
  if (ChkBoxCName.Checked()) {
    TXMLCNameType& record = ShownRecord(cname_, items);
    record.SetName(edtCName_Name.Text());
    record.SetHost(edtCName_Host.Text());
    record.SetTTL(cnameTtl_.Seconds());
  } else {
    RemoveShown(cname_, items);
  }
  MarkUserProfileModified(true);
  NoticeCacheTime(sender, cmbCName_TTL, ChkBoxCName.Checked());
}

void TPageRRsStd::NoticeCacheTime(TControl& sender, TControl& box, bool checked) {
  if (&sender == &box && checked) ShowPageMessage(561, kPopupMessageStyle);
}

void TPageRRsStd::btnSnapShotClick(TControl&) {
  TControl& main = *Parent();
  if (CurrentPage) CurrentPage->Close();
  CurrentPage = ShowPageRRsPro(main, true);
}

LRESULT TPageRRsStd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && ShowHandCursor(btnSnapShot, wParam, lParam)) return TRUE;
  return TBaseFrame::WndProc(msg, wParam, lParam);
}

TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner) {
  TPageRRsStd& page = CreateOrShowPage(PageRRsStd, owner);
  return OpenMainPage(page, {.enable = true});
}
