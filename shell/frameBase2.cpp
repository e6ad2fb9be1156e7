#include "frameBase2.h"

#include "UnitDef.h"
#include "frameBase.h"

TBaseFrame2::TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name, int width,
                         int height)
    : TFrame(host, {.name = std::move(name), .width = width, .height = height}, className) {
  SetFont(MakeFont({.face = L"Arial", .height = 12, .charset = ANSI_CHARSET}));
  UpdateBackground();
}

void TBaseFrame2::UpdateBackground() {
  if (!parentBackground_) parentBackground_ = ::ParentBackground(Handle());
  if (!parentBackground_) return;
  background_.SetSize(Width(), Height());
  background_.CopyFrom(parentBackground_, Left(), Top());
  Invalidate();
}

bool TBaseFrame2::GetEnabled() { return TControl::Enabled(); }

void TBaseFrame2::SetEnabled(bool value) {
  if (TControl::Enabled() != value) TControl::SetEnabled(value);
}

void TBaseFrame2::Refresh() { SetEnabled(!GetSnapshot() && UserProfile.Assigned()); }

void TBaseFrame2::Close() { SetVisible(false); }
void TBaseFrame2::Show() { SetVisible(true); }

HRESULT TBaseFrame2::QueryInterface(REFIID iid, void** out) {
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

int TBaseFrame2::ShowPageMessage(int number, UINT style) {
  return ::ShowPageMessage(Handle(), number, style);
}

void TBaseFrame2::Paint(HDC dc, const RECT& clip) {
  TFrame::Paint(dc, clip);
  if (background_.Empty()) return;
  TBitmapDC from(background_.Handle());
  if (from.DC()) BitBlt(dc, 0, 0, Width(), Height(), from.DC(), 0, 0, SRCCOPY);
}

LRESULT TBaseFrame2::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
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
