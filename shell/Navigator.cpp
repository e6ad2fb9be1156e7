#include "shell/Navigator.h"

INavigator* NavigatorOf(TControl& control) {
  for (TControl* at = &control; at; at = at->Parent())
    if (auto* navigator = dynamic_cast<INavigator*>(at)) return navigator;
  return nullptr;
}

void OpenSectionFrom(TControl& page, TSection section) {
  if (INavigator* navigator = NavigatorOf(page)) navigator->OpenSection(section);
}

void ReplacePageFrom(TControl& page, const TPageOpener& open) {
  if (INavigator* navigator = NavigatorOf(page)) navigator->ReplacePage(open);
}
