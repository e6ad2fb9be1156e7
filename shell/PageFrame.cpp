#include "shell/PageFrame.h"

#include "toolkit/Application.h"
#include "shell/Common.h"
#include "agent/UnitDef.h"
#include "toolkit/Painting.h"

int ShowPageMessage(HWND owner, int number, UINT style) {
  const std::wstring text = GetResString(number);
  if (style == kPopupMessageStyle) {
    ShowMessageText(text);
    return 0;
  }
  return MessageBoxW(owner, text.c_str(), Application().Title().c_str(), style);
}

TPageFrame::TPageFrame(TControl& parent, const TControlArgs& args, const wchar_t* className)
    : TFrame(parent, args, className) {
  SetFont(MakeFont({.face = L"Arial", .height = 12, .charset = ANSI_CHARSET}));
}

HBITMAP TPageFrame::ObtainParentBackground() {
  if (!parentBackground_) parentBackground_ = ::ParentBackground(Handle());
  return parentBackground_;
}

const TSkinBitmap& TPageFrame::PageBackground() const {
  static const TSkinBitmap none;
  return none;
}

bool TPageFrame::GetEnabled() { return TControl::Enabled(); }

void TPageFrame::SetEnabled(bool value) {
  if (TControl::Enabled() != value) TControl::SetEnabled(value);
}

void TPageFrame::Refresh() { SetEnabled(!GetSnapshot() && UserProfile.Assigned()); }

void TPageFrame::Close() { SetVisible(false); }
void TPageFrame::Show() {
  if (Handle()) ShowErasingAtFirstPaint(Handle(), false);
}

int TPageFrame::ShowPageMessage(int number, UINT style) {
  return ::ShowPageMessage(Handle(), number, style);
}

bool TPageFrame::HasFocus() const {
  const HWND focus = GetFocus();
  return focus && (focus == Handle() || IsChild(Handle(), focus));
}

bool TPageFrame::TakeFocus(HWND preferred) {
  const auto usable = [this](HWND window) { return window && IsChild(Handle(), window) && CanTakeFocus(window); };
  if (usable(preferred)) {
    ::SetFocus(preferred);
    return true;
  }
  const HWND target = usable(GetFocus()) ? GetFocus() : FirstTabStop(Handle());
  if (!target) return false;
  ::SetFocus(target);
  // As the dialog manager gives a dialog its first field: the text chosen, so that
  // typing replaces it.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
  return true;
}

bool TPageFrame::DialogKey(WPARAM key) {
  TControl* button = key == VK_RETURN ? defaultButton_ : key == VK_ESCAPE ? cancelButton_ : nullptr;
  if (!button) return false;
  // A button that is hidden or disabled, itself or a container of it on the page (a
  // snapshot's content, a Back button that is not shown), does not take the key; it
  // goes on to the windows around the page, which leave it alone on a page opened
  // inside a section (see TCnfgMain::DialogKey).
  for (TControl* c = button; c && c != this; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  return true;
}

void TPageFrame::Paint(HDC dc, const RECT& clip) {
  const TSkinBitmap& background = PageBackground();
  if (background.Empty()) {
    TFrame::Paint(dc, clip);
    return;
  }
  TBitmapDC from(background.Handle());
  if (from.DC()) BitBlt(dc, 0, 0, Width(), Height(), from.DC(), 0, 0, SRCCOPY);
}

LRESULT TPageFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto answer = AnswerInterfaceQuery(*static_cast<IPageWrapper*>(this), msg, wParam, lParam))
    return *answer;
  switch (msg) {
    case WM_SIZE:
      UpdateBackground();
      break;
    case WM_KILLFOCUS:  // a page repaints itself when it loses the keyboard focus
      Invalidate();
      break;
  }
  return TFrame::WndProc(msg, wParam, lParam);
}
