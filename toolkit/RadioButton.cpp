#include "toolkit/RadioButton.h"

#include <algorithm>

TRadioButton::TRadioButton(TControl& parent, const TControlArgs& args, bool leftText)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  // Not BS_AUTORADIOBUTTON: the automatic kind groups by WS_GROUP and z-order and
  // would uncheck buttons of other groups under the same parent.
  CreateStandardChild(args, L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | (leftText ? BS_LEFTTEXT : 0));
}

bool TRadioButton::Checked() const {
  return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::UncheckSiblings() {
  if (!Parent()) return;
  for (TControl* sibling : Parent()->Controls()) {
    auto* radio = dynamic_cast<TRadioButton*>(sibling);
    if (radio && radio != this && radio->Handle() && radio->Checked())
      SendMessageW(radio->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void TRadioButton::SetChecked(bool checked) {
  if (!Handle() || checked == Checked()) return;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  UncheckSiblings();
  Fire(OnClick, *this);
}

std::vector<TRadioButton*> TRadioButton::Group() const {
  std::vector<TRadioButton*> group;
  if (!Parent()) return group;
  for (TControl* sibling : Parent()->Controls())
    if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio->Handle()) group.push_back(radio);
  // The tab order is the windows' z-order.
  std::vector<HWND> order;
  for (HWND w = GetWindow(Handle(), GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) order.push_back(w);
  const auto place = [&](const TRadioButton* r) { return std::find(order.begin(), order.end(), r->Handle()); };
  std::sort(group.begin(), group.end(), [&](auto* a, auto* b) { return place(a) < place(b); });
  return group;
}

void TRadioButton::MoveInGroup(bool forward) {
  const std::vector<TRadioButton*> group = Group();
  const auto self = std::find(group.begin(), group.end(), this);
  if (self == group.end()) return;
  const int count = static_cast<int>(group.size());
  const int at = static_cast<int>(self - group.begin());
  for (int step = 1; step < count; ++step) {
    TRadioButton* next = group[(at + (forward ? step : count - step)) % count];
    // Their own flags: the siblings share every window above them.
    if (!next->Enabled() || !next->Visible()) continue;
    next->SetFocus();
    next->SetChecked(true);
    return;
  }
}

LRESULT TRadioButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TFlagScope pressing(mousePress_);
      return TStdControl::WndProc(msg, wParam, lParam);
    }
    case WM_SETFOCUS:
      if (!mousePress_) {
        TFlagScope focusing(focusing_);
        return TStdControl::WndProc(msg, wParam, lParam);
      }
      break;
    case BM_SETCHECK: {
      // The platform makes a radio button a tab stop only while it is checked.
      const LRESULT result = TStdControl::WndProc(msg, wParam, lParam);
      if (const LONG style = GetWindowLongW(Handle(), GWL_STYLE); !(style & WS_TABSTOP))
        SetWindowLongW(Handle(), GWL_STYLE, style | WS_TABSTOP);
      return result;
    }
    case WM_GETDLGCODE:
      return TStdControl::WndProc(msg, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP:
        case VK_LEFT:
          MoveInGroup(false);
          return 0;
        case VK_DOWN:
        case VK_RIGHT:
          MoveInGroup(true);
          return 0;
      }
      break;
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}

std::optional<LRESULT> TRadioButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    // Disabled buttons take no clicks, but a synthesised BN_CLICKED still arrives.
    if (Enabled() && !focusing_) SetChecked(true);
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}
