// TSettingsPage: what the online and the offline settings share. Each is a secondary
// page inside a DNS settings page, over its frame, with one captionless group box
// that fills it: five radio buttons that choose a type code (written only when the
// user checks one, so a field can be filled in while another type stays chosen), the
// redirection URL and the button that opens the redirection wizard.
//
// Each is created in its place over the frame, so that its skinned controls cut their
// pictures from there. A disabled settings page greys everything on it, so that a page without a signed-in
// user, or inside a snapshot, looks as unusable as it is. A control that the page
// keeps disabled for a reason of its own stays so when the page is enabled again.
#pragma once
#include <string>
#include <vector>

#include "skin/BGBitBtn.h"
#include "skin/BGGroupBox.h"
#include "toolkit/RadioButton.h"
#include "shell/frameBase2.h"
#include "pages/frameURL.h"

class TSettingsPage : public TBaseFrame2 {
 public:
  // The group box fills the page; the page takes its host's frame.
  static constexpr int kGroupWidth = 394;
  static constexpr int kGroupHeight = 191;

  TBGGroupBox BGGroupBox2;

  // The page window and, beneath it, every control of the group box.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;

  // The code of the checked radio button; 0 when none is checked.
  int CheckedType() const;

 protected:
  TSettingsPage(TControl& host, const RECT& rect, const wchar_t* className, std::wstring name);

  struct TTypeChoice {
    TRadioButton* button;
    int code;
  };
  // The radio buttons and their codes, given once by the page.
  void SetTypeChoices(std::vector<TTypeChoice> choices) { choices_ = std::move(choices); }
  // Checks the button of `code`; any other code leaves every button unchecked. Raises
  // nothing while the buttons' handlers are detached.
  void ShowType(int code);
  // Attaches `handler` to every radio button, or detaches it with nullptr.
  void AttachTypeHandler(const TNotifyEvent& handler);

  // Whether a control may be enabled while the page is; the online page keeps its
  // intranet choice disabled for other services.
  virtual bool MayEnable(const TControl& control) const { return true; }

  // The wizard button's look: the glyph below the caption.
  static void DressWizardButton(TBGButton& button);
  // Closes the DNS settings page that holds this page and opens the redirection
  // wizard for `target` in its place.
  void OpenWizard(TUrlTarget target);

 private:
  std::vector<TTypeChoice> choices_;
};

// What screen readers call the URL edit of both pages.
inline constexpr wchar_t kRedirectUrlName[] = L"重定向地址";

// The args of a radio button: 17 pixels high at the left of the group box.
TControlArgs TypeButtonArgs(const wchar_t* name, int top, int width, const wchar_t* caption, int tabOrder);
// The args of the settings pages' URL edit and wizard button.
TControlArgs UrlEditArgs(int tabOrder);
TControlArgs WizardButtonArgs(int top);

