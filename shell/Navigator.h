// How a page moves the user on without knowing the window that holds it: the sections
// the navigation buttons open, and another page put in place of the one on show (an
// editor, a dialog, a snapshot, and back), the keyboard focus following. The main
// window is the navigator; a page finds it among its ancestors.
#pragma once
#include <functional>

#include "shell/PageWrapper.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Control.h"

enum class TSection { User, Dns, Records, Hierarchy, Info, Options };

// Opens a page under `holder` and returns its interface; throws when it cannot.
using TPageOpener = std::function<TComPtr<IPageWrapper>(TControl& holder)>;

class INavigator {
 public:
  // Shows the section's own page (the standard or the professional one, by the
  // account's service), as its navigation button does.
  virtual void OpenSection(TSection section) = 0;
  // Puts the page `open` gives in place of the one on show. A page that cannot open
  // leaves the one on show, and a popup says why.
  virtual void ReplacePage(const TPageOpener& open) = 0;

 protected:
  ~INavigator() = default;
};

// The navigator holding `control`; null when it lies outside one.
INavigator* NavigatorOf(TControl& control);

// The same, asked of the navigator holding `page`; nothing outside one.
void OpenSectionFrom(TControl& page, TSection section);
void ReplacePageFrom(TControl& page, const TPageOpener& open);
