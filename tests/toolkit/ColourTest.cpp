// Every standard control paints its background in its own Color(), printed or painted
// into a caller's DC: the colour a skinned control leaves transparent.
#include <gtest/gtest.h>

#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ListBox.h"
#include "toolkit/RadioButton.h"
#include "tests/toolkit/ToolkitTestUtil.h"
#include "toolkit/TrackBar.h"

using namespace toolkit_test;

namespace {

// The share of the client area, in per cent, that shows exactly red.
int RedShare(HWND window, UINT msg) {
  const TPixels p(window, msg, true);
  const int total = p.Width() * p.Height();
  return total ? 100 * (total - p.CountNot(0xFF0000, 0, 0, p.Width(), p.Height())) / total : 0;
}

}  // namespace

TEST(StandardColours, EachControlShowsItsColourWhereItShowsBackground) {
  TRecordingForm form;
  TEdit edit(form, {.name = L"edt", .width = 80, .height = 23, .caption = L"text"});
  TListBox list(form, {.name = L"lst", .width = 80, .height = 60});
  list.SetItems({L"one", L"two"});
  TComboBox combo(form, {.name = L"cmb", .width = 80, .height = 23}, {.style = TComboStyle::DropDownList});
  combo.SetItems({L"one"});
  combo.SetItemIndex(0);
  TComboBox editable(form, {.name = L"cmbEdit", .width = 80, .height = 23});
  TCheckBox check(form, {.name = L"chk", .width = 80, .height = 17, .caption = L"check"});
  TRadioButton radio(form, {.name = L"rb", .width = 80, .height = 17, .caption = L"radio"});
  TGroupBox group(form, {.name = L"grp", .width = 80, .height = 60, .caption = L"group"});
  TTrackBar track(form, {.name = L"tb", .width = 80, .height = 30});
  const std::vector<std::pair<TStdControl*, int>> controls{{&edit, 90}, {&list, 90}, {&combo, 55},
                                                           {&check, 75}, {&radio, 75}, {&group, 80}, {&track, 75}};
  for (const auto& [control, share] : controls) {
    control->SetColor(RGB(255, 0, 0));
    EXPECT_GE(RedShare(control->Handle(), WM_PRINTCLIENT), share) << ToUtf8(control->Name());
    EXPECT_GE(RedShare(control->Handle(), WM_PAINT), share) << ToUtf8(control->Name());
  }
  // The editable box's field is an edit of its own, coloured by the box.
  editable.SetColor(RGB(255, 0, 0));
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(editable.Handle(), &info));
  EXPECT_GE(RedShare(info.hwndItem, WM_PRINTCLIENT), 90);
}
