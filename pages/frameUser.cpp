#include "pages/frameUser.h"

#include <cmath>
#include <memory>
#include <utility>

#include "shell/Common.h"
#include "toolkit/Exception.h"
#include "toolkit/StartupTrace.h"
#include "agent/UnitDef.h"
#include "pages/frameUserModify.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageUser> PageUser;

constexpr int kValueHeight = 14;
constexpr int kChangeUserQuestion = 564;

// A caption label at its designed place, sized to its text.
TControlArgs Text(TControl& parent, const wchar_t* name, int left, int top, const wchar_t* text) {
  const SIZE size = CaptionSize(parent, text);
  return {.name = name, .left = left, .top = top, .width = size.cx, .height = size.cy, .caption = text};
}

TControlArgs Value(const wchar_t* name, int left, int top, int width) {
  return {.name = name, .left = left, .top = top, .width = width, .height = kValueHeight};
}

TControlArgs Icon(const wchar_t* name, int left, int top, bool visible = true) {
  return {.name = name, .left = left, .top = top, .width = 16, .height = 16, .visible = visible};
}

}  // namespace

std::wstring ExpiryDateText(DATE date) {
  SYSTEMTIME time{};
  // The conversion takes a NaN for day 0 (30 December 1899): not a date at all.
  if (!std::isfinite(date) || !VariantTimeToSystemTime(date, &time)) return {};
  wchar_t text[128];
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128)) return {};
  std::wstring result = text;
  if (time.wHour != 0 || time.wMinute != 0 || time.wSecond != 0) {
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 128)) return {};
    result += L" ";
    result += text;
  }
  return result;
}

std::wstring ServiceTypeText(int type) {
  static constexpr int kTexts[] = {517, 518, 519, 520, 521, 563};
  if (type < 0 || type >= static_cast<int>(std::size(kTexts))) return GetResString(522);
  return GetResString(kTexts[type]);
}

