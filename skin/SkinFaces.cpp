#include "skin/SkinFaces.h"

#include "toolkit/Exception.h"
#include "skin/PicBtn.h"

namespace {

bool TryLoad(TCusPic& picture, const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  try {
    picture.LoadFromFile(path);
    return true;
  } catch (const EError&) {
    return false;  // an unreadable face only costs the look
  }
}

}  // namespace

bool LoadButtonFaces(TPicBtn& button, const std::wstring& folder, const std::wstring& face) {
  const std::wstring base = folder + face;
  TryLoad(button.PicUp, base + L"Up.bmp");
  TryLoad(button.PicDown, base + L"Down.bmp");
  TryLoad(button.PicCheck, base + L"Check.bmp");
  TryLoad(button.PicDsbld, base + L"Disabled.bmp");
  return TryLoad(button.PicIdle, base + L".bmp");
}
