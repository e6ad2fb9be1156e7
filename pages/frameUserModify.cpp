#include "pages/frameUserModify.h"

#include <memory>

#include "shell/Common.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "agent/UnitDef.h"
#include "pages/frameUser.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageUserModify> PageUserModify;

TControlArgs Text(TControl& sizer, const wchar_t* name, int left, int top, const wchar_t* text) {
  const SIZE size = CaptionSize(sizer, text);
  return {.name = name, .left = left, .top = top, .width = size.cx, .height = size.cy, .caption = text};
}

TControlArgs Field(const wchar_t* name, int left, int top, int width, int tabOrder) {
  return {.name = name, .left = left, .top = top, .width = width, .height = 23, .tabOrder = tabOrder};
}

// The security answer, typed and stored, is a secret like a password: its edits show
// a mask character for each of its characters. Their texts are the answer itself.
const TEditOptions kSecret{.passwordChar = L'*'};

TControlArgs Icon(const wchar_t* name, int left, int top) {
  return {.name = name, .left = left, .top = top, .width = 16, .height = 16};
}

}  // namespace

TPageUserModify::TPageUserModify(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageUserModify", kWidth),
      BGPanel1(*this, {.name = L"BGPanel1", .left = 20, .top = 16, .width = 393, .height = 281},
               {.bevelOuter = TBevelCut::Lowered, .bevelInner = TBevelCut::Raised}),
      Image1(BGPanel1, Icon(L"Image1", 18, 17)),
      Image2(BGPanel1, Icon(L"Image2", 18, 42)),
      Image3(BGPanel1, Icon(L"Image3", 18, 68)),
      Label1(BGPanel1, Text(*this, L"Label1", 40, 19, L"用户名：")),
      edtUserName(BGPanel1, Field(L"edtUserName", 100, 14, 121, 0)),
      btnReload(BGPanel1, {.name = L"btnReload", .left = 272, .top = 12, .width = 109,
                           .height = 25, .caption = L"重载用户信息", .tabOrder = 1}),
      // Each link shares the tab order of the control before it, which it follows: ties
      // keep the order of creation.
      labRebuildKey(BGPanel1, {.name = L"labRebuildKey", .left = 40, .top = 44,
                               .caption = L"出于安全考虑，重新生成新的注册码", .tabOrder = 1}),
      BGLabel7(BGPanel1, Text(*this, L"BGLabel7", 40, 70, L"修改下列信息前，请先回答你之前预设的问题")),
      labQuestion(BGPanel1, {.name = L"labQuestion", .left = 24, .top = 91, .width = 357, .height = 14}),
      edtAnswer(BGPanel1, Field(L"edtAnswer", 24, 108, 185, 2), kSecret),
      labResendAnswer(BGPanel1, {.name = L"labResendAnswer", .left = 288, .top = 112,
                                 .caption = L"重发问题的答案", .tabOrder = 2}),
      BGLabel4(BGPanel1, Text(*this, L"BGLabel4", 12, 144, L"电子邮件")),
      edtEmail(BGPanel1, Field(L"edtEmail", 68, 140, 121, 3)),
      BGLabel5(BGPanel1, Text(*this, L"BGLabel5", 32, 168, L"确认")),
      edtEmailConfirm(BGPanel1, Field(L"edtEmailConfirm", 68, 164, 121, 4)),
      BGLabel1(BGPanel1, Text(*this, L"BGLabel1", 232, 144, L"确认信息一定要填，否则")),
      BGLabel8(BGPanel1, Text(*this, L"BGLabel8", 232, 160, L"对应项将不被认为作过修改。")),
      BGLabel2(BGPanel1, Text(*this, L"BGLabel2", 32, 196, L"问题")),
      edtQuestion(BGPanel1, Field(L"edtQuestion", 68, 192, 185, 5)),
      BGLabel3(BGPanel1, Text(*this, L"BGLabel3", 32, 224, L"答案")),
      edtAnswer2(BGPanel1, Field(L"edtAnswer2", 68, 220, 185, 6), kSecret),
      BGLabel6(BGPanel1, Text(*this, L"BGLabel6", 32, 248, L"确认")),
      edtAnswerConfirm(BGPanel1, Field(L"edtAnswerConfirm", 68, 244, 185, 7), kSecret),
      btnOK(BGPanel1, {.name = L"btnOK", .left = 276, .top = 240, .width = 53, .height = 25,
                       .caption = L"确定", .tabOrder = 8}),
      btnBack(BGPanel1, {.name = L"btnBack", .left = 328, .top = 240, .width = 53, .height = 25,
                         .caption = L"返回", .tabOrder = 9}) {
  // Each edit is named after the label in front of it; the answer after the question.
  Label1.SetFocusControl(edtUserName);
  labQuestion.SetFocusControl(edtAnswer);
  BGLabel4.SetFocusControl(edtEmail);
  BGLabel5.SetFocusControl(edtEmailConfirm);
  BGLabel2.SetFocusControl(edtQuestion);
  BGLabel3.SetFocusControl(edtAnswer2);
  BGLabel6.SetFocusControl(edtAnswerConfirm);
  SendMessageW(btnOK.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetDefaultButton(&btnOK);
  SetCancelButton(&btnBack);
  AssignIcon(btnReload.Glyph(), MakeRowIcon(RGB(40, 150, 70)));
  AssignIcon(Image1.Picture(), MakeRowIcon(RGB(40, 110, 200)));
  AssignIcon(Image2.Picture(), MakeKeyIcon());
  AssignIcon(Image3.Picture(), MakeRowIcon(RGB(200, 120, 30)));

  edtAnswer.OnChange = [this](TControl& s) { edtAnswerChange(s); };
  btnOK.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnReload.OnClick = [this](TControl& s) { btnReloadClick(s); };
  labRebuildKey.OnClick = [this](TControl& s) { labRebuildKeyClick(s); };
  labResendAnswer.OnClick = [this](TControl& s) { labResendAnswerClick(s); };
  btnBack.OnClick = [this](TControl& s) { btnBackClick(s); };
}

void TPageUserModify::Refresh() {
  TBaseFrame::Refresh();
  edtEmailConfirm.Clear();
  edtAnswerConfirm.Clear();
  if (!UserProfile.Assigned()) {
    const std::wstring unknown = GetResString(513);
    for (TControl* field : {static_cast<TControl*>(&edtUserName), static_cast<TControl*>(&labQuestion),
                            static_cast<TControl*>(&edtEmail), static_cast<TControl*>(&edtQuestion),
                            static_cast<TControl*>(&edtAnswer2)})
      field->SetCaption(unknown);
    return;
  }
  // A field that cannot be read shows as unknown; the others still fill, and typing
  // a new value over it replaces what could not be read.
  edtUserName.SetText(ProfileFieldText(&TXMLUserInfoType::UserName));
  labQuestion.SetCaption(ProfileFieldText(&TXMLUserInfoType::Question));
  edtEmail.SetText(ProfileFieldText(&TXMLUserInfoType::Email));
  edtQuestion.SetText(ProfileFieldText(&TXMLUserInfoType::Question));
  edtAnswer2.SetText(ProfileFieldText(&TXMLUserInfoType::Answer));
}

void TPageUserModify::edtAnswerChange(TControl&) {
  // Not caught here: a refusal reaches the program's default error report.
  UserManager.SetAnswer(edtAnswer.Text());
}

void TPageUserModify::btnOKClick(TControl&) {
  THourglass hourglass;
  if (UserProfile.Assigned() && !ApplyChanges()) return;
  ReturnToUserPage();
}

bool TPageUserModify::ApplyChanges() {
  // Each field is compared with the text the refresh showed for it, so a field that
  // could not be read and still shows "未知" is not taken as changed.
  // The user name needs no authorization.
  if (edtUserName.Text() != ProfileFieldText(&TXMLUserInfoType::UserName)) {
    UserProfile.SetUserName(edtUserName.Text());
    MarkUserProfileModified(true);
  }
  // Not accepted: the other changes are dropped without a word.
  if (UserManager.GetAuthorization().empty()) return true;
  return ApplyEmail() && ApplyQuestion() && ApplyAnswer();
}

bool TPageUserModify::ApplyEmail() {
  const std::wstring email = edtEmail.Text();
  if (email == ProfileFieldText(&TXMLUserInfoType::Email)) return true;
  if (edtEmailConfirm.Text() != email) return Refuse(531, edtEmail);
  UserProfile.SetEmail(email);
  MarkUserProfileModified(true);
  return true;
}

bool TPageUserModify::ApplyQuestion() {
  const std::wstring question = edtQuestion.Text();
  if (question == ProfileFieldText(&TXMLUserInfoType::Question)) return true;
  if (question.empty()) return Refuse(536, edtQuestion);
  UserProfile.SetQuestion(question);
  MarkUserProfileModified(true);
  return true;
}

bool TPageUserModify::ApplyAnswer() {
  const std::wstring answer = edtAnswer2.Text();
  if (answer == ProfileFieldText(&TXMLUserInfoType::Answer)) return true;
  if (answer.empty()) return Refuse(535, edtAnswer2);
  if (edtAnswerConfirm.Text() != answer) return Refuse(532, edtAnswer2);
  UserProfile.SetAnswer(answer);
  MarkUserProfileModified(true);
  return true;
}

bool TPageUserModify::Refuse(int message, TControl& field) {
  ShowPageMessage(message, kPopupMessageStyle);
  field.SetFocus();
  return false;
}

void TPageUserModify::btnReloadClick(TControl&) {
  // The agent reloads the profile from the service; the text it returns is not the one
  // to keep: the main window fetches the reloaded profile on its next tick.
  if (!RunAgentAction([] { UserManager.GetUserProfile(kProfileReload); })) return;
  UserProfile = {};
  ShowMessageId(529);
}

void TPageUserModify::labRebuildKeyClick(TControl&) {
  if (RunAgentAction([] { UserManager.RebuildAccountKey(); })) ShowMessageId(525);
}

void TPageUserModify::labResendAnswerClick(TControl&) {
  if (RunAgentAction([] { UserManager.ResendAnswer(); })) ShowMessageId(526);
}

void TPageUserModify::btnBackClick(TControl&) { ReturnToUserPage(); }

void TPageUserModify::ReturnToUserPage() {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageUser(main); });
}

TComPtr<IPageWrapper> ShowPageUserModify(TControl& owner) {
  TPageUserModify& page = CreateOrShowPage(PageUserModify, owner);
  return OpenMainPage(page, {.enable = false});
}
