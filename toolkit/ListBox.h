// TListBox: the standard list box. OnClick runs when the user changes the selection
// (LBN_SELCHANGE: a click, a Ctrl- or Shift-click, a key), after the list applied it;
// changes made by code raise nothing. Indexes count from 0; -1 is "none".
//
// A multiple-selection list uses the extended selection (a click selects one entry,
// Ctrl+click toggles one, Shift+click selects a range). Its ItemIndex is the entry
// with the caret, whether or not it is selected. Its keys are its own: the arrow,
// Page Up, Page Down, Home and End keys and a typed letter move the caret only, as the
// platform's list does with Ctrl held, so that moving through the list drops no
// choice; Space chooses the caret's entry alone, as a click does, and Ctrl+Space adds
// or removes it, as a Ctrl+click does.
//
// An owner-drawn list draws its entries through DrawItem, which OnDrawItem replaces
// when attached; the default draws them as the platform does.
#pragma once
#include <vector>

#include "toolkit/StdControl.h"

struct TListBoxOptions {
  bool multiSelect = false;  // fixed at creation
  bool ownerDraw = false;    // fixed at creation
  bool sorted = false;       // fixed at creation
  int itemHeight = 0;        // 0: from the font
  TBorderStyle border = TBorderStyle::Single;
};

// State flags of an entry being drawn.
enum TOwnerDrawState : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };

class TListBox;
using TDrawItemEvent =
    std::function<void(TListBox& sender, HDC dc, int index, const RECT& rect, unsigned state)>;

class TListBox : public TStdControl {
 public:
  // Posted to itself with an entry's index in wParam, it draws the focus rectangle
  // around that entry directly on the window (the skinned list box composes its face
  // first and asks for the rectangle afterwards).
  static constexpr UINT kDrawFocusMessage = WM_USER + 100;

  TListBox(TControl& parent, const TControlArgs& args, const TListBoxOptions& options = {});

  int Count() const;
  // Throws EError for an index outside the list.
  std::wstring Item(int index) const;
  std::vector<std::wstring> Items() const;
  // Replaces every entry; nothing is selected afterwards and the list shows its top.
  // A list that holds exactly these entries keeps them.
  void SetItems(const std::vector<std::wstring>& items);
  int AddItem(const std::wstring& text);  // the new entry's index
  void InsertItem(int index, const std::wstring& text);
  // Replaces an entry's text, keeping its selection state.
  void SetItem(int index, const std::wstring& text);
  void DeleteItem(int index);
  void Clear();
  // The first entry equal to `text` (exact, case-sensitive); -1 when none is.
  int IndexOf(const std::wstring& text) const;

  bool MultiSelect() const;
  // Single selection: the selected entry. Multiple selection: the caret's entry.
  int ItemIndex() const;
  // Single selection: selects the entry (-1, or an index outside the list, selects
  // nothing). Multiple selection: moves the caret there, the selection unchanged.
  void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  void ClearSelection();
  // Multiple selection: exactly these entries selected (indexes outside the list are
  // ignored). Only the entries that change are touched, and neither the caret nor the
  // scroll position moves: a selection that is already so repaints nothing.
  void SetSelection(const std::vector<int>& chosen);

  int TopIndex() const;
  void SetTopIndex(int index);
  int ItemHeight() const;
  void SetItemHeight(int height);
  // In client coordinates; empty for an index outside the list.
  RECT ItemRect(int index) const;
  // The entry under a client point; -1 when the point is below the last entry or
  // outside the client area.
  int ItemAtPos(POINT point) const;
  void DrawFocusRect(int index);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TDrawItemEvent OnDrawItem;

  // While OnClick runs: true when the change came from Space and kept every entry
  // chosen before (Ctrl+Space, or Space while no other entry was chosen). A click is
  // told by the Ctrl key alone.
  bool KeptOtherChoices() const noexcept { return keptOtherChoices_; }

 protected:
  virtual void DrawItem(HDC dc, int index, const RECT& rect, unsigned state);

  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CheckIndex(int index, bool allowEnd = false) const;
  int FontItemHeight() const;
  // A multiple-selection list's keys; true when the key was one of them.
  bool MultiSelectKey(WPARAM key);
  bool MultiSelectChar(wchar_t c);
  void MoveCaret(int index);
  void ChooseCaretEntry(bool toggle);

  int itemHeight_;
  bool quiet_ = false;  // set while code changes the list
  bool keptOtherChoices_ = false;
};