TPageUser::TPageUser(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageUser", kWidth),
      GroupCurUser(*this, {.name = L"GroupCurUser", .left = 20, .top = 12, .width = 393,
                           .height = 173, .caption = L" 当前用户 "}),
      BGLabel3(GroupCurUser, Text(*this, L"BGLabel3", 41, 23, L"域名：")),
      labDomain(GroupCurUser, Value(L"labDomain", 80, 23, 165)),
      BGLabel4(GroupCurUser, Text(*this, L"BGLabel4", 249, 23, L"用户状态：")),
      labNetwork(GroupCurUser, Value(L"labNetwork", 312, 23, 76)),
      BGLabel1(GroupCurUser, Text(*this, L"BGLabel1", 41, 55, L"用  户  名：")),
      labUserName(GroupCurUser, Value(L"labUserName", 104, 55, 148)),
      btnSign(GroupCurUser, {.name = L"btnSign", .left = 256, .top = 50, .width = 75,
                             .height = 23, .caption = L"&Sign In"}),
      BGLabel2(GroupCurUser, Text(*this, L"BGLabel2", 41, 77, L"电子邮件：")),
      labEmail(GroupCurUser, Value(L"labEmail", 104, 77, 284)),
      Label1(GroupCurUser, Text(*this, L"Label1", 42, 99, L"账户状态：")),
      labAccountState(GroupCurUser, Value(L"labAccountState", 104, 99, 156)),
      labModifyUser(GroupCurUser, {.name = L"labModifyUser", .left = 264, .top = 97,
                                   .caption = L"修改用户..."}),
      Label2(GroupCurUser, Text(*this, L"Label2", 40, 121, L"过期时间：")),
      labExpiryDate(GroupCurUser, Value(L"labExpiryDate", 104, 121, 284)),
      BGLabel5(GroupCurUser, Text(*this, L"BGLabel5", 40, 143, L"服务类型：")),
      labRegType(GroupCurUser, Value(L"labRegType", 104, 143, 284)),
      Image1(GroupCurUser, Icon(L"Image1", 20, 22)),
      Image2(GroupCurUser, Icon(L"Image2", 20, 54)),
      Image3(GroupCurUser, Icon(L"Image3", 20, 76)),
      Image4(GroupCurUser, Icon(L"Image4", 20, 98)),
      Image5(GroupCurUser, Icon(L"Image5", 20, 120)),
      Image6(GroupCurUser, Icon(L"Image6", 20, 142)),
      BGGroupBox1(*this, {.name = L"BGGroupBox1", .left = 20, .top = 196, .width = 393,
                          .height = 101, .caption = L" 开通用户服务 "}),
      ImageKey(BGGroupBox1, Icon(L"ImageKey", 16, 26)),
      BGLabel8(BGGroupBox1, Text(*this, L"BGLabel8", 40, 28, L"注册码：")),
      edtRegKey(BGGroupBox1, {.name = L"edtRegKey", .left = 92, .top = 23, .width = 141,
                              .height = 23, .tabOrder = 0}),
      btnChange(BGGroupBox1, {.name = L"btnChange", .left = 252, .top = 24, .width = 75,
                              .height = 21, .caption = L"开  通", .tabOrder = 1}),
      ImageReg(BGGroupBox1, Icon(L"ImageReg", 16, 62, false)),
      BGLabel9(BGGroupBox1, Text(*this, L"BGLabel9", 44, 64, L"域  名：")),
      edtDomain(BGGroupBox1, {.name = L"edtDomain", .left = 90, .top = 60, .width = 141,
                              .height = 23, .tabOrder = 2}),
      labForgotKey(BGGroupBox1, {.name = L"labForgotKey", .left = 268, .top = 64,
                                 .caption = L"重发注册码"}),
      Timer1({.name = L"Timer1", .interval = kBlinkInterval}) {
  TFontDesc bold{.face = L"Arial", .height = 12, .charset = ANSI_CHARSET, .weight = FW_BOLD};
  boldFont_ = MakeFont(bold);
  btnSign.SetFont(boldFont_);

  // Each image gets an icon drawn for it: drawing a small icon costs no more than
  // copying one.
  constexpr COLORREF kBlue = RGB(40, 110, 200), kGreen = RGB(40, 150, 70), kOrange = RGB(200, 120, 30);
  const std::pair<TImage*, COLORREF> rows[] = {{&Image1, kBlue},   {&Image2, kGreen}, {&Image3, kBlue},
                                               {&Image4, kGreen},  {&Image5, kOrange}, {&Image6, kOrange}};
  for (const auto& [image, colour] : rows) {
    AssignIcon(image->Picture(), MakeRowIcon(colour));
    image->SetTransparent(true);
  }
  for (TImage* image : {&ImageKey, &ImageReg}) AssignIcon(image->Picture(), MakeKeyIcon());

  btnSign.OnClick = [this](TControl& s) { btnSignClick(s); };
  btnChange.OnClick = [this](TControl& s) { btnChangeClick(s); };
  labForgotKey.OnClick = [this](TControl& s) { labForgotKeyClick(s); };
  labModifyUser.OnClick = [this](TControl& s) { labModifyUserClick(s); };
  Timer1.OnTimer = [this](TTimer& s) { Timer1Timer(s); };
  BGLabel8.SetFocusControl(edtRegKey);
  BGLabel9.SetFocusControl(edtDomain);
}

void TPageUser::SetEnabled(bool value) {
  if (value == curUserEnabled_) return;
  curUserEnabled_ = value;
  GroupCurUser.SetEnabled(value);
}

void TPageUser::Refresh() {
  ShowProfile();
  btnSign.SetEnabled(true);
  ShowAgentState(UserManager.IsOnline(), UserManager.GetUserState());
  TBaseFrame::Refresh();
}

void TPageUser::ShowProfile() {
  if (!UserProfile.Assigned()) {
    const std::wstring unknown = GetResString(513);
    for (TControl* label : {&labDomain, &labUserName, &labEmail, &labAccountState,
                            &labExpiryDate, &labRegType})
      label->SetCaption(unknown);
    return;
  }
  // A field that cannot be read shows as unknown and the rest still fills.
  labDomain.SetCaption(ProfileFieldText(&TXMLUserInfoType::Domain));
  labUserName.SetCaption(ProfileFieldText(&TXMLUserInfoType::UserName));
  labEmail.SetCaption(ProfileFieldText(&TXMLUserInfoType::Email));
  ShowAccountState();
  const std::wstring expiry = ExpiryDateText(UserManager.GetExpiryDate());
  labExpiryDate.SetCaption(expiry.empty() ? GetResString(513) : expiry);
  labRegType.SetCaption(ServiceTypeText(UserManager.GetServiceType()));
}

void TPageUser::ShowAccountState() {
  int state = -1;
  try {
    state = UserProfile.AccountState();
  } catch (const EError&) {
    // An absent or unreadable state is one more unknown value. Letting it end the
    // refresh would leave the expiry, service type and sign button unshown, and the
    // page opened by its navigation button would never become the current page.
  }
  // An unknown account state leaves the label as it was.
  if (state >= 0 && state <= 2) labAccountState.SetCaption(GetResString(514 + state));
}

void TPageUser::ShowAgentState(bool online, int userState) {
  if (!UserProfile.Assigned()) Timer1.SetEnabled(true);
  ShowCaption(labNetwork, GetResString(online ? 523 : 524));
  ShowCaption(btnSign, GetResString(userState == usSignedIn ? 556 : 555));
  if (userState != usSignedIn && userState != usSignedOut && btnSign.Enabled()) btnSign.SetEnabled(false);
}

void ShowAgentStateOnUserPage(bool online, int userState) {
  if (PageUser && PageUser->Handle()) PageUser->ShowAgentState(online, userState);
}

void TPageUser::btnSignClick(TControl&) {
  RunAgentAction([] {
    if (UserManager.GetUserState() == usSignedIn)
      UserManager.SignOut();
    else if (UserManager.GetUserState() == usSignedOut)
      UserManager.SignIn();
  });
  ShowAgentState(UserManager.IsOnline(), UserManager.GetUserState());
}

bool TPageUser::DialogKey(WPARAM key) {
  if (key != VK_RETURN) return false;
  if (edtDomain.Focused()) {
    if (!labForgotKey.Enabled()) return false;
    labForgotKey.Click();
    return true;
  }
  if (edtRegKey.Focused() && btnChange.Enabled()) {
    btnChange.Click();
    return true;
  }
  return false;
}

void TPageUser::btnChangeClick(TControl&) {
  // The change drops the held profile: its unsent edits would go without a word.
  if (UserProfile.Assigned() && UserProfile.Modified() &&
      ShowPageMessage(kChangeUserQuestion, kQuestionStyle) != IDYES)
    return;
  if (!RunAgentAction([this] { UserManager.ChangeUser(edtRegKey.Text()); })) return;
  // The main window fetches the new account's profile on its next tick.
  UserProfile = {};
  RefreshDomainList();
  ShowMessageId(528);
}

void TPageUser::labForgotKeyClick(TControl&) {
  if (RunAgentAction([this] { UserManager.ResendAccountKey(edtDomain.Text()); })) ShowMessageId(527);
}

void TPageUser::labModifyUserClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageUserModify(main); });
}

// The key icons blink while no profile is held; with one they stand still and the
// timer stops, so that an idle window does not wake for them. The poll's tick starts
// it again when the profile goes.
void TPageUser::Timer1Timer(TTimer&) {
  if (UserProfile.Assigned()) {
    ImageKey.SetVisible(true);
    ImageReg.SetVisible(true);
    Timer1.SetEnabled(false);
    return;
  }
  ImageKey.SetVisible(!ImageKey.Visible());
  ImageReg.SetVisible(!ImageReg.Visible());
}

TComPtr<IPageWrapper> ShowPageUser(TControl& owner) {
  TPageUser& page = CreateOrShowPage(PageUser, owner);
  StartupStep("user page: controls");
  return OpenMainPage(page, {.enable = true});
}
