// TInfoSheet: what the information page's three secondary pages share. Each carries
// its controls on one panel that fills it (raised inner, lowered outer bevel) and
// follows the page's size; two of them hold a list in which several entries can be
// chosen, where a plain click would drop the entries chosen before, so they ask first.
#pragma once
#include <string>

#include "shell/frameBase2.h"
#include "skin/BGPanel.h"
#include "toolkit/ListBox.h"

class TInfoSheet : public TBaseFrame2 {
  // Set once the panel exists: the page's window sees sizes before that.
  bool panelMade_ = false;

 public:
  // The panel that fills the page; the page's controls are its children.
  TBGPanel BGPanel1;

 protected:
  TInfoSheet(TControl& host, const wchar_t* className, std::wstring name, int width, int height);

  // A click or Space in a multiple-selection list, with `stored` entries in the
  // document: without Ctrl held and with something stored, the user is asked (text
  // 560, Yes or No, No the default) whether the click drops the others; a Space that
  // dropped nothing asks nothing. True when the answer is No: the stored entries stay
  // chosen together with the clicked one.
  bool KeepsOthers(const TListBox& list, int stored);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// True while the Ctrl key is held down.
bool CtrlHeld();

// The text without its leading blanks (the category list indents sub-categories).
std::wstring TrimLeadingBlanks(const std::wstring& text);
