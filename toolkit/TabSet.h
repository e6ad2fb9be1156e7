// TTabSet: a bar of tabs drawn at the foot of an area, each tab hanging down from the
// bar's top edge, which is the bottom edge of the area above; the selected tab is
// drawn in front and open towards the area. Tabs come from a list of strings. A click
// on another tab asks OnChange first, which may refuse it; then the tab becomes the
// selected one and OnClick runs. Setting TabIndex from code raises nothing. Tabs that
// do not fit are cut where the end margin begins.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/CustomControl.h"

class TTabSet;
using TTabChangeEvent = std::function<void(TTabSet& sender, int newTab, bool& allowChange)>;

struct TTabSetOptions {
  int startMargin = 5;            // pixels before the first tab
  int endMargin = 5;              // pixels kept free of tabs at the right edge
  bool softTop = false;           // the top edge in the shadow colour instead of black
  bool ditherBackground = true;   // the free space checkered, else plain Color()
};

class TTabSet : public TCustomControl {
 public:
  TTabSet(TControl& parent, const TControlArgs& args, const TTabSetOptions& options = {});

  const std::vector<std::wstring>& Tabs() const noexcept { return tabs_; }
  // Keeps the selected tab when it still exists, else selects none.
  void SetTabs(std::vector<std::wstring> tabs);
  int TabIndex() const noexcept { return tabIndex_; }
  // -1 selects none; throws EError for an index outside the tabs.
  void SetTabIndex(int index);

  int StartMargin() const noexcept { return options_.startMargin; }
  void SetStartMargin(int margin);
  int EndMargin() const noexcept { return options_.endMargin; }
  void SetEndMargin(int margin);
  bool SoftTop() const noexcept { return options_.softTop; }
  void SetSoftTop(bool softTop);
  bool DitherBackground() const noexcept { return options_.ditherBackground; }
  void SetDitherBackground(bool dither);
  COLORREF SelectedColor() const noexcept { return selectedColor_; }
  void SetSelectedColor(COLORREF colour);
  COLORREF UnselectedColor() const noexcept { return unselectedColor_; }
  void SetUnselectedColor(COLORREF colour);

  // A tab's rectangle in client coordinates, from its left to its right corner at
  // the top edge; empty for an index outside the tabs.
  RECT TabRect(int index) const;
  // The tab under a client point, -1 for none. Neighbouring tabs overlap at their
  // slanted sides; each owns the half of the overlap nearer to it.
  int TabAtPos(POINT point) const;

  TTabChangeEvent OnChange;
  TNotifyEvent OnClick;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::vector<int> TabWidths() const;
  void PaintTab(HDC dc, int index, bool selected);
  void SelectByUser(int index);

  TTabSetOptions options_;
  std::vector<std::wstring> tabs_;
  int tabIndex_ = -1;
  COLORREF selectedColor_;
  COLORREF unselectedColor_;
};

// The tab a keyboard switch asks for, as in a property sheet: Ctrl+Tab and Ctrl+Page Down
// the next, Ctrl+Shift+Tab and Ctrl+Page Up the one before, round at the ends; -1 for
// any other key, without Ctrl, or with fewer than two tabs.
int TabAfterKey(const TTabSet& tabs, WPARAM key);
