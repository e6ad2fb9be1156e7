#include "pages/frameGenericInfo.h"

#include <array>

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "pages/PageIcons.h"
#include "toolkit/Exception.h"

namespace {

constexpr int kColumnWidth = 145;  // the left column's three controls
constexpr TComboBoxOptions kChoiceList{.style = TComboStyle::DropDownList};
constexpr TMemoOptions kDescription{.scrollBars = TScrollBars::None};

TControlArgs Field(const wchar_t* name, int left, int top, int width, int height, int tabOrder) {
  return {.name = name, .left = left, .top = top, .width = width, .height = height, .tabOrder = tabOrder};
}

TControlArgs Icon(const wchar_t* name, int top) {
  return {.name = name, .left = 188, .top = top, .width = 16, .height = 16};
}

template <size_t N>
std::vector<std::wstring> Texts(const std::array<const wchar_t*, N>& vocabulary) {
  return {vocabulary.begin(), vocabulary.end()};
}

// The messenger icons, drawn in code: a flower, a bird and a telephone.
HICON MakeFlowerIcon() {
  return MakeDrawnIcon(16, [](HDC dc) {
    FillShape(dc, RGB(40, 160, 60), [dc] {
      for (const POINT c : {POINT{8, 4}, POINT{12, 8}, POINT{8, 12}, POINT{4, 8}})
        Ellipse(dc, c.x - 3, c.y - 3, c.x + 4, c.y + 4);
    });
    FillShape(dc, RGB(220, 40, 30), [dc] { Ellipse(dc, 6, 1, 11, 6); });
    FillShape(dc, RGB(250, 210, 40), [dc] { Ellipse(dc, 6, 6, 11, 11); });
  });
}

HICON MakeBirdIcon() {
  return MakeDrawnIcon(16, [](HDC dc) {
    FillShape(dc, RGB(1, 1, 1), [dc] { Ellipse(dc, 3, 1, 13, 15); });
    FillShape(dc, RGB(255, 255, 255), [dc] { Ellipse(dc, 5, 6, 11, 14); });
    FillShape(dc, RGB(240, 160, 20), [dc] {
      const POINT beak[] = {{7, 4}, {10, 4}, {8, 6}};
      Polygon(dc, beak, 3);
      Rectangle(dc, 3, 14, 7, 16);
      Rectangle(dc, 9, 14, 13, 16);
    });
  });
}

HICON MakePhoneIcon() {
  return MakeDrawnIcon(16, [](HDC dc) {
    FillShape(dc, RGB(40, 90, 170), [dc] {
      RoundRect(dc, 1, 3, 15, 7, 4, 4);
      Rectangle(dc, 3, 7, 13, 15);
    });
    FillShape(dc, RGB(255, 255, 255), [dc] {
      for (int y : {9, 12})
        for (int x : {5, 8, 11}) Rectangle(dc, x - 1, y, x + 1, y + 2);
    });
  });
}

}  // namespace

TPageGenericInfo::TPageGenericInfo(TControl& host)
    : TInfoSheet(host, kClassName, L"PageGenericInfo", kWidth, kHeight),
      BGLabel1(BGPanel1, CaptionArgs(*this, L"BGLabel1", 24, 16, L"网络类型")),
      cmbConType(BGPanel1, Field(L"cmbConType", 24, 32, kColumnWidth, 23, 0), kChoiceList),
      BGLabel2(BGPanel1, CaptionArgs(*this, L"BGLabel2", 24, 64, L"国家")),
      cmbCountry(BGPanel1, Field(L"cmbCountry", 24, 80, kColumnWidth, 23, 1)),
      BGLabel6(BGPanel1, CaptionArgs(*this, L"BGLabel6", 24, 120, L"提供的服务")),
      lstServices(BGPanel1, Field(L"lstServices", 24, 136, kColumnWidth, 97, 5), {.multiSelect = true}),
      BGLabel8(BGPanel1, CaptionArgs(*this, L"BGLabel8", 24, 240, L"多选请按住Ctrl键")),
      Image1(BGPanel1, Icon(L"Image1", 24)),
      Image2(BGPanel1, Icon(L"Image2", 56)),
      Image3(BGPanel1, Icon(L"Image3", 88)),
      BGLabel3(BGPanel1, CaptionArgs(*this, L"BGLabel3", 208, 24, L"ICQ")),
      BGLabel4(BGPanel1, CaptionArgs(*this, L"BGLabel4", 208, 56, L"QQ")),
      BGLabel5(BGPanel1, CaptionArgs(*this, L"BGLabel5", 208, 88, L"IPN")),
      edtICQ(BGPanel1, Field(L"edtICQ", 240, 20, 121, 23, 2)),
      edtQQ(BGPanel1, Field(L"edtQQ", 240, 52, 121, 23, 3)),
      edtIPN(BGPanel1, Field(L"edtIPN", 240, 84, 121, 23, 4)),
      BGLabel7(BGPanel1, CaptionArgs(*this, L"BGLabel7", 188, 120, L"站点描述")),
      MemoDesc(BGPanel1, Field(L"MemoDesc", 188, 136, 177, 117, 6), kDescription) {
  // Each field is named after the label before it.
  BGLabel1.SetFocusControl(cmbConType);
  BGLabel2.SetFocusControl(cmbCountry);
  BGLabel6.SetFocusControl(lstServices);
  BGLabel3.SetFocusControl(edtICQ);
  BGLabel4.SetFocusControl(edtQQ);
  BGLabel5.SetFocusControl(edtIPN);
  BGLabel7.SetFocusControl(MemoDesc);
  AssignIcon(Image1.Picture(), MakeFlowerIcon());
  AssignIcon(Image2.Picture(), MakeBirdIcon());
  AssignIcon(Image3.Picture(), MakePhoneIcon());
  lstServices.OnClick = [this](TControl& s) { lstServicesClick(s); };
}

