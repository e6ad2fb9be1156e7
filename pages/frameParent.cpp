#include "pages/frameParent.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"

namespace {

std::unique_ptr<TPageParent> PageParent;

constexpr TDomainDialogForm kForm{.className = TPageParent::kClassName, .name = L"PageParent",
                                  .groupName = L"GroupParent", .groupCaption = L" 新建父域",
                                  .domainAt = {96, 24}, .domainTabOrder = 0, .listMatched = L"列出匹配的域"};

}  // namespace

TPageParent::TPageParent(TControl& owner)
    : TDomainDialog(owner, kForm),
      GroupParent(Group),
      BGLabel1(Group, CaptionArgs(*this, L"BGLabel1", 26, 28, L"父域名称")) {
  BGLabel1.SetFocusControl(edtDomain);
}

void TPageParent::Refresh() {
  TBaseFrame::Refresh();
  Timer1.SetEnabled(false);
  edtDomain.Clear();
  AttachDomainChange(true);
  lstDomains.Clear();
  btnOK.SetEnabled(false);
  edtDomain.SetFocus();
}

void TPageParent::DomainChanged() { btnOK.SetEnabled(!edtDomain.Text().empty()); }

void TPageParent::StoreItem(int sequence) {
  TXMLParentType parent = UserProfile.Parents().Add();
  parent.SetSequence(sequence);
  parent.SetDomain(edtDomain.Text());
  parent.SetToken(0);
}

TComPtr<IPageWrapper> ShowPageParent(TControl& owner) {
  TPageParent& page = CreateOrShowPage(PageParent, owner);
  return OpenMainPage(page, {.enable = false});
}

void PreparePageParent(TControl& owner) {
  CreatePage(PageParent, owner);
}
