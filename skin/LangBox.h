// TLanguageComboBox: a drop-down list of 107 Windows language identifiers, shown by
// the names the operating system gives them. The entries correspond one to one, by
// position, to a fixed table: the system and user defaults first, then the languages
// in the order of their English names, each with its regional variants. The box does
// not fill itself: its owner fills it (Fill) whenever it loads the value to show.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "skin/BGComboBox.h"

class TLanguageComboBox : public TBGComboBox {
 public:
  static constexpr int kDefaultWidth = 200;
  static const std::array<LANGID, 107> kLanguages;

  // A drop-down list (no typing), 200 pixels wide when args give no width.
  TLanguageComboBox(TControl& parent, const TControlArgs& args);

  // Replaces the entries with the system's name of every table identifier, in table
  // order, then selects the user's default language.
  void Fill();
  // Selects the first entry of the identifier; nothing stays selected when the table
  // has none.
  void SelectLanguage(LANGID language);
  // The identifier of the selected entry; 0 when nothing is selected.
  LANGID SelectedLanguage() const;
};

// The operating system's display name of a language identifier; empty when it has none.
std::wstring LanguageName(LANGID language);
