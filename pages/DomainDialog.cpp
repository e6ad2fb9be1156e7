#include "pages/DomainDialog.h"

#include "agent/UnitDef.h"
#include "shell/Navigator.h"
#include "toolkit/Cursor.h"

namespace {

constexpr int kFieldWidth = 201;

TControlArgs CommandArgs(const wchar_t* name, int left, const wchar_t* caption, int tabOrder) {
  return {.name = name, .left = left, .top = 176, .width = 75, .height = 21, .caption = caption,
          .tabOrder = tabOrder};
}

}  // namespace

TControlArgs DomainFieldArgs(const wchar_t* name, POINT at, int tabOrder) {
  return {.name = name, .left = at.x, .top = at.y, .width = kFieldWidth, .height = 23, .tabOrder = tabOrder};
}

TDomainDialog::TDomainDialog(TControl& owner, const TDomainDialogForm& form)
    : TBaseFrame(owner, form.className, form.name),
      Group(*this, {.name = form.groupName, .left = 28, .top = 16, .width = 349, .height = 213,
                    .caption = form.groupCaption}),
      edtDomain(Group, DomainFieldArgs(L"edtDomain", form.domainAt, form.domainTabOrder)),
      lstDomains(Group, {.name = L"lstDomains", .left = form.domainAt.x, .top = form.domainAt.y + 24,
                         .width = kFieldWidth, .height = 81, .tabOrder = form.domainTabOrder + 1}),
      chkListMatched(Group, {.name = L"chkListMatched", .left = 20, .top = 176, .width = 125, .height = 17,
                             .caption = form.listMatched, .tabOrder = form.domainTabOrder + 2}),
      btnOK(Group, CommandArgs(L"btnOK", 168, L"确  定", form.domainTabOrder + 3)),
      btnCancel(Group, CommandArgs(L"btnCancel", 252, L"取  消", form.domainTabOrder + 4)),
      Timer1({.name = L"Timer1", .interval = kSearchDelay, .enabled = false}),
      nameMatches(lstDomains, L"匹配的域名") {
  chkListMatched.SetChecked(true);
  SendMessageW(btnOK.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetDefaultButton(&btnOK);
  SetCancelButton(&btnCancel);
  Timer1.OnTimer = [this](TTimer& s) { Timer1Timer(s); };
  lstDomains.OnClick = [this](TControl& s) { lstDomainsClick(s); };
  btnOK.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnCancel.OnClick = [this](TControl& s) { btnCancelClick(s); };
}

void TDomainDialog::AttachDomainChange(bool attach) {
  if (attach)
    edtDomain.OnChange = [this](TControl& s) { edtDomainChange(s); };
  else
    edtDomain.OnChange = nullptr;
}

void TDomainDialog::edtDomainChange(TControl&) {
  Timer1.SetEnabled(false);
  Timer1.SetEnabled(true);
  DomainChanged();
}

void TDomainDialog::Timer1Timer(TTimer&) {
  THourglass hourglass;
  // Stopped before the agent is asked: a search that fails (an agent gone away) is
  // reported once, not again on every tick.
  Timer1.SetEnabled(false);
  if (!chkListMatched.Checked()) return;
  lstDomains.Clear();
  const std::wstring pattern = edtDomain.Text();
  if (pattern.empty()) return;
  lstDomains.SetItems(UserManager.FindDomains(pattern));
}

void TDomainDialog::lstDomainsClick(TControl&) {
  const int index = lstDomains.ItemIndex();
  if (index < 0) return;
  AttachDomainChange(false);
  edtDomain.SetText(lstDomains.Item(index));
  AttachDomainChange(true);
}

void TDomainDialog::btnOKClick(TControl&) {
  if (UserProfile.Assigned()) {
    int sequence = 0;
    {
      THourglass hourglass;
      sequence = UserManager.GetDomainSequence(edtDomain.Text());
    }
    if (sequence <= 0) {
      ShowPageMessage(kUnknownDomainText, kPopupMessageStyle);
      edtDomain.SetFocus();
      return;
    }
    StoreItem(sequence);
    MarkUserProfileModified(true);
  }
  ReturnToHierarchy();
}

void TDomainDialog::btnCancelClick(TControl&) { ReturnToHierarchy(); }

void TDomainDialog::Close() {
  Timer1.SetEnabled(false);
  TBaseFrame::Close();
}

void TDomainDialog::ReturnToHierarchy() {
  // The main window's section closes this page (the current one) as it opens.
  OpenSectionFrom(*this, TSection::Hierarchy);
}
