#include "skin/LangBox.h"

#include <algorithm>
#include <string>
#include <vector>

const std::array<LANGID, 107> TLanguageComboBox::kLanguages = {
    0x0800, 0x0400, 0x0436, 0x041C, 0x0401, 0x0801, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01,
    0x2001, 0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001, 0x042D, 0x0423,
    0x0402, 0x0403, 0x0404, 0x0804, 0x0C04, 0x1004, 0x041A, 0x0405, 0x0406, 0x0413, 0x0813,
    0x0409, 0x0809, 0x0C09, 0x1009, 0x1409, 0x1809, 0x1C09, 0x2009, 0x2409, 0x2809, 0x2C09,
    0x0425, 0x0438, 0x0429, 0x040B, 0x040C, 0x080C, 0x0C0C, 0x100C, 0x140C, 0x0407, 0x0807,
    0x0C07, 0x1007, 0x1407, 0x0408, 0x040D, 0x040E, 0x040F, 0x0421, 0x0410, 0x0810, 0x0411,
    0x0412, 0x0812, 0x0426, 0x0414, 0x0814, 0x0415, 0x0816, 0x0416, 0x0418, 0x0419, 0x041A,
    0x081A, 0x0C1A, 0x041B, 0x0424, 0x040A, 0x080A, 0x0C0A, 0x100A, 0x140A, 0x180A, 0x1C0A,
    0x200A, 0x240A, 0x280A, 0x2C0A, 0x300A, 0x340A, 0x380A, 0x3C0A, 0x400A, 0x440A, 0x480A,
    0x4C0A, 0x500A, 0x041D, 0x081D, 0x041E, 0x041F, 0x0422, 0x042A};

namespace {

TControlArgs SizedArgs(TControlArgs args) {
  if (args.width <= 0) args.width = TLanguageComboBox::kDefaultWidth;
  return args;
}

}  // namespace

std::wstring LanguageName(LANGID language) {
  // The platform's names fit a buffer of 79 characters; a longer one comes back cut.
  wchar_t name[80] = {};
  const DWORD length = VerLanguageNameW(language, name, 79);
  return std::wstring(name, std::min<DWORD>(length, 79));
}

TLanguageComboBox::TLanguageComboBox(TControl& parent, const TControlArgs& args)
    : TBGComboBox(parent, SizedArgs(args), {.style = TComboStyle::DropDownList}) {}

void TLanguageComboBox::Fill() {
  std::vector<std::wstring> names;
  names.reserve(kLanguages.size());
  for (LANGID language : kLanguages) names.push_back(LanguageName(language));
  SetItems(names);
  SelectLanguage(GetUserDefaultLangID());
}

void TLanguageComboBox::SelectLanguage(LANGID language) {
  SetItemIndex(-1);
  const auto at = std::find(kLanguages.begin(), kLanguages.end(), language);
  const int index = static_cast<int>(at - kLanguages.begin());
  if (at != kLanguages.end() && index < Count()) SetItemIndex(index);
}

LANGID TLanguageComboBox::SelectedLanguage() const {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(kLanguages.size())) return 0;
  return kLanguages[index];
}
