// TRecordEditor: what the three record editors share. Each adds a new record to a
// collection of the held profile or changes an existing one (the record index: -1 for
// a new record, else the item's position), in a group box with the record's name, one
// or two fields of its kind and the cache time. OK stays disabled until the first
// change; it writes the record and marks the profile, Cancel changes nothing, and both
// return to the professional records page. Enter presses OK, Escape Cancel.
//
// An existing record's name cannot be changed (its edit is disabled); its time to live
// is kept as stored, even when it is none of the cache-time choices, until the user
// picks a cache time.
#pragma once
#include <memory>

#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Label.h"
#include "pages/CacheTime.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

// What differs between the editors' forms.
struct TRecordEditorForm {
  const wchar_t* className;
  const wchar_t* name;          // the form's name, e.g. L"PageRRA"
  const wchar_t* groupName;     // L"GroupHost" or L"GroupCname"
  const wchar_t* groupCaption;  // the caption stored with the form
  const wchar_t* nameLabel;     // BGLabel1
  const wchar_t* secondLabel;   // BGLabel2
  int fieldCount;               // fields before the cache time: 2, or 3 with a preference
  int newCaption;               // resource strings of the group caption
  int propertiesCaption;
};

class TRecordEditor : public TBaseFrame {
 public:
  // Fields in the group box lie at these places; the second at 20, 84.
  static constexpr int kFieldLeft = 20;
  static constexpr int kFieldWidth = 145;

  int RecordIndex() const noexcept { return recordIndex_; }
  // Set by the factory before its refresh.
  void SetRecordIndex(int index) noexcept { recordIndex_ = index; }

  // Reloads every control for the record index; OK disabled; the base rule last.
  void STDMETHODCALLTYPE Refresh() override;

  TBGGroupBox Group;
  TBGLabel BGLabel1;
  TBGEdit edtName;
  TBGLabel BGLabel2;
  TBGLabel BGLabel3;
  TBGComboBox cmbTTL;
  TLabel Label1;
  TButton btnOK;
  TButton btnCancel;

  void RecordModified(TControl& sender);
  void cmbTTLChange(TControl& sender);
  void btnOKClick(TControl& sender);
  void btnCancelClick(TControl& sender);

 protected:
  TRecordEditor(TControl& owner, const TRecordEditorForm& form);

  // The editor's own fields emptied (step one of every refresh).
  virtual void ClearFields() = 0;
  // A new record: defaults of the editor's own fields.
  virtual void PrepareNewRecord() {}
  // Fills the name and the editor's fields from item `index` of its collection and
  // returns the item's time to live in seconds. May raise for an unreadable field.
  virtual int LoadRecord(int index) = 0;
  // Appends a new item (index -1) or takes item `index`, and writes the name, the
  // editor's fields and then the time to live.
  virtual void StoreRecord(int index, int ttlSeconds) = 0;
  // The field that has the focus when an existing record opens.
  virtual TControl& FirstFieldAfterName() = 0;

 private:
  void ReturnToRecords();

  TRecordEditorForm form_;
  TCacheTimeChoice ttl_;
  int recordIndex_ = -1;
};

// The args of an editor's field in the group box: its row's top, height and tab order.
TControlArgs RecordFieldArgs(const wchar_t* name, int top, int height, int tabOrder);

// An editor factory's steps: create on first use with `owner` (the main window) as
// owner and parent, or show; store the record index; refresh (the editor's enabled
// state comes from the refresh alone).
template <class TEditor>
TComPtr<IPageWrapper> ShowRecordEditor(std::unique_ptr<TEditor>& slot, TControl& owner, int index) {
  TEditor& page = CreateOrShowPage(slot, owner);
  page.SetRecordIndex(index);
  return OpenMainPage(page, {.enable = false});
}