void TPageGenericInfo::Refresh() {
  AttachHandlers(nullptr);
  cmbConType.SetItems(Texts(kConnectionTypes));
  cmbCountry.Fill();
  lstServices.SetItems(Texts(kServiceKinds));
  const TNotifyEvent changed = [this](TControl& s) { GenericInfoChanged(s); };
  if (UserProfile.Assigned()) {
    try {
      ShowProfile();
    } catch (...) {
      AttachHandlers(changed);  // what was loaded stays editable
      throw;
    }
  }
  AttachHandlers(changed);
  cmbConType.SetFocus();
  TInfoSheet::Refresh();
}

void TPageGenericInfo::AttachHandlers(const TNotifyEvent& changed) {
  cmbConType.OnChange = cmbCountry.OnChange = changed;
  edtICQ.OnChange = edtQQ.OnChange = edtIPN.OnChange = MemoDesc.OnChange = changed;
}

// The texts first: a damaged number below must not leave them empty, since every
// change writes them all back.
void TPageGenericInfo::ShowProfile() {
  edtICQ.SetText(UserProfile.ICQ());
  edtQQ.SetText(UserProfile.OICQ());
  edtIPN.SetText(UserProfile.IPN());
  MemoDesc.SetText(UserProfile.Description());
  // An unreadable connection type or language selects nothing, which keeps it.
  try {
    cmbConType.SetItemIndex(UserProfile.ConnectionType());
  } catch (const EError&) {
  }
  try {
    cmbCountry.SelectLanguage(static_cast<LANGID>(UserProfile.HostLanguage()));
  } catch (const EError&) {
    cmbCountry.SelectLanguage(0);
  }
  SelectServices(StoredServices().codes);
}

void TPageGenericInfo::SelectServices(const std::vector<int>& services) {
  for (int service : services)
    if (service >= 0 && service < lstServices.Count()) lstServices.SetSelected(service, true);
}

TPageGenericInfo::TStoredServices TPageGenericInfo::StoredServices() const {
  const TXMLServicesType services = UserProfile.Services();
  TStoredServices stored;
  for (int i = 0; i < services.Count(); ++i) {
    try {
      stored.codes.push_back(services.Item(i));
    } catch (const EError&) {
      stored.unreadable.push_back(services.ItemText(i));
    }
  }
  return stored;
}

void TPageGenericInfo::GenericInfoChanged(TControl&) {
  if (!UserProfile.Assigned()) return;
  // Nothing chosen means the stored value is none the boxes offer: it stays.
  if (cmbConType.ItemIndex() >= 0) UserProfile.SetConnectionType(cmbConType.ItemIndex());
  if (const LANGID language = cmbCountry.SelectedLanguage()) UserProfile.SetHostLanguage(language);
  UserProfile.SetICQ(edtICQ.Text());
  UserProfile.SetOICQ(edtQQ.Text());
  UserProfile.SetIPN(edtIPN.Text());
  UserProfile.SetDescription(MemoDesc.Text());
  MarkUserProfileModified(true);
}

void TPageGenericInfo::lstServicesClick(TControl&) {
  if (!UserProfile.Assigned()) return;
  const TStoredServices stored = StoredServices();  // before anything changes
  const int count = lstServices.Count();
  if (KeepsOthers(lstServices, static_cast<int>(stored.codes.size()))) {
    SelectServices(stored.codes);
    if (lstServices.ItemIndex() >= 0) lstServices.SetSelected(lstServices.ItemIndex(), true);
    lstServices.Invalidate();
  }
  TXMLServicesType services = UserProfile.Services();
  services.Clear();
  for (int i = 0; i < count; ++i)
    if (lstServices.Selected(i)) services.Add(i);
  // Codes the list does not offer (a later service kind), and items that cannot be
  // read, cannot be chosen or dropped here: they stay.
  for (int service : stored.codes)
    if (service < 0 || service >= count) services.Add(service);
  for (const std::wstring& text : stored.unreadable) services.AddText(text);
  MarkUserProfileModified(true);
}

TComPtr<IPageWrapper> ShowPageGenericInfo(TControl& host, std::unique_ptr<TPageGenericInfo>& slot,
                                          const RECT& rect) {
  return ShowSecondaryPage(slot, host, rect, true);
}
