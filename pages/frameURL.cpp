#include "pages/frameURL.h"

#include <climits>
#include <memory>
#include <vector>

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "pages/PageIcons.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageURL> PageURL;

constexpr wchar_t kDomainValue[] = L"dn";
constexpr wchar_t kAddressValue[] = L"ip";

// The five rows of the wizard: their labels' and pictures' tops in the group box.
constexpr int kRowTop[] = {30, 62, 99, 132, 165};
constexpr int kIconTop[] = {28, 61, 98, 131, 164};

TControlArgs Icon(const wchar_t* name, int row) {
  return {.name = name, .left = 48, .top = kIconTop[row], .width = 16, .height = 16};
}

TControlArgs Part(const wchar_t* name, int left, int top, int width, int height, int tabOrder,
                  bool visible = true) {
  return {.name = name, .left = left, .top = top, .width = width, .height = height, .tabOrder = tabOrder,
          .visible = visible};
}

constexpr TComboBoxOptions kChoiceList{.style = TComboStyle::DropDownList};

}  // namespace

int PortNumber(const std::wstring& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  if (i == text.size()) return 0;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return 0;
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (negative) value = -value;
  return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

std::wstring ComposeUrl(const TUrlParts& parts) {
  std::wstring url;
  if (parts.scheme) url += *parts.scheme + L"://";
  if (parts.host) url += *parts.host;
  if (const int port = PortNumber(parts.port); port > 0) url += L":" + std::to_wstring(port);
  std::wstring directory = parts.directory;
  if (!directory.empty() && directory.back() == L'/') directory.pop_back();
  if (!directory.empty()) url += L"/" + directory;
  if (!parts.file.empty()) url += L"/" + parts.file;
  return url;
}

TPageURL::TPageURL(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageURL", kWidth),
      BGGroupBox1(*this, {.name = L"BGGroupBox1", .left = 20, .top = 12, .width = 397, .height = 201,
                          .caption = L" 重定向生成向导 ", .tabOrder = 0}),
      BGLabel6(BGGroupBox1, CaptionArgs(*this, L"BGLabel6", 24, kRowTop[0], L"(1)")),
      BGLabel7(BGGroupBox1, CaptionArgs(*this, L"BGLabel7", 24, kRowTop[1], L"(2)")),
      BGLabel8(BGGroupBox1, CaptionArgs(*this, L"BGLabel8", 24, kRowTop[2], L"(3)")),
      BGLabel9(BGGroupBox1, CaptionArgs(*this, L"BGLabel9", 24, kRowTop[3], L"(4)")),
      BGLabel10(BGGroupBox1, CaptionArgs(*this, L"BGLabel10", 24, kRowTop[4], L"(5)")),
      Image1(BGGroupBox1, Icon(L"Image1", 0)),
      Image2(BGGroupBox1, Icon(L"Image2", 1)),
      Image3(BGGroupBox1, Icon(L"Image3", 2)),
      Image4(BGGroupBox1, Icon(L"Image4", 3)),
      Image5(BGGroupBox1, Icon(L"Image5", 4)),
      BGLabel1(BGGroupBox1, CaptionArgs(*this, L"BGLabel1", 72, kRowTop[0], L"协议")),
      BGLabel2(BGGroupBox1, CaptionArgs(*this, L"BGLabel2", 72, kRowTop[1], L"主机")),
      BGLabel3(BGGroupBox1, CaptionArgs(*this, L"BGLabel3", 72, kRowTop[2], L"端口")),
      BGLabel4(BGGroupBox1, CaptionArgs(*this, L"BGLabel4", 72, kRowTop[3], L"目录")),
      BGLabel5(BGGroupBox1, CaptionArgs(*this, L"BGLabel5", 72, kRowTop[4], L"文件")),
      cmbProtocol(BGGroupBox1, Part(L"cmbProtocol", 116, 26, 97, 23, 0), kChoiceList),
      edtProtocol(BGGroupBox1, Part(L"edtProtocol", 220, 26, 121, 23, 1, false)),
      cmbServer(BGGroupBox1, Part(L"cmbServer", 116, 58, 97, 23, 2), kChoiceList),
      edtDomain(BGGroupBox1, Part(L"edtDomain", 220, 58, 121, 23, 3, false)),
      edtIP(BGGroupBox1, Part(L"edtIP", 220, 58, 121, 21, 4, false)),
      edtPort(BGGroupBox1, Part(L"edtPort", 116, 95, 81, 23, 5)),
      edtDir(BGGroupBox1, Part(L"edtDir", 116, 128, 225, 23, 6)),
      edtFile(BGGroupBox1, Part(L"edtFile", 116, 161, 97, 23, 7)),
      BGGroupBox2(*this, {.name = L"BGGroupBox2", .left = 20, .top = 224, .width = 397, .height = 69,
                          .caption = L" 最终的地址（URL）", .tabOrder = 1}),
      edtURL(BGGroupBox2, Part(L"edtURL", 12, 24, 297, 23, 0)),
      btnOK(BGGroupBox2, {.name = L"btnOK", .left = 316, .top = 20, .width = 45, .height = 25,
                          .caption = L"确定", .tabOrder = 1}),
      btnCancel(BGGroupBox2, {.name = L"btnCancel", .left = 360, .top = 20, .width = 29, .height = 25,
                              .tabOrder = 2}),
      nameProtocol(edtProtocol, L"其他协议"),
      nameDomain(edtDomain, L"主机域名"),
      nameURL(edtURL, L"最终的地址（URL）") {
  BGLabel1.SetFocusControl(cmbProtocol);
  BGLabel2.SetFocusControl(cmbServer);
  BGLabel3.SetFocusControl(edtPort);
  BGLabel4.SetFocusControl(edtDir);
  BGLabel5.SetFocusControl(edtFile);
  edtIP.SetAccessibleName(L"主机 IP 地址");
  // It shows only its picture.
  btnCancel.SetAccessibleName(L"取消");
  AssignIcon(Image1.Picture(), MakeProtocolIcon());
  AssignIcon(Image2.Picture(), MakeHostGlyph());
  AssignIcon(Image3.Picture(), MakePortIcon());
  AssignIcon(Image4.Picture(), MakeFolderIcon());
  AssignIcon(Image5.Picture(), MakeFileIcon());
  AssignIcon(btnCancel.Glyph(), MakeDeleteGlyph());
  btnOK.SetFont(MakeFont({.face = L"Arial", .height = 12, .charset = ANSI_CHARSET, .weight = FW_BOLD}));
  btnOK.SetFontColor(RGB(0, 128, 0));
  SetDefaultButton(&btnOK);
  SetCancelButton(&btnCancel);

  cmbProtocol.OnChange = [this](TControl& s) { cmbProtocolChange(s); };
  cmbServer.OnChange = [this](TControl& s) { cmbServerChange(s); };
  for (TEdit* part : {&edtProtocol, &edtDomain, &edtPort, &edtDir, &edtFile})
    part->OnChange = [this](TControl& s) { URLChanged(s); };
  edtIP.OnChanged = [this](TControl& s) { URLChanged(s); };
  edtPort.OnKeyPress = [this](TControl& s, wchar_t& key) { edtPortKeyPress(s, key); };
  btnOK.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnCancel.OnClick = [this](TControl& s) { btnCancelClick(s); };
}

std::span<const TVocabularyItem> TPageURL::Hosts(TUrlTarget target) {
  if (target == TUrlTarget::Online) return kOnlineUrlHosts;
  return kOfflineUrlHosts;
}

void TPageURL::Refresh() {
  TBaseFrame::Refresh();
  cmbProtocol.SetItems(ShownTexts(kUrlProtocols));
  edtProtocol.Clear();
  edtProtocol.SetVisible(false);
  hosts_ = Hosts(target_);
  cmbServer.SetItems(ShownTexts(hosts_));
  edtDomain.Clear();
  edtDomain.SetVisible(false);
  ResetAddress();
  edtIP.SetVisible(false);
  edtPort.SetText(L"0");
  edtDir.Clear();
  edtFile.Clear();
  cmbProtocol.SetFocus();
}

// The address edit raises its change once per written field after the first, with
// half-written addresses in between, and nothing when one field differs; the reset
// composes once when the address really changed, as the other parts do.
void TPageURL::ResetAddress() {
  const bool changed = edtIP.IPAddress() != 0;
  const TNotifyEvent changedEvent = edtIP.OnChanged;
  edtIP.OnChanged = nullptr;
  edtIP.SetIPAddress(0);
  edtIP.OnChanged = changedEvent;
  if (changed) URLChanged(edtIP);
}

void TPageURL::cmbProtocolChange(TControl& sender) {
  const int index = cmbProtocol.ItemIndex();
  if (index < 0) return;
  if (*kUrlProtocols[index].value == L'\0') {  // "Other...": the user types the scheme
    edtProtocol.SetVisible(true);
    edtProtocol.SetFocus();
    return;
  }
  edtProtocol.SetVisible(false);
  URLChanged(sender);
}

void TPageURL::cmbServerChange(TControl& sender) {
  const int index = cmbServer.ItemIndex();
  if (index < 0) return;
  edtDomain.SetVisible(false);
  edtIP.SetVisible(false);
  const std::wstring value = hosts_[index].value;
  if (value == kDomainValue) {
    edtDomain.SetVisible(true);
    edtDomain.SetFocus();
  } else if (value == kAddressValue) {
    edtIP.SetVisible(true);
    edtIP.SetFocus();
  } else {
    URLChanged(sender);
  }
}

TUrlParts TPageURL::Parts() const {
  TUrlParts parts{.port = edtPort.Text(), .directory = edtDir.Text(), .file = edtFile.Text()};
  if (const int index = cmbProtocol.ItemIndex(); index >= 0) {
    const std::wstring scheme = kUrlProtocols[index].value;
    parts.scheme = scheme.empty() ? edtProtocol.Text() : scheme;
  }
  if (const int index = cmbServer.ItemIndex(); index >= 0) {
    const std::wstring value = hosts_[index].value;
    if (value == kDomainValue)
      parts.host = edtDomain.Text();
    else if (value == kAddressValue)
      parts.host = DottedAddress(edtIP.IPAddress());
    else
      parts.host = value;
  }
  return parts;
}

void TPageURL::URLChanged(TControl&) { edtURL.SetText(ComposeUrl(Parts())); }

void TPageURL::edtPortKeyPress(TControl&, wchar_t& key) {
  if ((key >= L'0' && key <= L'9') || key == L'.' || key == VK_BACK) return;
  key = 0;
  MessageBeep(MB_OK);
}

void TPageURL::btnOKClick(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) {
    if (target_ == TUrlTarget::Online)
      p.SetOnlineURL(edtURL.Text());
    else
      p.SetOfflineURL(edtURL.Text());
  });
  Leave();
}

void TPageURL::btnCancelClick(TControl&) { Leave(); }

void TPageURL::Leave() {
  OpenSectionFrom(*this, TSection::Dns);
}

TComPtr<IPageWrapper> ShowPageURL(TControl& owner, TUrlTarget target) {
  TPageURL& page = CreateOrShowPage(PageURL, owner);
  page.SetTarget(target);
  return OpenMainPage(page, {.enable = false});
}

void PreparePageURL(TControl& owner) {
  CreatePage(PageURL, owner);
}
