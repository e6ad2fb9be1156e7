#include "pages/RecordEditor.h"

#include "agent/UnitDef.h"
#include "shell/Common.h"
#include "pages/PageLayout.h"
#include "pages/frameRRsPro.h"
#include "shell/Navigator.h"

namespace {

constexpr int kCacheTimeTop = 164;

TControlArgs CommandArgs(const wchar_t* name, int top, const wchar_t* caption, int tabOrder) {
  return {.name = name, .left = 256, .top = top, .width = 75, .height = 25, .caption = caption,
          .tabOrder = tabOrder};
}

}  // namespace

TControlArgs RecordFieldArgs(const wchar_t* name, int top, int height, int tabOrder) {
  return {.name = name, .left = TRecordEditor::kFieldLeft, .top = top, .width = TRecordEditor::kFieldWidth,
          .height = height, .tabOrder = tabOrder};
}

TRecordEditor::TRecordEditor(TControl& owner, const TRecordEditorForm& form)
    : TBaseFrame(owner, form.className, form.name),
      Group(*this, {.name = form.groupName, .left = 28, .top = 16, .width = 353, .height = 217,
                    .caption = form.groupCaption}),
      BGLabel1(Group, CaptionArgs(*this, L"BGLabel1", 20, 20, form.nameLabel)),
      edtName(Group, RecordFieldArgs(L"edtName", 36, 23, 0)),
      BGLabel2(Group, CaptionArgs(*this, L"BGLabel2", 20, 68, form.secondLabel)),
      BGLabel3(Group, CaptionArgs(*this, L"BGLabel3", 20, kCacheTimeTop, L"缓存时间")),
      cmbTTL(Group, {.name = L"cmbTTL", .left = 20, .top = 180, .width = 101, .height = 23,
                     .tabOrder = form.fieldCount},
             {.style = TComboStyle::DropDownList}),
      Label1(Group, CaptionArgs(*this, L"Label1", 128, 184, L"分钟")),
      btnOK(Group, CommandArgs(L"btnOK", 144, L"确  定", form.fieldCount + 1)),
      btnCancel(Group, CommandArgs(L"btnCancel", 176, L"取  消", form.fieldCount + 2)),
      form_(form),
      ttl_(cmbTTL) {
  BGLabel1.SetFocusControl(edtName);
  BGLabel3.SetFocusControl(cmbTTL);
  SendMessageW(btnOK.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetDefaultButton(&btnOK);
  SetCancelButton(&btnCancel);
  edtName.OnChange = [this](TControl& s) { RecordModified(s); };
  cmbTTL.OnChange = [this](TControl& s) { cmbTTLChange(s); };
  btnOK.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnCancel.OnClick = [this](TControl& s) { btnCancelClick(s); };
}

void TRecordEditor::Refresh() {
  edtName.Clear();
  ClearFields();
  ttl_.Reset(-1);
  if (recordIndex_ < 0) {
    Group.SetCaption(GetResString(form_.newCaption));
    edtName.SetEnabled(true);
    PrepareNewRecord();
    cmbTTL.SetItemIndex(0);
    edtName.SetFocus();
  } else {
    Group.SetCaption(GetResString(form_.propertiesCaption));
    if (UserProfile.Assigned()) ttl_.Show(LoadRecord(recordIndex_));
    edtName.SetEnabled(false);
    FirstFieldAfterName().SetFocus();
  }
  // Filling the fields raised their change events, which enabled OK.
  btnOK.SetEnabled(false);
  TBaseFrame::Refresh();
}

void TRecordEditor::RecordModified(TControl&) { btnOK.SetEnabled(true); }

void TRecordEditor::cmbTTLChange(TControl& sender) {
  ttl_.Picked();
  ShowPageMessage(561, kPopupMessageStyle);
  RecordModified(sender);
}

void TRecordEditor::btnOKClick(TControl&) {
  if (UserProfile.Assigned()) {
    StoreRecord(recordIndex_, ttl_.Seconds());
    MarkUserProfileModified(true);
  }
  ReturnToRecords();
}

void TRecordEditor::btnCancelClick(TControl&) { ReturnToRecords(); }

void TRecordEditor::ReturnToRecords() {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageRRsPro(main, false); });
}
