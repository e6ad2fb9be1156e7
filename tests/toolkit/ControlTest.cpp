// TControl and TButton under a recording parent: reflection of notifications to the
// child object, events, ids, tab order, fonts and teardown.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Exception.h"
#include "toolkit/Frame.h"
#include "toolkit/Label.h"
#include "tests/support/AccessibleNames.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

// An owner-drawn button that logs the notifications handed back to it, answers
// WM_NOTIFY with 1234 and throws on WM_USER + 1.
class TProbe : public TControl {
 public:
  TProbe(TControl& parent, TLog& log) : TControl(parent, {.name = L"probe"}), log_(log) {
    CreateStandardChild({.width = 50, .height = 20}, L"BUTTON", BS_OWNERDRAW);
  }

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override {
    log_.push_back("child " + MessageName(msg));
    if (msg == WM_NOTIFY) return 1234;
    return msg == WM_DRAWITEM ? std::optional<LRESULT>(TRUE) : TControl::Reflected(msg, wParam, lParam);
  }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_USER + 1) throw EError(L"probe failed");
    return TControl::WndProc(msg, wParam, lParam);
  }

 private:
  TLog& log_;
};

TControlArgs At(const wchar_t* name, int left, int tabOrder = -1, int id = 0) {
  return {.name = name, .left = left, .width = 60, .height = 24, .caption = name, .tabOrder = tabOrder, .id = id};
}

std::wstring ZOrder(HWND parent) {
  std::wstring names;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[64] = {};
    GetWindowTextW(child, text, 64);
    names += text;
  }
  return names;
}

}  // namespace

TEST(Reflection, AClickReachesTheParentAndComesBackAsTheButtonsOnClick) {
  TLog log;
  TRecordingForm form(&log);
  TButton button(form, At(L"btnOK", 10));
  button.OnClick = [&](TControl& sender) { log.push_back("OnClick " + ToUtf8(sender.Name())); };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (TLog{"parent WM_COMMAND 0", "OnClick btnOK"}));
}

TEST(Reflection, EveryKindOfNotificationGoesBackToTheChildThatSentIt) {
  TLog log;
  TRecordingForm form(&log), stranger;
  TProbe probe(form, log);
  HWND parent = form.Handle();
  const auto child = reinterpret_cast<LPARAM>(probe.Handle());
  NMHDR header{probe.Handle(), static_cast<UINT_PTR>(probe.Id()), NM_CLICK};
  EXPECT_EQ(SendMessageW(parent, WM_NOTIFY, probe.Id(), reinterpret_cast<LPARAM>(&header)), 1234);
  SendMessageW(parent, WM_HSCROLL, SB_LINEDOWN, child);
  SendMessageW(parent, WM_VSCROLL, SB_LINEDOWN, child);
  HDC dc = GetDC(probe.Handle());
  // Left unanswered by the child: the parent's default answer, a system brush.
  EXPECT_NE(SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), child), 0);
  ReleaseDC(probe.Handle(), dc);
  // Other windows' notifications and the form's own scroll bars are not reflected.
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(probe.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(stranger.Handle()));
  SendMessageW(parent, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(log, (TLog{"parent WM_NOTIFY", "child WM_NOTIFY", "parent WM_HSCROLL", "child WM_HSCROLL",
                       "parent WM_VSCROLL", "child WM_VSCROLL", "parent WM_CTLCOLORBTN", "child WM_CTLCOLORBTN",
                       "parent WM_COMMAND 0", "parent WM_HSCROLL"}));
  log.clear();
  TPixels paint(probe.Handle());  // an owner-drawn button asks its parent to draw it
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(TLog(log.end() - 2, log.end()), (TLog{"parent WM_DRAWITEM", "child WM_DRAWITEM"}));
}

TEST(Reflection, AnExceptionInASubclassedControlsProcedureStopsThere) {
  TLog log;
  std::vector<std::wstring> reports;
  Application().OnException = [&](const std::wstring& text) { reports.push_back(text); };
  TRecordingForm form;
  TProbe probe(form, log);
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_USER + 1, 0, 0), 0);
  Application().OnException = nullptr;
  EXPECT_EQ(reports, (std::vector<std::wstring>{L"probe failed."}));
}

