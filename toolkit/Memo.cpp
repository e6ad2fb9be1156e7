#include "toolkit/Memo.h"

namespace {

DWORD MemoStyle(const TMemoOptions& options) {
  DWORD style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  // Without ES_AUTOHSCROLL (and without a horizontal scroll bar) the edit wraps words.
  if (!options.wordWrap) style |= ES_AUTOHSCROLL;
  if (options.scrollBars == TScrollBars::Vertical || options.scrollBars == TScrollBars::Both) style |= WS_VSCROLL;
  if (!options.wordWrap && (options.scrollBars == TScrollBars::Horizontal || options.scrollBars == TScrollBars::Both))
    style |= WS_HSCROLL;
  return style;
}

TEditOptions EditOptions(const TMemoOptions& options) {
  return {.border = options.border, .maxLength = options.maxLength, .readOnly = options.readOnly};
}

}  // namespace

TMemo::TMemo(TControl& parent, const TControlArgs& args, const TMemoOptions& options)
    : TEdit(parent, args, EditOptions(options), MemoStyle(options)),
      wordWrap_(options.wordWrap),
      wantTabs_(options.wantTabs),
      leaveCtrlEnter_(options.leaveCtrlEnter) {}

std::vector<std::wstring> TMemo::Lines() const {
  const std::wstring text = Text();
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void TMemo::SetLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  SetText(text);
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) {
    LRESULT code = TEdit::WndProc(msg, wParam, lParam);
    // A multi-line edit asks for every key, Tab and Escape included; leave Tab
    // (without Ctrl) to the dialog manager so the focus moves on, and Escape, which a
    // memo has no use for, to the page's Back or Cancel button.
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const bool leaveTab = !wantTabs_ && key && key->message == WM_KEYDOWN && key->wParam == VK_TAB &&
                          GetKeyState(VK_CONTROL) >= 0;
    const bool leaveEscape = key && key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE;
    const bool leaveEnter = leaveCtrlEnter_ && key && key->message == WM_KEYDOWN &&
                            key->wParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
    if (leaveTab || leaveEscape || leaveEnter) code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    return code;
  }
  return TEdit::WndProc(msg, wParam, lParam);
}
