#include "shell/frameBase.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "shell/Common.h"
#include "agent/UnitDef.h"

namespace {

// Owned by this unit, freed at the program's end.
TSkinBitmap& SharedPageBackground() {
  static TSkinBitmap background;
  return background;
}

// Created hidden (its factory shows it once its controls are made): each control made
// inside a shown window is a visible-region change and a repaint mark, a round trip
// each to Wine's server, and the page paints all of itself when shown anyway.
TControlArgs PageArgs(std::wstring name, int width, int height) {
  return {.name = std::move(name), .left = TBaseFrame::kOrigin.x, .top = TBaseFrame::kOrigin.y,
          .width = width, .height = height, .tabOrder = TBaseFrame::kTabOrder, .visible = false};
}

}  // namespace

TComPtr<IPageWrapper> OpenMainPage(IPageWrapper& page, const TOpenPageArgs& args) {
  TComPtr<IPageWrapper> result(&page);
  if (args.setSnapshot) result->SetSnapshot(args.snapshot);
  if (args.enable) result->SetEnabled(true);
  try {
    result->Refresh();
  } catch (...) {
    // The caller keeps its current page: this one must not stay shown behind it.
    result->Close();
    throw;
  }
  return result;
}

namespace {

// The page the user last left through ReplaceCurrentPage with the keyboard focus on it,
// and the control that had it: one level, as deep as the sections go.
struct TLeftFocus {
  HWND page = nullptr;
  HWND control = nullptr;
};

TLeftFocus& LeftFocus() {
  static TLeftFocus left;
  return left;
}

// The focus on the main window itself or on a control that cannot take it (hidden with
// its page, or disabled) is as good as lost: keys reach no control.
bool FocusLost(const TControl& main) {
  const HWND focus = GetFocus();
  return focus == main.Handle() || (focus && IsChild(main.Handle(), focus) && !CanTakeFocus(focus));
}

}  // namespace

void ReplaceCurrentPage(TControl& main, const std::function<TComPtr<IPageWrapper>(TControl& main)>& show) {
  const TComPtr<IPageWrapper> previous = CurrentPage;
  auto* const from = dynamic_cast<TPageFrame*>(previous.Get());
  const HWND focus = GetFocus();
  const bool focusLeaves = from && from->HasFocus();
  if (previous) previous->Close();
  try {
    CurrentPage = show(main);
  } catch (const std::exception& e) {
    // The page closed itself again; the one the user came from shows as it was.
    ShowMessageText(L"该页无法打开：" + ExceptionMessage(e));
    CurrentPage = previous;
    if (from) from->Show();
  }
  auto* const to = dynamic_cast<TPageFrame*>(CurrentPage.Get());
  // Going back to the page last left forgets the page just left: opened again, that one
  // starts afresh.
  const TLeftFocus left = LeftFocus();
  const bool goingBack = to && to != from && left.page == to->Handle();
  LeftFocus() = focusLeaves && !goingBack ? TLeftFocus{from->Handle(), focus} : TLeftFocus{};
  if (!focusLeaves && !FocusLost(main)) return;
  HWND back = nullptr;
  if (to == from)
    back = focus;  // the page could not be replaced
  else if (goingBack)
    back = left.control;
  if (!to || !to->TakeFocus(back)) {
    if (HWND first = FirstTabStop(main.Handle())) ::SetFocus(first);
  }
}

TBaseFrame::TBaseFrame(TControl& parent, const wchar_t* className, std::wstring name, int width,
                       int height)
    : TPageFrame(parent, PageArgs(std::move(name), width, height), className) {
  // The window's first WM_SIZE came before this class's procedure was in place.
  UpdateBackground();
}

const TSkinBitmap& TBaseFrame::SharedBackground() { return SharedPageBackground(); }
void TBaseFrame::FreeSharedBackground() { SharedPageBackground().Clear(); }

void TBaseFrame::UpdateBackground() {
  HBITMAP parent = ObtainParentBackground();
  TSkinBitmap& shared = SharedPageBackground();
  if (!parent || !shared.Empty()) return;
  // Cut once, where the first page stands: every main page shows this same cut-out.
  shared.SetSize(kBackgroundWidth, kBackgroundHeight);
  shared.CopyFrom(parent, Left(), Top());
}

HBITMAP TBaseFrame::GetBackground() { return SharedPageBackground().Handle(); }
