#include "tests/toolkit/ToolkitTestUtil.h"

#include "toolkit/Application.h"

namespace toolkit_test {

TRecordingForm::TRecordingForm(TLog* log)
    : TForm({.name = L"TestForm", .className = L"TToolkitTest", .clientWidth = 300, .clientHeight = 200}),
      log(log) {}

LRESULT TRecordingForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const std::string name = MessageName(msg);
  if (log && !name.empty())
    log->push_back("parent " + name + (msg == WM_COMMAND ? " " + std::to_string(HIWORD(wParam)) : ""));
  return TForm::WndProc(msg, wParam, lParam);
}

std::string MessageName(UINT msg) {
  switch (msg) {
    case WM_COMMAND: return "WM_COMMAND";
    case WM_NOTIFY: return "WM_NOTIFY";
    case WM_CTLCOLORBTN: return "WM_CTLCOLORBTN";
    case WM_CTLCOLORSTATIC: return "WM_CTLCOLORSTATIC";
    case WM_DRAWITEM: return "WM_DRAWITEM";
    case WM_HSCROLL: return "WM_HSCROLL";
    case WM_VSCROLL: return "WM_VSCROLL";
    default: return {};
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    Application().ProcessMessages();
  }
  return true;
}

void PumpFor(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  PumpUntil([&] { return GetTickCount64() >= deadline; }, ms + 1000);
}

void MouseDown(HWND window, int x, int y, WPARAM keys) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
}

void MouseUp(HWND window, int x, int y, WPARAM keys) { SendMessageW(window, WM_LBUTTONUP, keys, MAKELPARAM(x, y)); }

void Click(HWND window, int x, int y, WPARAM keys) {
  MouseDown(window, x, y, keys);
  MouseUp(window, x, y, keys);
}

void Type(HWND window, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 1);
}

void PressKey(HWND window, WORD key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

TPixels::TPixels(HWND window, UINT msg, bool erase) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB};  // top-down rows
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  if (erase) SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(window, msg, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
  for (uint32_t& p : pixels_) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

int TPixels::CountNot(uint32_t colour, int left, int top, int right, int bottom) const {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += At(x, y) != colour;
  return count;
}

std::wstring EllipsisCut(HFONT font, const std::wstring& text, int width) {
  std::wstring shown = text + std::wstring(8, L'\0');  // room for the ellipsis DrawText writes in
  RECT room{0, 0, width, 100};
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, shown.data(), static_cast<int>(text.size()), &room,
            DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  SelectObject(dc, old);
  DeleteDC(dc);
  return shown.c_str();
}

}  // namespace toolkit_test
