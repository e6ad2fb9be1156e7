// TDomainDialog: what the parent and child dialogs share. The user types a domain of
// the service; half a second after the last change the agent is asked for the
// domains that match it (FindDomains), which the list below the edit shows while
// "list matching domains" is checked, and choosing one puts it into the edit without
// a new search. OK asks the agent for the domain's sequence number: a domain it does
// not know (0 or less) brings the popup's "该域不存在" and keeps the dialog open;
// otherwise the dialog writes its item with that number and marks the profile. OK
// and Cancel (which writes nothing) return through the main window's hierarchy
// button, which shows the hierarchy page the service type calls for. Enter presses
// OK, Escape Cancel.
#pragma once
#include <string>

#include "skin/BGCheckBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "skin/BGListBox.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Timer.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

// What differs between the dialogs' forms.
struct TDomainDialogForm {
  const wchar_t* className;
  const wchar_t* name;          // the form's name, e.g. L"PageParent"
  const wchar_t* groupName;     // L"GroupParent" or L"GroupChild"
  const wchar_t* groupCaption;  // the caption stored with the form
  POINT domainAt;               // edtDomain in the group; the list lies right below it
  int domainTabOrder;           // the list, the check box and the buttons follow it
  const wchar_t* listMatched;   // the check box's caption
};

class TDomainDialog : public TBaseFrame {
 public:
  static constexpr UINT kSearchDelay = 500;  // milliseconds after the last change
  static constexpr int kUnknownDomainText = 552;

  TBGGroupBox Group;
  TBGEdit edtDomain;
  TBGListBox lstDomains;
  TBGCheckBox chkListMatched;
  TButton btnOK;
  TButton btnCancel;
  TTimer Timer1;
  // The match list's name for screen readers; no label stands before it.
  TFieldName nameMatches;

  // Restarts the search delay.
  void edtDomainChange(TControl& sender);
  void Timer1Timer(TTimer& sender);
  void lstDomainsClick(TControl& sender);
  void btnOKClick(TControl& sender);
  void btnCancelClick(TControl& sender);

  // Hides the dialog; a search still waiting for its delay is dropped with it.
  void STDMETHODCALLTYPE Close() override;

 protected:
  TDomainDialog(TControl& owner, const TDomainDialogForm& form);

  // edtDomainChange on edtDomain, or (false) no change handler.
  void AttachDomainChange(bool attach);
  // What a change of edtDomain does to OK beyond restarting the search.
  virtual void DomainChanged() = 0;
  // Appends the dialog's item, or rewrites the one it edits, with the agent's
  // sequence number for the domain; a user profile is held.
  virtual void StoreItem(int sequence) = 0;

 private:
  void ReturnToHierarchy();
};

// The args of a dialog's field in its group: an edit of the forms' size.
TControlArgs DomainFieldArgs(const wchar_t* name, POINT at, int tabOrder);
