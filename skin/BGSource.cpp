#include "skin/BGSource.h"

#include "toolkit/Form.h"
#include "skin/frmBackground.h"

TBGSource::TBGSource(TControl& owner, std::wstring name)
    : owner_(owner), form_(dynamic_cast<TBGForm*>(&owner)), name_(std::move(name)) {
  if (form_) form_->AddSource(*this);
}

TBGSource::~TBGSource() {
  if (form_) form_->RemoveSource(*this);
}

void TBGSource::SetBitmap(HBITMAP picture) {
  bitmap_.Assign(picture);
  Changed();
}

void TBGSource::LoadFromFile(const std::wstring& path) {
  bitmap_.LoadFromFile(path);
  Changed();
}

void TBGSource::LoadFromResource(HINSTANCE module, const wchar_t* name) {
  bitmap_.LoadFromResource(module, name);
  Changed();
}

void TBGSource::Changed() {
  auto* form = dynamic_cast<TForm*>(&owner_);
  if (!form || !form->Handle()) return;
  if (!bitmap_.Empty()) form->SetClientSize(bitmap_.Width(), bitmap_.Height());
  // The children repaint too, so that transparent labels show the new picture.
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
