#include "pages/frameChild.h"

#include <memory>

#include "agent/UnitDef.h"
#include "shell/Common.h"
#include "pages/PageLayout.h"

namespace {

std::unique_ptr<TPageChild> PageChild;

constexpr int kNewCaption = 553, kPropertiesCaption = 554;

constexpr TDomainDialogForm kForm{.className = TPageChild::kClassName, .name = L"PageChild",
                                  .groupName = L"GroupChild", .groupCaption = L"",
                                  .domainAt = {92, 56}, .domainTabOrder = 1, .listMatched = L"列出匹配域名"};

}  // namespace

TPageChild::TPageChild(TControl& owner)
    : TDomainDialog(owner, kForm),
      GroupChild(Group),
      BGLabel2(Group, CaptionArgs(*this, L"BGLabel2", 29, 28, L"子节点名")),
      edtNode(Group, DomainFieldArgs(L"edtNode", {92, 24}, 0)),
      BGLabel1(Group, CaptionArgs(*this, L"BGLabel1", 30, 60, L"外部域名")) {
  BGLabel2.SetFocusControl(edtNode);
  BGLabel1.SetFocusControl(edtDomain);
  edtNode.OnChange = [this](TControl& s) { edtNodeChange(s); };
}

void TPageChild::Refresh() {
  // Emptied before the domain's handler goes, so that a domain left from the last
  // show restarts the search, which then runs on the text loaded below.
  Timer1.SetEnabled(false);
  edtNode.Clear();
  edtDomain.Clear();
  AttachDomainChange(false);
  lstDomains.Clear();
  if (recordIndex_ < 0) {
    GroupChild.SetCaption(GetResString(kNewCaption));
    edtNode.SetEnabled(true);
    edtNode.SetFocus();
  } else {
    GroupChild.SetCaption(GetResString(kPropertiesCaption));
    if (UserProfile.Assigned()) {
      const TXMLChildType child = UserProfile.Children().Item(recordIndex_);
      edtNode.SetText(child.Name());
      edtDomain.SetText(child.Domain());
    }
    edtNode.SetEnabled(false);  // the node name cannot be changed
    edtDomain.SetFocus();
  }
  AttachDomainChange(true);
  btnOK.SetEnabled(false);
  TBaseFrame::Refresh();
}

void TPageChild::edtNodeChange(TControl&) { btnOK.SetEnabled(true); }
void TPageChild::DomainChanged() { btnOK.SetEnabled(true); }

void TPageChild::StoreItem(int sequence) {
  TXMLChildrenType children = UserProfile.Children();
  TXMLChildType child = recordIndex_ < 0 ? children.Add() : children.Item(recordIndex_);
  child.SetName(edtNode.Text());
  child.SetSequence(sequence);
  child.SetDomain(edtDomain.Text());
  child.SetToken(1);
}

TComPtr<IPageWrapper> ShowPageChild(TControl& owner, int index) {
  TPageChild& page = CreateOrShowPage(PageChild, owner);
  page.SetRecordIndex(index);
  return OpenMainPage(page, {.enable = false});
}

void PreparePageChild(TControl& owner) {
  CreatePage(PageChild, owner);
}
