// TComboBox: the standard combo box, as a drop-down list (choose only) or editable
// (choose or type). Its window text is its text: the chosen entry, or what was typed.
//
// Events run for the user's input only: OnSelect when the user chooses an entry
// (CBN_SELCHANGE), then OnChange; OnChange alone when the user types (editable style).
// OnEnter and OnExit follow the focus of the whole box, its edit field included.
// Code that fills the box or selects an entry raises nothing: every change made by
// code runs with a flag set that drops the notifications the control sends meanwhile,
// saved and restored so that nested changes keep it.
//
// The height given at creation is the height of the closed box (never less than its
// font needs); the drop-down list below it holds DropDownCount entries. The closed
// height stays as created, also through a change of font: a later size change only
// changes the width.
#pragma once
#include <vector>

#include "toolkit/StdControl.h"

enum class TComboStyle { DropDown, DropDownList };

struct TComboBoxOptions {
  TComboStyle style = TComboStyle::DropDown;  // fixed at creation
  int dropDownCount = 8;                      // entries shown when the list drops down
  int itemHeight = 0;                         // height of a list entry; 0: from the font
  bool sorted = false;                        // fixed at creation
};

class TComboBox : public TStdControl {
 public:
  TComboBox(TControl& parent, const TControlArgs& args, const TComboBoxOptions& options = {});

  TComboStyle Style() const noexcept { return style_; }

  int Count() const;
  // Throws EError for an index outside the list.
  std::wstring Item(int index) const;
  std::vector<std::wstring> Items() const;
  // Replaces every entry; nothing is selected afterwards and an editable box is empty.
  // A box that holds exactly these entries keeps them.
  void SetItems(const std::vector<std::wstring>& items);
  int AddItem(const std::wstring& text);
  void InsertItem(int index, const std::wstring& text);
  void DeleteItem(int index);
  void Clear();
  // The first entry equal to `text` (exact, case-sensitive); -1 when none is.
  int IndexOf(const std::wstring& text) const;

  int ItemIndex() const;
  // -1, or an index outside the list, selects nothing.
  void SetItemIndex(int index);

  std::wstring Text() const { return Caption(); }
  // Editable: the text in the field. Drop-down list: selects the first entry equal to
  // the text, or nothing when none is.
  void SetText(const std::wstring& text);

  int DropDownCount() const noexcept { return dropDownCount_; }
  void SetDropDownCount(int count);
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CheckIndex(int index, bool allowEnd = false) const;
  int ListHeight() const;
  void FitFieldHeight();
  bool IsOwnPart(HWND window) const;
  void FocusMoved();

  TComboStyle style_;
  int dropDownCount_;
  int fieldHeight_;
  bool quiet_ = false;      // set while code changes the box
  bool ownResize_ = false;  // set while the box resizes itself
  bool hasFocus_ = false;   // the box or its edit field has the focus
};
