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

// The faces of the other states are read when the button first shows them: most are
// never needed before the user points at or presses the button.
void LoadWhenUsed(TCusPic& picture, const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) picture.LoadFromFileWhenUsed(path);
}

}  // namespace

bool LoadButtonFaces(TPicBtn& button, const std::wstring& folder, const std::wstring& face) {
  const std::wstring base = folder + face;
  LoadWhenUsed(button.PicUp, base + L"Up.bmp");
  LoadWhenUsed(button.PicDown, base + L"Down.bmp");
  LoadWhenUsed(button.PicCheck, base + L"Check.bmp");
  LoadWhenUsed(button.PicDsbld, base + L"Disabled.bmp");
  return TryLoad(button.PicIdle, base + L".bmp");
}
