// The baselines of the start-up benchmark: a bare Win32 window of the main window's
// size, created, shown and painted the plainest way, started the same way as the
// program. Built a second time with VT_CREATE_AGENT_CLASSES, it first initialises COM
// and creates the agent's two classes, as the program must before its window: the
// floor that the program's start-up order allows. Built with VT_DRAW_CHINESE_TEXT, the
// bare window paints one line of Chinese in the program's font: what the first Chinese
// text costs on its own (the font link and the glyphs), with nothing of ours around it.
// Built with both VT_CREATE_AGENT_CLASSES and VT_CHILD_WINDOWS (and the program's
// manifest, so that the standard controls are the same), the floor window also holds
// windows of the same kinds and number as the program's first screen, each painting
// plainly: what that many windows cost the platform, with none of our work in them.
#include <windows.h>

#ifdef VT_CREATE_AGENT_CLASSES
#include "agent/AgentIntf.h"
#endif

namespace {

#ifdef VT_DRAW_CHINESE_TEXT
void PaintText(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  LOGFONTW desc{};
  desc.lfHeight = -12;
  desc.lfCharSet = GB2312_CHARSET;
  lstrcpyW(desc.lfFaceName, L"SimSun");
  HFONT font = CreateFontIndirectW(&desc);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  static const wchar_t kText[] = L"维特兰诺 动态域名客户端 用户配置";
  TextOutW(dc, 20, 20, kText, lstrlenW(kText));
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(window, &ps);
}
#endif

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
#ifdef VT_DRAW_CHINESE_TEXT
  if (msg == WM_PAINT) {
    PaintText(window);
    return 0;
  }
#endif
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

#ifdef VT_CHILD_WINDOWS
// The program's first screen: in the main window its nine picture buttons and the page,
// all of classes of its own; in the page its eight panels; in the panels 19 labels with
// text, two edits and four buttons in the program's font.
void CreateFirstScreen(HINSTANCE instance, HWND main) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"PlainChild";
  RegisterClassW(&wc);
  const auto child = [instance](const wchar_t* className, const wchar_t* text, DWORD style, RECT r, HWND parent) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left, r.top,
                           r.right, r.bottom, parent, nullptr, instance, nullptr);
  };
  for (int i = 0; i < 9; ++i) child(L"PlainChild", L"", 0, {19, 40 + 40 * i, 127, 33}, main);
  HWND page = child(L"PlainChild", L"", WS_CLIPCHILDREN, {156, 68, 425, 310}, main);
  HWND panels[8];
  for (int i = 0; i < 8; ++i) panels[i] = child(L"PlainChild", L"", 0, {10 + i % 2 * 205, 10 + i / 2 * 75, 200, 70}, page);
  const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun");
  int placed = 0;
  const auto standard = [&](const wchar_t* className, const wchar_t* text, DWORD style) {
    const int slot = placed / 8;
    HWND control = child(className, text, style, {4, 4 + 21 * slot, 190, 18}, panels[placed++ % 8]);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  };
  for (int i = 0; i < 19; ++i) standard(L"STATIC", L"电子邮件：", SS_LEFT);
  for (int i = 0; i < 2; ++i) standard(L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL);
  for (int i = 0; i < 4; ++i) standard(L"BUTTON", L"签  入", BS_PUSHBUTTON);
}
#else
void CreateFirstScreen(HINSTANCE, HWND) {}
#endif

#ifdef VT_CREATE_AGENT_CLASSES
#ifdef VT_CHILD_WINDOWS
constexpr wchar_t kClassName[] = L"ScreenFloorWindow";
#else
constexpr wchar_t kClassName[] = L"FloorWindow";
#endif

// Returns false when either class cannot be created: the benchmark then sees no window.
bool CreateAgentClasses() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  ISvcInvoker* invoker = nullptr;
  IUserManager* manager = nullptr;
  const bool created =
      SUCCEEDED(CoCreateInstance(CLSID_CoSvcInvoker, nullptr, CLSCTX_LOCAL_SERVER, IID_ISvcInvoker,
                                 reinterpret_cast<void**>(&invoker))) &&
      SUCCEEDED(CoCreateInstance(CLSID_CoUserManager, nullptr, CLSCTX_LOCAL_SERVER, IID_IUserManager,
                                 reinterpret_cast<void**>(&manager)));
  // Held until the process ends, as the program holds them.
  return created;
}
#else
#ifdef VT_DRAW_CHINESE_TEXT
constexpr wchar_t kClassName[] = L"TextWindow";
#else
constexpr wchar_t kClassName[] = L"BareWindow";
#endif
bool CreateAgentClasses() { return true; }
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!CreateAgentClasses()) return 1;
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  RECT r{0, 0, 605, 441};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&r, style, FALSE);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  CreateFirstScreen(instance, window);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
