#include "pages/frameRRA.h"

#include "agent/UnitDef.h"

namespace {

std::unique_ptr<TPageRRA> PageRRA;

constexpr TRecordEditorForm kForm{.className = TPageRRA::kClassName, .name = L"PageRRA",
                                  .groupName = L"GroupHost", .groupCaption = L" 新建主机 ",
                                  .nameLabel = L"主机名", .secondLabel = L"IP 地址", .fieldCount = 2,
                                  .newCaption = 543, .propertiesCaption = 544};

}  // namespace

TPageRRA::TPageRRA(TControl& owner)
    : TRecordEditor(owner, kForm),
      GroupHost(Group),
      edtIP(Group, RecordFieldArgs(L"edtIP", 84, TBGIPEdit::kDefaultHeight, 1)) {
  BGLabel2.SetFocusControl(edtIP);
  edtIP.SetAccessibleName(kForm.secondLabel);
  edtIP.OnChanged = [this](TControl& s) { RecordModified(s); };
}

void TPageRRA::ClearFields() { edtIP.SetIPAddress(0); }

int TPageRRA::LoadRecord(int index) {
  const TXMLAType item = UserProfile.As().Item(index);
  edtName.SetText(item.Name());
  edtIP.SetIPAddress(static_cast<uint32_t>(item.IPv4()));
  return item.TTL();
}

void TPageRRA::StoreRecord(int index, int ttlSeconds) {
  TXMLAsType items = UserProfile.As();
  TXMLAType item = index < 0 ? items.Add() : items.Item(index);
  item.SetName(edtName.Text());
  item.SetIPv4(static_cast<int>(edtIP.IPAddress()));
  item.SetTTL(ttlSeconds);
}

TComPtr<IPageWrapper> ShowPageRRA(TControl& owner, int index) { return ShowRecordEditor(PageRRA, owner, index); }

void PreparePageRRA(TControl& owner) {
  CreatePage(PageRRA, owner);
}
