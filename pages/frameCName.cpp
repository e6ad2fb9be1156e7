#include "pages/frameCName.h"

#include "agent/UnitDef.h"

namespace {

std::unique_ptr<TPageCname> PageCname;

constexpr TRecordEditorForm kForm{.className = TPageCname::kClassName, .name = L"PageCname",
                                  .groupName = L"GroupCname", .groupCaption = L"新的别名",
                                  .nameLabel = L"别名", .secondLabel = L"主机名", .fieldCount = 2,
                                  .newCaption = 545, .propertiesCaption = 546};

}  // namespace

TPageCname::TPageCname(TControl& owner)
    : TRecordEditor(owner, kForm),
      GroupCname(Group),
      edtHost(Group, RecordFieldArgs(L"edtHost", 84, 23, 1)) {
  BGLabel2.SetFocusControl(edtHost);
  edtHost.OnChange = [this](TControl& s) { RecordModified(s); };
}

int TPageCname::LoadRecord(int index) {
  const TXMLCNameType item = UserProfile.CNames().Item(index);
  edtName.SetText(item.Name());
  edtHost.SetText(item.Host());
  return item.TTL();
}

void TPageCname::StoreRecord(int index, int ttlSeconds) {
  TXMLCNamesType items = UserProfile.CNames();
  TXMLCNameType item = index < 0 ? items.Add() : items.Item(index);
  item.SetName(edtName.Text());
  item.SetHost(edtHost.Text());
  item.SetTTL(ttlSeconds);
}

TComPtr<IPageWrapper> ShowPageCname(TControl& owner, int index) {
  return ShowRecordEditor(PageCname, owner, index);
}

void PreparePageCname(TControl& owner) {
  CreatePage(PageCname, owner);
}
