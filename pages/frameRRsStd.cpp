#include "pages/frameRRsStd.h"

#include <memory>

#include "agent/UnitDef.h"
#include "toolkit/Exception.h"
#include "pages/PageLayout.h"
#include "pages/ProPage.h"
#include "pages/frameRRsPro.h"
#include "shell/Navigator.h"

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
                          .caption = kSnapshotCaption, .tabOrder = 4}),
      host_{.box = ChkBoxHost,
            .name = edtA_Name,
            .ttlBox = cmbA_TTL,
            .field = edtA_IP,
            .items = [] { return UserProfile.As(); },
            .loadField = [this](const TXMLAType* item) {
              edtA_IP.SetIPAddress(item ? static_cast<uint32_t>(item->IPv4()) : 0);
            },
            .storeField = [this](TXMLAType& item) { item.SetIPv4(static_cast<int>(edtA_IP.IPAddress())); },
            .attach =
                [this](const TNotifyEvent& changed) {
                  ChkBoxHost.OnClick = edtA_Name.OnChange = edtA_IP.OnChanged = cmbA_TTL.OnChange = changed;
                }},
      cname_{.box = ChkBoxCName,
             .name = edtCName_Name,
             .ttlBox = cmbCName_TTL,
             .field = edtCName_Host,
             .items = [] { return UserProfile.CNames(); },
             .loadField = [this](const TXMLCNameType* item) { edtCName_Host.SetText(item ? item->Host() : L""); },
             .storeField = [this](TXMLCNameType& item) { item.SetHost(edtCName_Host.Text()); },
             .attach =
                 [this](const TNotifyEvent& changed) {
                   ChkBoxCName.OnClick = edtCName_Name.OnChange = edtCName_Host.OnChange =
                       cmbCName_TTL.OnChange = changed;
                 }} {
  // Each field is named after the label above it.
  BGLabel1.SetFocusControl(edtA_Name);
  BGLabel2.SetFocusControl(edtA_IP);
  edtA_IP.SetAccessibleName(BGLabel2.Caption());
  BGLabel3.SetFocusControl(cmbA_TTL);
  BGLabel4.SetFocusControl(edtCName_Name);
  BGLabel5.SetFocusControl(edtCName_Host);
  BGLabel7.SetFocusControl(cmbCName_TTL);
  DressSnapshotButton(btnSnapShot, L"SnapPro");
  btnSnapShot.OnClick = [this](TControl& s) { btnSnapShotClick(s); };
}

void TPageRRsStd::Refresh() {
  // Both groups let go of the old document before either loads the new one: a group
  // whose load fails must not go on writing into a profile that is no longer held.
  ResetGroup(host_);
  ResetGroup(cname_);
  LoadGroup(host_);
  LoadGroup(cname_);
  ChkBoxHost.SetFocus();
  TBaseFrame::Refresh();
}

template <class TItem>
void TPageRRsStd::ResetGroup(TGroup<TItem>& group) {
  group.attach(nullptr);
  group.shown.reset();
  group.document = nullptr;
  group.box.SetChecked(false);
  group.name.Clear();
  group.loadField(nullptr);
  group.ttl.Reset(0);
}

// A stored value that cannot be read leaves its control empty (no cache time chosen)
// and stays stored: each field writes only itself.
template <class TItem>
void TPageRRsStd::LoadGroup(TGroup<TItem>& group) {
  if (!UserProfile.Assigned()) return;
  auto items = group.items();
  if (items.Count() > 0) {
    const TItem first = items.Item(0);
    group.box.SetChecked(true);
    group.name.SetText(first.Name());
    try {
      group.loadField(&first);
    } catch (const EError&) {
      group.loadField(nullptr);
    }
    try {
      group.ttl.Show(first.TTL());
    } catch (const EError&) {
      group.ttl.Reset(-1);
    }
    group.shown = first;
  }
  group.document = UserProfile.DOMElement();
  group.attach([this, &group](TControl& sender) { GroupChanged(group, sender); });
}

// The changed field of the shown record is rewritten in place; checked again after it
// was removed, the group adds the record as the collection's first item with every
// field, so that the page goes on showing it.
template <class TItem>
void TPageRRsStd::GroupChanged(TGroup<TItem>& group, TControl& sender) {
  if (!UserProfile.Assigned() || UserProfile.DOMElement() != group.document) return;
  const bool chosen = &sender == &group.ttlBox;
  if (chosen) group.ttl.Picked();
  auto items = group.items();
  if (group.box.Checked()) {
    const bool added = !group.shown;
    if (added) group.shown = items.Insert(0);
    if (added || &sender == &group.name) group.shown->SetName(group.name.Text());
    if (added || &sender == &group.field) group.storeField(*group.shown);
    if (added || chosen) group.shown->SetTTL(group.ttl.Seconds());
  } else {
    if (group.shown) items.Remove(*group.shown);
    group.shown.reset();
  }
  MarkUserProfileModified(true);
  if (chosen && group.box.Checked()) ShowPageMessage(561, kPopupMessageStyle);
}

void TPageRRsStd::HostChanged(TControl& sender) { GroupChanged(host_, sender); }
void TPageRRsStd::CNameChanged(TControl& sender) { GroupChanged(cname_, sender); }

void TPageRRsStd::btnSnapShotClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageRRsPro(main, true); });
}

LRESULT TPageRRsStd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && ShowHandCursor(btnSnapShot, wParam, lParam)) return TRUE;
  return TBaseFrame::WndProc(msg, wParam, lParam);
}

TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner) {
  TPageRRsStd& page = CreateOrShowPage(PageRRsStd, owner);
  return OpenMainPage(page, {.enable = true});
}

void PreparePageRRsStd(TControl& owner) {
  CreatePage(PageRRsStd, owner);
}
