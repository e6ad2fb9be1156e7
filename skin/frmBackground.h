// TBGForm: the base of the skinned windows (the main window, the notification popup).
// It paints its background colour and then the picture of its skin source over it at
// 0, 0, and offers that picture to the controls on it through IBackgroundProvider, so
// that each of them can show the part of the picture that lies beneath it.
#pragma once
#include <vector>

#include "skin/Background.h"
#include "toolkit/Form.h"

class TBGSource;

class TBGForm : public TForm, public TStaticUnknownOf<TBackgroundProviderInterface> {
 public:
  // The defaults of a skinned window: a 570 x 413 client area, a fixed single border
  // with only the system menu, caption "BGForm", Arial with a 12-pixel character
  // height in the ANSI character set. Derived forms start from these and change what
  // they need.
  static TFormArgs DefaultArgs(std::wstring className);

  explicit TBGForm(const TFormArgs& args);
  ~TBGForm() override;

  // The picture of the last skin source in component order; null when the form has
  // none or that source holds no picture.
  HBITMAP STDMETHODCALLTYPE GetBackground() override;
  // The skin sources owned by the form, in the order they were created.
  const std::vector<TBGSource*>& Sources() const noexcept { return sources_; }


 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TBGSource;
  void AddSource(TBGSource& source);
  void RemoveSource(TBGSource& source) noexcept;

  std::vector<TBGSource*> sources_;
};
