// List boxes and combo boxes: the user's selection raises the events after the parent
// heard of it, code changes raise nothing, multiple selection works by Ctrl- and
// Shift-click, owner drawing, and the combo box's closed height and drop-down list.
#include <gtest/gtest.h>

#include "toolkit/ComboBox.h"
#include "toolkit/ListBox.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

const std::vector<std::wstring> kServices{L"WWW", L"FTP", L"SMTP", L"POP3", L"GOPHER", L"TELNET"};

TControlArgs ListArgs(const wchar_t* name) { return {.name = name, .left = 10, .top = 10, .width = 150, .height = 97}; }

// The middle of an entry, in the list's client coordinates.
POINT Middle(const TListBox& list, int index) {
  const RECT r = list.ItemRect(index);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickEntry(TListBox& list, int index, WPARAM keys = 0) {
  const POINT p = Middle(list, index);
  Click(list.Handle(), p.x, p.y, keys);
}

std::vector<int> SelectedOf(const TListBox& list) {
  std::vector<int> selected;
  for (int i = 0; i < list.Count(); ++i)
    if (list.Selected(i)) selected.push_back(i);
  return selected;
}

}  // namespace

TEST(ListBox, AClickSelectsAndRaisesOnClickWhileCodeRaisesNothing) {
  TLog log;
  TRecordingForm form(&log);
  TListBox list(form, ListArgs(L"lstNews"), {.itemHeight = 15});
  list.OnClick = [&](TControl&) { log.push_back("OnClick " + std::to_string(list.ItemIndex())); };
  list.SetItems(kServices);
  list.SetItemIndex(1);
  list.SetSelected(3, true);
  list.DeleteItem(5);
  list.AddItem(L"GAME");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.ItemIndex(), 3);
  EXPECT_EQ(list.ItemHeight(), 15);

  ClickEntry(list, 2);
  EXPECT_EQ(log, (TLog{"parent WM_COMMAND 4", "parent WM_COMMAND 1", "OnClick 2"}));  // focus, LBN_SELCHANGE
  log.clear();
  PressKey(list.Handle(), VK_DOWN);
  EXPECT_EQ(log, (TLog{"parent WM_COMMAND 1", "OnClick 3"}));

  EXPECT_EQ(list.Item(5), L"GAME");
  EXPECT_EQ(list.IndexOf(L"SMTP"), 2);
  EXPECT_EQ(list.IndexOf(L"smtp"), -1);  // exact, unlike the platform's search
  EXPECT_THROW(list.Item(6), EError);
  EXPECT_THROW(list.SetSelected(-1, true), EError);
  list.SetItemIndex(99);  // outside: nothing selected
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.SelCount(), 0);
}

TEST(ListBox, ExtendedSelectionByCtrlAndShiftClicks) {
  TRecordingForm form;
  TListBox list(form, ListArgs(L"lstServices"), {.multiSelect = true});
  int clicks = 0;
  list.OnClick = [&](TControl&) { ++clicks; };
  list.SetItems(kServices);
  ClickEntry(list, 0);
  ClickEntry(list, 2, MK_CONTROL);
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{0, 2}));
  EXPECT_EQ(list.ItemIndex(), 2);  // the caret
  ClickEntry(list, 4, MK_SHIFT);
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{2, 3, 4}));
  ClickEntry(list, 3, MK_CONTROL);
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{2, 4}));
  ClickEntry(list, 1);
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{1}));
  EXPECT_EQ(clicks, 5);

  // Code: the caret moves without touching the selection; renaming keeps it.
  list.SetSelected(4, true);
  list.SetItemIndex(0);
  EXPECT_EQ(list.ItemIndex(), 0);
  list.SetItem(4, L"game");
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{1, 4}));
  EXPECT_EQ(list.Item(4), L"game");
  // Setting the whole selection leaves the caret where it was and raises nothing.
  list.SetItemIndex(1);
  list.SetSelection({0, 3, 99});
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{0, 3}));
  EXPECT_EQ(list.ItemIndex(), 1);
  list.SetSelection({3});
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{3}));
  EXPECT_EQ(list.ItemIndex(), 1);
  list.ClearSelection();
  EXPECT_EQ(list.SelCount(), 0);
  EXPECT_EQ(clicks, 5);
}

TEST(ListBox, ScrollingTopIndexAndTheEntryUnderAPoint) {
  TRecordingForm form;
  TListBox list(form, ListArgs(L"lstDomains"), {.itemHeight = 16});
  for (int i = 0; i < 50; ++i) list.AddItem(L"domain" + std::to_wstring(i));
  list.SetTopIndex(20);
  EXPECT_EQ(list.TopIndex(), 20);
  EXPECT_EQ(list.ItemAtPos({5, 40}), 22);
  EXPECT_EQ(list.ItemRect(22).top, 32);
  list.SetSelected(22, true);
  list.SetItems(list.Items());  // the same entries, kept: left as a refill leaves them
  EXPECT_EQ(list.TopIndex(), 0);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItems({L"one"});
  EXPECT_EQ(list.ItemAtPos({5, 40}), -1);  // below the last entry
  EXPECT_EQ(list.ItemAtPos({-1, 5}), -1);
  const RECT outside = list.ItemRect(3);
  EXPECT_TRUE(IsRectEmpty(&outside));
}

