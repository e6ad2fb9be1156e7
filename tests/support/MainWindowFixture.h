// What the tests of the main window and its pages share: the shared state cleared, the
// fake agent as the user manager, a real main window (which opens the user page
// itself) with its poll driven by the test, the popup's texts and the default error
// reports collected, and input sent to controls as a user's arrives.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/frmCnfgMain.h"
#include "skin/SkinBitmap.h"
#include "toolkit/ComboBox.h"
#include "tests/support/FakeAgent.h"

// What a control paints for WM_PRINTCLIENT into a memory bitmap of its size, laid on a
// colour no control paints (1, 2, 3).
TSkinBitmap Printed(TControl& control);

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One tick of the state poll.
  void Tick() { main->StateTimerTimer(main->StateTimer); }
  // The fake agent's profile, held the way the poll brings it.
  void HoldProfile();
  // The named page on the main window, or null when it was never created.
  template <class TPage>
  TPage* Page(const wchar_t* name) const {
    return dynamic_cast<TPage*>(main->FindControl(name));
  }

  // True when the page is shown and is the current page.
  static bool IsCurrent(TControl& page);
  // The user's choice of an entry: selected, then notified as the list notifies it.
  static void Choose(TComboBox& box, int index);
  // A click as the mouse makes it: a press and a release at (x, y) of the control.
  static void Click(TControl& control, int x = 5, int y = 5);
  // A standard button's click as the button makes it.
  static void Press(TControl& button);
  // Characters as the keyboard sends them; Retype selects all first and deletes it.
  static void Type(TControl& edit, const std::wstring& text);
  static void Retype(TControl& edit, const std::wstring& text);
  // A key pressed and released in `control` (given the focus first), through the
  // program's message loop as the keyboard's keys arrive.
  static void Key(TControl& control, WPARAM key);
  // A key pressed and released wherever the focus is, through the message loop.
  static void KeyAtFocus(WPARAM key);
  // The user's choice of a combo box entry: selected, then notified as the list
  // notifies it.
  static void Choose(TControl& box, int index);

  TFakeAgent agent;
  std::vector<std::wstring> messages, errors;
  std::unique_ptr<TCnfgMain> main;
};
