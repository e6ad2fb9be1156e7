#include "skin/frmBackground.h"

#include <algorithm>

#include "skin/BGSource.h"

TFormArgs TBGForm::DefaultArgs(std::wstring className) {
  return {.name = L"BGForm",
          .className = std::move(className),
          .caption = L"BGForm",
          .clientWidth = 570,
          .clientHeight = 413,
          .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
          .font = {.face = L"Arial", .height = 12, .charset = ANSI_CHARSET}};
}

TBGForm::TBGForm(const TFormArgs& args) : TForm(args) {}

// A source that is not a member of its form may outlive it; it must then not reach
// back into the destroyed form.
TBGForm::~TBGForm() {
  for (TBGSource* source : sources_) source->form_ = nullptr;
}

void TBGForm::AddSource(TBGSource& source) { sources_.push_back(&source); }

void TBGForm::RemoveSource(TBGSource& source) noexcept {
  sources_.erase(std::remove(sources_.begin(), sources_.end(), &source), sources_.end());
}

HBITMAP TBGForm::GetBackground() {
  return sources_.empty() ? nullptr : sources_.back()->Bitmap().Handle();
}

void TBGForm::Paint(HDC dc, const RECT& clip) {
  TForm::Paint(dc, clip);
  if (HBITMAP picture = GetBackground()) {
    TBitmapDC from(picture);
    const SIZE size = BitmapSize(picture);
    // Only the part of the picture inside the area being painted.
    const int right = std::min<int>(clip.right, size.cx);
    const int bottom = std::min<int>(clip.bottom, size.cy);
    if (from.DC() && right > clip.left && bottom > clip.top)
      BitBlt(dc, clip.left, clip.top, right - clip.left, bottom - clip.top, from.DC(), clip.left,
             clip.top, SRCCOPY);
  }
}

LRESULT TBGForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto answer = AnswerInterfaceQuery(*static_cast<IBackgroundProvider*>(this), msg, wParam, lParam))
    return *answer;
  return TForm::WndProc(msg, wParam, lParam);
}