TEST(ListBox, OwnerDrawnEntriesAreDrawnByTheHandlerOrWithTheHighlight) {
  TRecordingForm form;
  TListBox list(form, ListArgs(L"lstCategory"), {.ownerDraw = true, .itemHeight = 15});
  list.SetItems({L"a", L"b", L"c"});
  list.SetItemIndex(1);
  const uint32_t highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT));
  const TPixels drawn(list.Handle());
  EXPECT_EQ(drawn.At(100, 22), highlight);                   // entry 1, selected
  EXPECT_EQ(drawn.At(100, 7), Rgb(GetSysColor(COLOR_WINDOW)));  // entry 0

  std::vector<std::pair<int, unsigned>> calls;
  list.OnDrawItem = [&](TListBox&, HDC, int index, const RECT& rect, unsigned state) {
    calls.emplace_back(index, state & odSelected);
    EXPECT_EQ(rect.bottom - rect.top, 15);
  };
  TPixels again(list.Handle());
  EXPECT_EQ(calls, (std::vector<std::pair<int, unsigned>>{{0, 0}, {1, odSelected}, {2, 0}}));
}

TEST(ComboBox, FillingAndSelectingByCodeRaisesNothing) {
  TLog log;
  TRecordingForm form;
  TComboBox combo(form, {.name = L"cmbTTL", .width = 81, .height = 23}, {.style = TComboStyle::DropDownList});
  combo.OnChange = [&](TControl&) { log.push_back("OnChange"); };
  combo.OnSelect = [&](TControl&) { log.push_back("OnSelect"); };
  combo.SetItems({L"1", L"5", L"10", L"30", L"60", L"120"});
  combo.SetItemIndex(2);
  combo.SetText(L"60");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(combo.Text(), L"60");
  combo.SetText(L"7");  // no such entry: nothing selected
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(10);
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(1);
  combo.SetItems(combo.Items());  // the same entries, kept: only the choice goes
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Count(), 6);
  combo.Clear();
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_TRUE(log.empty());
}

TEST(ComboBox, TheUsersChoiceRaisesOnSelectThenOnChange) {
  TLog log;
  TRecordingForm form(&log);
  TComboBox combo(form, {.name = L"cmbServer", .width = 133, .height = 20}, {.style = TComboStyle::DropDownList});
  combo.OnChange = [&](TControl&) { log.push_back("OnChange " + ToUtf8(combo.Text())); };
  combo.OnSelect = [&](TControl&) { log.push_back("OnSelect " + std::to_string(combo.ItemIndex())); };
  combo.SetItems({L"ns1", L"ns2"});
  PressKey(combo.Handle(), VK_DOWN);
  PressKey(combo.Handle(), VK_DOWN);
  std::erase_if(log, [](const std::string& line) { return line.starts_with("parent"); });
  EXPECT_EQ(log, (TLog{"OnSelect 0", "OnChange ns1", "OnSelect 1", "OnChange ns2"}));
}

TEST(ComboBox, TypingIntoAnEditableBoxRaisesOnChangeAndSettingItRaisesNothing) {
  TLog log;
  TRecordingForm form;
  TComboBox combo(form, {.name = L"cmbEdit", .width = 100, .height = 23});
  combo.OnChange = [&](TControl&) { log.push_back("OnChange " + ToUtf8(combo.Text())); };
  combo.SetItems({L"alpha", L"beta"});
  combo.SetText(L"typed");
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), L"beta");
  EXPECT_TRUE(log.empty());
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  Type(info.hwndItem, L"x");
  EXPECT_EQ(log, (TLog{"OnChange x"}));
  combo.SetItems({L"gamma"});  // a refill empties the field, quietly
  EXPECT_EQ(combo.Text(), L"");

  // The focus passes on to the edit field inside: still one entry, one exit.
  log.clear();
  TListBox other(form, ListArgs(L"lstOther"));
  combo.OnEnter = [&](TControl&) { log.push_back("enter"); };
  combo.OnExit = [&](TControl&) { log.push_back("exit"); };
  combo.SetFocus();
  EXPECT_EQ(GetFocus(), info.hwndItem);
  other.SetFocus();
  EXPECT_EQ(log, (TLog{"enter", "exit"}));
}

TEST(ComboBox, KeepsTheClosedHeightAskedForAndItsListBelow) {
  TRecordingForm form;
  TComboBox combo(form, {.name = L"cmbConType", .width = 140, .height = 23},
                  {.style = TComboStyle::DropDownList, .dropDownCount = 5, .itemHeight = 12});
  const auto listHeight = [&] {
    RECT dropped{};
    SendMessageW(combo.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    return dropped.bottom - dropped.top;
  };
  EXPECT_EQ(combo.Height(), 23);
  EXPECT_GE(listHeight(), 5 * 12);
  combo.SetWidth(200);  // an outside resize keeps both heights
  EXPECT_EQ(combo.Width(), 200);
  EXPECT_EQ(combo.Height(), 23);
  EXPECT_GE(listHeight(), 5 * 12);
  combo.SetFont(MakeFont({.face = L"Arial", .height = 12}));  // the pages' font
  EXPECT_EQ(combo.Height(), 23);
}
