#include "tests/support/MainWindowFixture.h"

#include "agent/SvcObj.h"
#include "agent/UnitDef.h"
#include "toolkit/Application.h"

TSkinBitmap Printed(TControl& control) {
  TSkinBitmap target(control.Width(), control.Height(), RGB(1, 2, 3));
  {
    TBitmapDC dc(target.Handle());
    SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.DC()), PRF_CLIENT);
  }
  GdiFlush();
  return target;
}

void MainWindowFixture::SetUp() {
  ClearSharedState();
  UserManager = TUserManagerLink(TComPtr<IUserManager>(&agent));
  MessageSink = [this](const std::wstring& text) { messages.push_back(text); };
  Application().OnException = [this](const std::wstring& text) { errors.push_back(text); };
  Application().SetTitle(L"维特兰诺用户管理");
  main = std::make_unique<TCnfgMain>();
  main->StateTimer.SetEnabled(false);  // ticks are driven by the tests
}

void MainWindowFixture::TearDown() {
  main.reset();
  ClearSharedState();
  SvcObj.reset();  // made by the options page; a later test starts without it
  UserManager.Reset();
  MessageSink = nullptr;
  Application().OnException = nullptr;
}

void MainWindowFixture::HoldProfile() {
  UserProfile = {};
  Tick();
  ASSERT_TRUE(UserProfile.Assigned());
}

bool MainWindowFixture::IsCurrent(TControl& page) {
  return page.Visible() && CurrentPage.Get() == dynamic_cast<IPageWrapper*>(&page);
}

void MainWindowFixture::Choose(TComboBox& box, int index) {
  SendMessageW(box.Handle(), CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(box.Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
}

void MainWindowFixture::Click(TControl& control, int x, int y) {
  SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void MainWindowFixture::Press(TControl& button) { SendMessageW(button.Handle(), BM_CLICK, 0, 0); }

void MainWindowFixture::Type(TControl& edit, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(edit.Handle(), WM_CHAR, c, 1);
}

void MainWindowFixture::Retype(TControl& edit, const std::wstring& text) {
  SendMessageW(edit.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(edit.Handle(), WM_CHAR, VK_BACK, 1);
  Type(edit, text);
}

void MainWindowFixture::Key(TControl& control, WPARAM key) {
  control.SetFocus();
  PostMessageW(control.Handle(), WM_KEYDOWN, key, 1);
  PostMessageW(control.Handle(), WM_KEYUP, key, 0xC0000001);
  Application().ProcessMessages();
}

void MainWindowFixture::KeyAtFocus(WPARAM key) {
  const HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr) << "no window has the focus";
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  Application().ProcessMessages();
}

void MainWindowFixture::Choose(TControl& box, int index) {
  SendMessageW(box.Handle(), CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(box.Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
}
