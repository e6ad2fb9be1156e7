// TPageURL, the redirection wizard: composes a redirection address from five parts
// (protocol, host, port, folder, file) and stores it as the account's online or
// offline redirection URL. The online and offline settings open it in place of the
// DNS settings page; OK and Cancel return there through the main window's DNS button.
//
// The wizard never loads the stored URL, and storing one selects nothing: the online
// and offline type codes stay as they are. Each opening resets the five parts; the
// final URL keeps what the last change of a part composed, so a second opening after
// only choosing a protocol and a host shows the previous result.
#pragma once
#include <optional>
#include <span>
#include <string>

#include "agent/Vocabularies.h"
#include "skin/BGBitBtn.h"
#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGIPEdit.h"
#include "skin/BGImage.h"
#include "skin/BGLabel.h"
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

// Which redirection URL of the profile the wizard writes.
enum class TUrlTarget { Online, Offline };

// The parts as the wizard holds them. No scheme or host when none is chosen.
struct TUrlParts {
  std::optional<std::wstring> scheme;
  std::optional<std::wstring> host;
  std::wstring port;
  std::wstring directory;
  std::wstring file;
};

// The port text read as a whole number (an optional sign and decimal digits within the
// integer range); 0 when it is none.
int PortNumber(const std::wstring& text);
// scheme "://" host, ":" port when the port is above 0 (leading zeros gone), "/" and the
// folder without one trailing "/", "/" and the file. Nothing is trimmed, encoded or
// checked: an empty host leaves "://" before the port or path, a folder that starts
// with "/" gives a doubled slash.
std::wstring ComposeUrl(const TUrlParts& parts);

class TPageURL : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageURL";
  static constexpr int kWidth = 430;

  explicit TPageURL(TControl& owner);

  TUrlTarget Target() const noexcept { return target_; }
  // Set by the factory before its refresh.
  void SetTarget(TUrlTarget target) noexcept { target_ = target; }

  // The base rule first (enabled exactly when a profile is held), then every part
  // reset: the lists refilled with nothing chosen, the edits beside them emptied and
  // hidden, the address 0, the port "0", folder and file empty; the protocol box takes
  // the focus. A reset that changes a part composes the URL anew, as a typed change
  // would.
  void STDMETHODCALLTYPE Refresh() override;

  TBGGroupBox BGGroupBox1;
  TBGLabel BGLabel6, BGLabel7, BGLabel8, BGLabel9, BGLabel10;
  TBGImage Image1, Image2, Image3, Image4, Image5;
  TBGLabel BGLabel1, BGLabel2, BGLabel3, BGLabel4, BGLabel5;
  TBGComboBox cmbProtocol;
  TBGEdit edtProtocol;
  TBGComboBox cmbServer;
  TBGEdit edtDomain;
  TBGIPEdit edtIP;
  TBGEdit edtPort;
  TBGEdit edtDir;
  TBGEdit edtFile;
  TBGGroupBox BGGroupBox2;
  TBGEdit edtURL;
  TBGButton btnOK;
  TBGButton btnCancel;
  // Names for screen readers of the edits that no label of their own stands before:
  // the other protocol and the host's domain beside their lists, the URL in its group.
  TFieldName nameProtocol, nameDomain, nameURL;

  void cmbProtocolChange(TControl& sender);
  void cmbServerChange(TControl& sender);
  // Composes the URL from the parts as they stand and puts it into edtURL.
  void URLChanged(TControl& sender);
  // Lets digits, "." and backspace through; drops anything else with the default beep.
  void edtPortKeyPress(TControl& sender, wchar_t& key);
  void btnOKClick(TControl& sender);
  void btnCancelClick(TControl& sender);

  // The parts as the controls hold them now.
  TUrlParts Parts() const;

 private:
  // The host choices of a target.
  static std::span<const TVocabularyItem> Hosts(TUrlTarget target);
  void ResetAddress();
  // Back to the DNS settings page through the main window's DNS button.
  void Leave();

  TUrlTarget target_ = TUrlTarget::Online;
  // The host choices cmbServer holds: those of the target it was last filled for, which
  // a reset composing before the refill still reads.
  std::span<const TVocabularyItem> hosts_ = Hosts(TUrlTarget::Online);
};

// Creates the wizard on first use with `owner` (the main window) as owner and parent,
// or shows it, for `target`; refreshes it.
TComPtr<IPageWrapper> ShowPageURL(TControl& owner, TUrlTarget target);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageURL(TControl& owner);
