#include "skin/Background.h"

UINT InterfaceQueryMessage() {
  static const UINT message = RegisterWindowMessageW(L"VTUserCnfg.QueryInterface");
  return message;
}

std::optional<LRESULT> AnswerInterfaceQuery(IUnknown& object, UINT msg, WPARAM wParam,
                                            LPARAM lParam) {
  if (msg == 0 || msg != InterfaceQueryMessage()) return std::nullopt;
  const auto* iid = reinterpret_cast<const IID*>(wParam);
  auto** out = reinterpret_cast<void**>(lParam);
  if (!iid || !out) return 0;
  return SUCCEEDED(object.QueryInterface(*iid, out)) && *out ? 1 : 0;
}

TComPtr<IUnknown> QueryWindowInterface(HWND window, REFIID iid) {
  TComPtr<IUnknown> result;
  if (!window || !IsWindow(window)) return result;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return result;
  void* out = nullptr;
  if (SendMessageW(window, InterfaceQueryMessage(), reinterpret_cast<WPARAM>(&iid),
                   reinterpret_cast<LPARAM>(&out)) == 1 && out)
    result.Attach(static_cast<IUnknown*>(out));
  return result;
}

HBITMAP ParentBackground(HWND control) {
  if (!control) return nullptr;
  auto provider = QueryWindowInterface<IBackgroundProvider>(GetParent(control), IID_IBackgroundProvider);
  return provider ? provider->GetBackground() : nullptr;
}

RECT RectInParent(HWND control) {
  RECT rect{};
  if (!control) return rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool CutBackground(HWND control, TSkinBitmap& own) {
  HBITMAP parent = ParentBackground(control);
  if (!parent) return false;
  const RECT rect = RectInParent(control);
  own.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  own.CopyFrom(parent, rect.left, rect.top);
  return true;
}

bool DrawParentBackground(HWND control, HDC dc, const RECT& area) {
  HBITMAP parent = ParentBackground(control);
  if (!parent) return false;
  // The client area's origin within the parent's client area.
  POINT origin{0, 0};
  MapWindowPoints(control, GetParent(control), &origin, 1);
  TSkinBitmap part(area.right - area.left, area.bottom - area.top);
  part.CopyFrom(parent, origin.x + area.left, origin.y + area.top);
  part.Draw(dc, area.left, area.top);
  return true;
}
