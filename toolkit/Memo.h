// TMemo: the multi-line edit, with a vertical scroll bar and word wrap by default.
// Its text keeps line breaks as CR LF: text set with lone LF or CR breaks (as an XML
// document hands them over) is stored with CR LF, so every line shows as a line.
// Lines are the lines of the text between line breaks, not the wrapped screen lines.
#pragma once
#include <vector>

#include "toolkit/Edit.h"

enum class TScrollBars { None, Horizontal, Vertical, Both };

struct TMemoOptions {
  TBorderStyle border = TBorderStyle::Single;
  bool wordWrap = true;                           // fixed at creation
  TScrollBars scrollBars = TScrollBars::Vertical;  // fixed at creation
  int maxLength = 0;
  bool readOnly = false;
  bool wantTabs = false;  // off: Tab moves the focus on, as in any other control
  // On: Ctrl+Enter goes to the page (its default action) instead of breaking the line;
  // Enter alone still does.
  bool leaveCtrlEnter = false;
};

class TMemo : public TEdit {
 public:
  TMemo(TControl& parent, const TControlArgs& args, const TMemoOptions& options = {});

  // A break at the very end of the text ends the last line; it starts no new one.
  std::vector<std::wstring> Lines() const;
  // The lines joined with CR LF, without a break after the last.
  void SetLines(const std::vector<std::wstring>& lines);
  bool WordWrap() const noexcept { return wordWrap_; }
  bool WantTabs() const noexcept { return wantTabs_; }
  void SetWantTabs(bool wantTabs) { wantTabs_ = wantTabs; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool wordWrap_;
  bool wantTabs_;
  bool leaveCtrlEnter_;
};
