#include "toolkit/Font.h"

#include "toolkit/Exception.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

LOGFONTW SystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return metrics.lfMessageFont;
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

}  // namespace

TFont::TFont(const TFontDesc& desc) {
  LOGFONTW font = SystemMessageFont();
  if (!desc.face.empty()) {
    if (desc.face.size() >= LF_FACESIZE) throw EError(L"Font face name too long: " + desc.face);
    font = LOGFONTW{};
    font.lfCharSet = desc.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    desc.face.copy(font.lfFaceName, LF_FACESIZE - 1);
  }
  if (desc.height > 0) font.lfHeight = -desc.height;
  font.lfWeight = desc.weight;
  handle_ = TGdiObject<HFONT>(CreateFontIndirectW(&font));
  if (!handle_) throw EError(FormatResString(kTextFontNotCreated, {font.lfFaceName}));
  face_ = font.lfFaceName;
  logicalHeight_ = font.lfHeight;
}

TFont::~TFont() = default;

TFontRef MakeFont(const TFontDesc& desc) { return std::make_shared<const TFont>(desc); }
