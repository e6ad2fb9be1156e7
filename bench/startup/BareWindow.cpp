// The baselines of the start-up benchmark: a bare Win32 window of the main window's
// size, created, shown and painted the plainest way, started the same way as the
// program. Built a second time with VT_CREATE_AGENT_CLASSES, it first initialises COM
// and creates the agent's two classes, as the program must before its window: the
// floor that the program's start-up order allows. Built with VT_DRAW_CHINESE_TEXT, the
// bare window paints one line of Chinese in the program's font: what the first Chinese
// text costs on its own (the font link and the glyphs), with nothing of ours around it.
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

#ifdef VT_CREATE_AGENT_CLASSES
constexpr wchar_t kClassName[] = L"FloorWindow";

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
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