TEST(ButtonEvents, DetachedOrDisabledButtonsRaiseNothing) {
  TRecordingForm form;
  TButton button(form, At(L"btnApply", 10));
  int clicks = 0;
  const TNotifyEvent handler = [&](TControl&) { ++clicks; };
  const auto click = [&] { SendMessageW(button.Handle(), BM_CLICK, 0, 0); };
  button.OnClick = handler;
  click();
  button.OnClick = nullptr;
  click();
  button.Click();
  EXPECT_EQ(clicks, 1);
  button.OnClick = handler;
  button.SetEnabled(false);  // BM_CLICK and synthesised notifications still reach it
  click();
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(button.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
  EXPECT_EQ(clicks, 1);
  button.SetEnabled(true);
  click();
  EXPECT_EQ(clicks, 2);
}

TEST(ControlIds, AreHandedOutPerParentInCreationOrderUnlessGiven) {
  TRecordingForm form;
  TButton a(form, At(L"a", 0)), b(form, At(L"b", 60)), given(form, At(L"given", 120, -1, 7));
  TFrame frame(form, At(L"frame", 180));
  TButton inner(frame, At(L"inner", 0));
  EXPECT_EQ((std::vector<int>{a.Id(), b.Id(), given.Id(), frame.Id(), inner.Id()}),
            (std::vector<int>{100, 101, 7, 102, 100}));
  EXPECT_EQ(GetDlgItem(frame.Handle(), 100), inner.Handle());
  EXPECT_EQ(form.FindControl(L"inner"), &inner);
}

TEST(TabOrder, TheZOrderFollowsTheTabOrder) {
  TRecordingForm form;
  TButton a(form, At(L"a", 0, 2)), b(form, At(L"b", 60, 0)), c(form, At(L"c", 120, 1));
  TButton d(form, At(L"d", 180));  // no tab order: its place in creation order (3)
  EXPECT_EQ(ZOrder(form.Handle()), L"bcad");
  a.SetTabOrder(0);  // ties keep creation order
  EXPECT_EQ(ZOrder(form.Handle()), L"abcd");
}

TEST(TabOrder, TheTabKeyWalksIntoAFrameInItsPlace) {
  TRecordingForm form;
  TButton first(form, At(L"first", 0, 0)), last(form, At(L"last", 60, 2));
  TFrame frame(form, {.name = L"frame", .top = 50, .width = 200, .height = 50, .tabOrder = 1});
  TButton inner1(frame, At(L"inner1", 0)), inner2(frame, At(L"inner2", 60));
  form.Show();
  first.SetFocus();
  std::vector<HWND> visited;
  for (int i = 0; i < 4; ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    Application().ProcessMessages();  // the dialog manager handles Tab
    visited.push_back(GetFocus());
  }
  EXPECT_EQ(visited, (std::vector<HWND>{inner1.Handle(), inner2.Handle(), last.Handle(), first.Handle()}));
}

// Screen readers name a field after the static text just before it in z-order; the
// fields' own order, which the dialog manager walks, must not change for it.
TEST(TabOrder, ALabelStandsRightBeforeTheFieldItNamesAndTheFieldsKeepTheirOrder) {
  TRecordingForm form;
  TButton a(form, At(L"a", 0, 2)), b(form, At(L"b", 60, 0)), c(form, At(L"c", 120, 1));
  // Created after the fields, as the pages create many of theirs.
  TLabel labelA(form, At(L"A", 0)), labelB(form, At(L"B", 0)), labelC(form, At(L"C", 0));
  EXPECT_EQ(ZOrder(form.Handle()), L"bcaABC");
  labelA.SetFocusControl(a);
  labelB.SetFocusControl(b);
  labelC.SetFocusControl(c);
  EXPECT_EQ(ZOrder(form.Handle()), L"BbCcAa");
  EXPECT_EQ(labelA.FocusControl(), &a);

  a.SetTabOrder(0);  // a field that moves takes its label along; ties keep creation order
  EXPECT_EQ(ZOrder(form.Handle()), L"AaBbCc");
  TButton d(form, At(L"d", 180, 1));  // a later field lands after its equals, labels kept in place
  EXPECT_EQ(ZOrder(form.Handle()), L"AaBbCcd");
  TLabel second(form, At(L"S", 0));
  second.SetFocusControl(b);  // of two labels the later one is the nearer
  EXPECT_EQ(ZOrder(form.Handle()), L"AaBSbCcd");
}

TEST(TabOrder, ALabelNamesOnlyASiblingAndLetsGoOfAFieldThatIsGone) {
  TRecordingForm form;
  TFrame frame(form, At(L"frame", 0));
  TButton inner(frame, At(L"inner", 0, 0));
  TLabel label(form, At(L"L", 0));
  EXPECT_THROW(label.SetFocusControl(inner), EError);
  EXPECT_THROW(label.SetFocusControl(label), EError);
  {
    TButton field(form, At(L"f", 0, 0));
    label.SetFocusControl(field);
    EXPECT_EQ(GetWindow(field.Handle(), GW_HWNDPREV), label.Handle());
  }
  EXPECT_EQ(label.FocusControl(), nullptr);
  label.SetTabOrder(0);  // placed by its own order again, without touching the old field
  EXPECT_EQ(GetWindow(frame.Handle(), GW_HWNDNEXT), label.Handle());
}

// A field whose label on screen is no static text gets an invisible one: the platform's
// naming reads it, the eye does not see it, and the ids around it stay.
TEST(TabOrder, AFieldNameIsAnInvisibleLabelRightBeforeItsField) {
  TRecordingForm form;
  TButton radio(form, At(L"radio", 0, 0));
  TEdit edit(form, {.name = L"edtURL", .width = 80, .height = 20, .tabOrder = 1});
  TButton after(form, At(L"after", 0, 2));
  EXPECT_EQ(vt::test::LabelName(edit.Handle()), L"");  // a visible tab stop ends the search
  TFieldName name(edit, L"重定向地址");
  EXPECT_FALSE(name.Visible());
  EXPECT_EQ(vt::test::LabelOf(edit.Handle()), name.Handle());
  EXPECT_EQ(vt::test::LabelName(edit.Handle()), L"重定向地址");
  EXPECT_EQ(name.Id(), TFieldName::kStaticId);
  TButton next(form, At(L"next", 0));
  EXPECT_EQ(next.Id(), TControl::kFirstAutoId + 3);
}

TEST(ControlFonts, ControlsTakeTheirParentsFontAndFollowItsChanges) {
  TRecordingForm form;
  TFrame frame(form, At(L"frame", 0));
  TButton shared(frame, At(L"shared", 0)), own(frame, At(L"own", 60));
  const auto fontOf = [](const TControl& c) { return reinterpret_cast<HFONT>(SendMessageW(c.Handle(), WM_GETFONT, 0, 0)); };
  EXPECT_EQ(fontOf(shared), form.Font()->Handle());
  own.SetFont(MakeFont({.face = L"Arial", .height = 14}));
  const TFontRef pageFont = MakeFont({.face = L"Arial", .height = 12, .charset = ANSI_CHARSET});
  frame.SetFont(pageFont);
  EXPECT_EQ(fontOf(shared), pageFont->Handle());
  EXPECT_NE(fontOf(own), pageFont->Handle());
  EXPECT_EQ(pageFont->LogicalHeight(), -12);
}

TEST(ControlTeardown, ChildAndParentCanGoInEitherOrder) {
  TRecordingForm form;
  { TButton temporary(form, At(L"temporary", 0)); }
  EXPECT_TRUE(form.Controls().empty());
  EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), nullptr);
  auto survivor = std::make_unique<TButton>(form, At(L"survivor", 0));
  form.Close();  // the windows go first, the objects stay
  EXPECT_EQ(survivor->Handle(), nullptr);
  EXPECT_EQ(survivor->Caption(), L"");
  survivor.reset();
  EXPECT_TRUE(form.Controls().empty());
  EXPECT_THROW(TButton(form, At(L"orphan", 0)), EError);  // no parent window any more
  EXPECT_TRUE(form.Controls().empty());
}
