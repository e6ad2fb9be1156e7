// Paint cost of each skinned standard control against the same control unskinned: both
// sit on one shown skinned form with a picture, and each figure is the median time of
// one full repaint of the control (invalidate and paint at once).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/BGBitBtn.h"
#include "skin/BGCheckBox.h"
#include "skin/BGComboBox.h"
#include "skin/BGDrawGrid.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGListBox.h"
#include "skin/BGMemo.h"
#include "skin/BGPanel.h"
#include "skin/BGRadioButton.h"
#include "skin/BGSource.h"
#include "skin/BGTabSet.h"
#include "skin/BGTrackBar.h"
#include "skin/BGUpDown.h"
#include "bench/BenchUtil.h"
#include "skin/frmBackground.h"

namespace {

constexpr int kRuns = 31;
constexpr int kInner = 20;

class TBenchForm : public TBGForm {
 public:
  TBenchForm() : TBGForm(TBGForm::DefaultArgs(L"TBenchSkinControls")) {
    TSkinBitmap picture(570, 413);
    uint32_t* bits = picture.Bits();
    for (int y = 0; y < 413; ++y)
      for (int x = 0; x < 570; ++x) bits[y * 570 + x] = ((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x40;
    BGSource1.SetBitmap(picture.Handle());
  }
  TBGSource BGSource1{*this};
};

// One batch of kInner full repaints, in milliseconds per repaint.
double RepaintMs(TControl& control) {
  const double start = bench::NowMs();
  for (int i = 0; i < kInner; ++i)
    RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return (bench::NowMs() - start) / kInner;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The batches of the two controls alternate, so that the load of a shared machine
// falls on both alike.
void Compare(const char* name, TControl& skinned, TControl& plain) {
  RepaintMs(skinned);
  RepaintMs(plain);
  std::vector<double> skinnedMs, plainMs;
  for (int run = 0; run < kRuns; ++run) {
    skinnedMs.push_back(RepaintMs(skinned));
    plainMs.push_back(RepaintMs(plain));
  }
  char label[64];
  std::snprintf(label, sizeof label, "%s repaint, skinned", name);
  bench::Report(label, Median(skinnedMs), "the same, unskinned", Median(plainMs), "<= 3x");
}

TControlArgs At(const wchar_t* name, int top, int width, int height, const wchar_t* caption = L"") {
  return {.name = name, .left = 10, .top = top, .width = width, .height = height, .caption = caption};
}

TControlArgs Beside(TControlArgs args) {
  args.left += 280;
  args.name += L"Plain";
  return args;
}

std::vector<std::wstring> Entries() {
  std::vector<std::wstring> items;
  for (int i = 0; i < 20; ++i) items.push_back(L"Entry " + std::to_wstring(i));
  return items;
}

template <class Skinned, class Plain, class... Options>
void Pair(TBenchForm& form, const char* name, const TControlArgs& args,
          const std::function<void(Plain&)>& setUp, Options... options) {
  Skinned skinned(form, args, options...);
  Plain plain(form, Beside(args), options...);
  if (setUp) {
    setUp(skinned);
    setUp(plain);
  }
  Compare(name, skinned, plain);
}

}  // namespace

int wmain() {
  TBenchForm form;
  form.Show();
  Pair<TBGEdit, TEdit>(form, "edit", At(L"edt", 10, 150, 22, L"Some text"), {});
  Pair<TBGMemo, TMemo>(form, "memo", At(L"mem", 40, 200, 90, L"One\r\nTwo\r\nThree"), {});
  Pair<TBGListBox, TListBox>(form, "list box", At(L"lst", 140, 200, 120), [](TListBox& l) {
    l.SetItems(Entries());
    l.SetItemIndex(2);
  });
  Pair<TBGListBox, TListBox>(form, "list box, multiple selection", At(L"lst", 140, 200, 120),
                             [](TListBox& l) {
                               l.SetItems(Entries());
                               l.SetSelected(1, true);
                               l.SetSelected(3, true);
                             },
                             TListBoxOptions{.multiSelect = true});
  Pair<TBGDrawGrid, TDrawGrid>(form, "draw grid", At(L"Grid", 10, 250, 150), {});
  Pair<TBGPanel, TPanel>(form, "panel", At(L"pnl", 170, 200, 60, L"Panel"), {});
  Pair<TBGTrackBar, TTrackBar>(form, "track bar", At(L"tb", 240, 200, 40), [](TTrackBar& t) { t.SetBorderWidth(4); });
  Pair<TBGBitBtn, TBitBtn>(form, "bitmap button", At(L"btn", 290, 90, 26, L"OK"), {});
  Pair<TBGCheckBox, TCheckBox>(form, "check box", At(L"chk", 320, 150, 20, L"Check"), {});
  Pair<TBGRadioButton, TRadioButton>(form, "radio button", At(L"rb", 345, 150, 20, L"Radio"), {});
  Pair<TBGComboBox, TComboBox>(form, "combo box", At(L"cmb", 370, 150, 22), [](TComboBox& c) {
    c.SetItems(Entries());
    c.SetItemIndex(1);
  });
  Pair<TBGGroupBox, TGroupBox>(form, "group box", At(L"grp", 10, 250, 120, L"Group"), {});
  Pair<TBGTabSet, TTabSet>(form, "tab set", At(L"tab", 140, 250, 24), [](TTabSet& t) {
    t.SetTabs({L"One", L"Two", L"Three"});
    t.SetTabIndex(1);
  });
  Pair<TBGUpDown, TUpDown>(form, "up-down", At(L"ud", 180, 17, 30), {});
  return 0;
}
