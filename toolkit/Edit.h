// TEdit: the single-line edit. Its window text is its text. OnChange runs after every
// change of the text, typed by the user or set by code (SetText raises it once, and
// only when the text really changes); pages detach it while they load a value.
#pragma once
#include "toolkit/Label.h"
#include "toolkit/StdControl.h"

struct TEditOptions {
  TBorderStyle border = TBorderStyle::Single;
  TAlignment alignment = TAlignment::Left;  // fixed at creation
  int maxLength = 0;                        // 0: no limit
  bool readOnly = false;
  wchar_t passwordChar = 0;                 // 0: the text shows in the clear
};

class TEdit : public TStdControl {
 public:
  TEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options = {});

  std::wstring Text() const { return Caption(); }
  void SetText(const std::wstring& text);
  void Clear() { SetText({}); }

  // The most characters the user can type; text set by code is not cut. 0: no limit.
  int MaxLength() const noexcept { return maxLength_; }
  void SetMaxLength(int maxLength);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  wchar_t PasswordChar() const;
  void SetPasswordChar(wchar_t passwordChar);
  TAlignment Alignment() const;

  // The selection, in characters; with length 0 the caret's place.
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  // For the memo: the same control with other styles.
  TEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options, DWORD style);

  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Every change of the text, typed or set, ends here; it raises OnChange. Edits with
  // rules of their own for what follows a change override it.
  virtual void Change() { Fire(OnChange, *this); }

 private:
  void Apply(const TEditOptions& options);

  int maxLength_ = 0;
  bool settingText_ = false;
};
