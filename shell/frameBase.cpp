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

TControlArgs PageArgs(std::wstring name, int width, int height) {
  return {.name = std::move(name), .left = TBaseFrame::kOrigin.x, .top = TBaseFrame::kOrigin.y,
          .width = width, .height = height};
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

void ReplaceCurrentPage(TControl& main, const std::function<TComPtr<IPageWrapper>(TControl& main)>& show) {
  const TComPtr<IPageWrapper> previous = CurrentPage;
  if (previous) previous->Close();
  try {
    CurrentPage = show(main);
  } catch (const std::exception& e) {
    // The page closed itself again; the one the user came from shows as it was.
    ShowMessageText(L"该页无法打开：" + ExceptionMessage(e));
    CurrentPage = previous;
    if (auto* frame = dynamic_cast<TPageFrame*>(previous.Get())) frame->Show();
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
