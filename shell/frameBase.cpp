#include "frameBase.h"

#include "Application.h"
#include "Common.h"
#include "UnitDef.h"

namespace {

// Owned by this unit, freed at the program's end.
TSkinBitmap& PageBackground() {
  static TSkinBitmap background;
  return background;
}

TControlArgs PageArgs(std::wstring name, int width, int height) {
  return {.name = std::move(name), .left = TBaseFrame::kOrigin.x, .top = TBaseFrame::kOrigin.y,
          .width = width, .height = height};
}

}  // namespace

int ShowPageMessage(HWND owner, int number, UINT style) {
  const std::wstring text = GetResString(number);
  if (style == kPopupMessageStyle) {
    ShowMessageText(text);
    return 0;
  }
  return MessageBoxW(owner, text.c_str(), Application().Title().c_str(), style);
}

TComPtr<IPageWrapper> OpenMainPage(IPageWrapper& page, const TOpenPageArgs& args) {
  TComPtr<IPageWrapper> result(&page);
  if (args.setSnapshot) result->SetSnapshot(args.snapshot);
  if (args.enable) result->SetEnabled(true);
  result->Refresh();
  return result;
}

TBaseFrame::TBaseFrame(TControl& parent, const wchar_t* className, std::wstring name, int width,
                       int height)
    : TFrame(parent, PageArgs(std::move(name), width, height), className) {
  SetFont(MakeFont({.face = L"Arial", .height = 12, .charset = ANSI_CHARSET}));
  // The window's first WM_SIZE came before this class's procedure was in place.
  UpdateBackground();
}

const TSkinBitmap& TBaseFrame::SharedBackground() { return PageBackground(); }
void TBaseFrame::FreeSharedBackground() { PageBackground().Clear(); }

void TBaseFrame::UpdateBackground() {
  if (!parentBackground_) parentBackground_ = ::ParentBackground(Handle());
  if (!parentBackground_) return;
  TSkinBitmap& shared = PageBackground();
  if (!shared.Empty()) return;
  // Cut once, where the first page stands: every main page shows this same cut-out.
  shared.SetSize(kBackgroundWidth, kBackgroundHeight);
  shared.CopyFrom(parentBackground_, Left(), Top());
}

HBITMAP TBaseFrame::GetBackground() { return PageBackground().Handle(); }

bool TBaseFrame::GetEnabled() { return TControl::Enabled(); }

void TBaseFrame::SetEnabled(bool value) {
  if (TControl::Enabled() != value) TControl::SetEnabled(value);
}

void TBaseFrame::Refresh() { SetEnabled(!GetSnapshot() && UserProfile.Assigned()); }

void TBaseFrame::Close() { SetVisible(false); }
void TBaseFrame::Show() { SetVisible(true); }

HRESULT TBaseFrame::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPageWrapper) {
    *out = static_cast<IPageWrapper*>(this);
    return S_OK;
  }
  if (iid == IID_IBackgroundProvider) {
    *out = static_cast<IBackgroundProvider*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

int TBaseFrame::ShowPageMessage(int number, UINT style) {
  return ::ShowPageMessage(Handle(), number, style);
}

void TBaseFrame::Paint(HDC dc, const RECT& clip) {
  const TSkinBitmap& background = PageBackground();
  if (background.Empty()) {
    TFrame::Paint(dc, clip);
    return;
  }
  TBitmapDC from(background.Handle());
  if (from.DC()) BitBlt(dc, 0, 0, Width(), Height(), from.DC(), 0, 0, SRCCOPY);
}

LRESULT TBaseFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto answer = AnswerInterfaceQuery(*static_cast<IPageWrapper*>(this), msg, wParam, lParam))
    return *answer;
  switch (msg) {
    case WM_SIZE:
      UpdateBackground();
      break;
    case WM_KILLFOCUS:
      Invalidate();
      break;
  }
  return TFrame::WndProc(msg, wParam, lParam);
}
