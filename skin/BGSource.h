// TBGSource: the non-visual component that holds a skinned window's picture. A form
// owns it like any component; when the owner is a form, every change of the picture
// sets the form's client area to the picture's size (an emptied picture leaves the size
// alone) and repaints the form, so loading the picture sizes the window. A skinned form
// (TBGForm) hands out the picture of its last source to the controls on it.
#pragma once
#include <string>

#include "skin/SkinBitmap.h"

class TBGForm;
class TControl;

class TBGSource {
 public:
  // The component is normally a member of its owner; a skinned form that goes first
  // detaches its sources.
  explicit TBGSource(TControl& owner, std::wstring name = L"BGSource1");
  ~TBGSource();
  TBGSource(const TBGSource&) = delete;
  TBGSource& operator=(const TBGSource&) = delete;

  const std::wstring& Name() const noexcept { return name_; }
  TControl& Owner() const noexcept { return owner_; }

  const TSkinBitmap& Bitmap() const noexcept { return bitmap_; }
  // Copies the picture; a null handle empties it.
  void SetBitmap(HBITMAP picture);
  // Reads a BMP file. Throws EError when the file is missing or unreadable; the old
  // picture then stays.
  void LoadFromFile(const std::wstring& path);
  void LoadFromResource(HINSTANCE module, const wchar_t* name);

 private:
  friend class TBGForm;
  void Changed();

  TControl& owner_;
  TBGForm* form_;  // the owner when it is a skinned form
  std::wstring name_;
  TSkinBitmap bitmap_;
};
