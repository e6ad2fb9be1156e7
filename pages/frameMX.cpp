#include "pages/frameMX.h"

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "skin/BGIPEdit.h"

namespace {

std::unique_ptr<TPageMX> PageMX;

constexpr TRecordEditorForm kForm{.className = TPageMX::kClassName, .name = L"PageMX",
                                  .groupName = L"GroupCname", .groupCaption = L"新的邮件交换器",
                                  .nameLabel = L"主机或域名", .secondLabel = L"邮件服务器", .fieldCount = 3,
                                  .newCaption = 547, .propertiesCaption = 548};

}  // namespace

TPageMX::TPageMX(TControl& owner)
    : TRecordEditor(owner, kForm),
      GroupCname(Group),
      edtHost(Group, RecordFieldArgs(L"edtHost", 84, 23, 1)),
      BGLabel4(Group, CaptionArgs(*this, L"BGLabel4", 20, 116, L"服务器优先级")),
      edtPreference(Group, RecordFieldArgs(L"edtPreference", 132, 23, 2), {.maxLength = kPreferenceDigits}) {
  BGLabel2.SetFocusControl(edtHost);
  BGLabel4.SetFocusControl(edtPreference);
  edtHost.OnChange = [this](TControl& s) { RecordModified(s); };
  edtPreference.OnChange = [this](TControl& s) { edtPreferenceChange(s); };
  edtPreference.OnKeyPress = [this](TControl& s, wchar_t& key) { edtPreferenceKeyPress(s, key); };
}

void TPageMX::edtPreferenceKeyPress(TControl&, wchar_t& key) {
  if ((key >= L'0' && key <= L'9') || key == VK_BACK) return;
  key = 0;
  MessageBeep(MB_OK);
}

void TPageMX::edtPreferenceChange(TControl& sender) {
  const std::wstring text = edtPreference.Text();
  if (!text.empty() && !IsDigitText(text) && text != loadedPreference_) {
    MessageBeep(MB_OK);
    edtPreference.SetText(acceptedPreference_);
    return;
  }
  acceptedPreference_ = text;
  RecordModified(sender);
}

void TPageMX::ClearFields() {
  loadedPreference_.clear();
  edtHost.Clear();
  edtPreference.Clear();
}

void TPageMX::PrepareNewRecord() { edtPreference.SetText(std::to_wstring(kDefaultPreference)); }

int TPageMX::LoadRecord(int index) {
  const TXMLMXType item = UserProfile.MXs().Item(index);
  edtName.SetText(item.Name());
  edtHost.SetText(item.NameExchange());
  // Shown as stored, even a value the field would not take from the keyboard (-5).
  loadedPreference_ = std::to_wstring(item.Preference());
  edtPreference.SetText(loadedPreference_);
  return item.TTL();
}

void TPageMX::StoreRecord(int index, int ttlSeconds) {
  TXMLMXsType items = UserProfile.MXs();
  TXMLMXType item = index < 0 ? items.Add() : items.Item(index);
  item.SetName(edtName.Text());
  item.SetNameExchange(edtHost.Text());
  // A priority the user did not touch stays as it is stored.
  const std::wstring preference = edtPreference.Text();
  if (index < 0 || preference != loadedPreference_)
    item.SetPreference(IsDigitText(preference) ? std::stoi(preference) : kDefaultPreference);
  item.SetTTL(ttlSeconds);
}

TComPtr<IPageWrapper> ShowPageMX(TControl& owner, int index) { return ShowRecordEditor(PageMX, owner, index); }

void PreparePageMX(TControl& owner) {
  CreatePage(PageMX, owner);
}
