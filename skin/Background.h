// How a skinned control finds the picture behind it.
//
// Every skinned window offers its background through IBackgroundProvider: the skinned
// form its window picture, a page its cut-out of the form's picture, a picture button
// or a skinned group box its own cut-out. A control fills its own background by
// cutting, from its parent's background, the rectangle it covers in the parent's
// client area (CutBackground). Coordinates therefore add up along the chain of
// parents, and every control shows the part of the window picture that lies under it:
//   form picture (0, 0) -> main page at 156, 68 -> group box at 20, 12 -> list at
//   136, 28 shows the form picture's rectangle at 312, 108.
//
// Finding the parent's object: the parent is asked by window message, not through
// TControl::FromHandle, because FromHandle only knows windows of our own classes,
// while skinned standard controls (group boxes, panels) are subclassed system
// windows. Any window whose procedure answers the registered message
// InterfaceQueryMessage() (wParam: const IID*, lParam: void** receiving an AddRef'ed
// pointer; result 1 when it answered) takes part; every other window returns 0 from
// its default processing, which reads as "no background". Only windows of this
// process are asked, since the message carries pointers.
//
// Reference counting through these interfaces is owner-managed: AddRef and Release
// never destroy the control; its owner does.
#pragma once
#include <objbase.h>
#include <windows.h>

#include <optional>

#include "toolkit/ComPtr.h"
#include "toolkit/StaticUnknown.h"
#include "skin/SkinBitmap.h"

// {DF184394-FA58-49BF-9340-59144D0B8167}
inline constexpr GUID IID_IBackgroundProvider = {
    0xDF184394, 0xFA58, 0x49BF, {0x93, 0x40, 0x59, 0x14, 0x4D, 0x0B, 0x81, 0x67}};

// Hands out the picture that lies behind the implementer's children. The bitmap stays
// owned by the implementer; callers only read it and keep no reference to it beyond
// their next cut-out. Null when there is no picture.
struct IBackgroundProvider : public IUnknown {
  virtual HBITMAP STDMETHODCALLTYPE GetBackground() = 0;
};

// {397CF363-0F6F-4663-8D6E-4577283AA7F0}
inline constexpr GUID IID_IBackgroundRefresh = {
    0x397CF363, 0x0F6F, 0x4663, {0x8D, 0x6E, 0x45, 0x77, 0x28, 0x3A, 0xA7, 0xF0}};

// Asks a control to cut its background anew from its parent and repaint itself.
struct IBackgroundRefresh : public IUnknown {
  virtual void STDMETHODCALLTYPE RefreshBackground() = 0;
};

// The two interfaces as TStaticUnknownOf lists them.
using TBackgroundProviderInterface = TComInterface<IBackgroundProvider, IID_IBackgroundProvider>;
using TBackgroundRefreshInterface = TComInterface<IBackgroundRefresh, IID_IBackgroundRefresh>;

// The registered message through which a window is asked for an interface of its
// object (see the comment at the top).
UINT InterfaceQueryMessage();

// For a window procedure: answers the interface query with object.QueryInterface.
// nullopt for any other message.
std::optional<LRESULT> AnswerInterfaceQuery(IUnknown& object, UINT msg, WPARAM wParam,
                                            LPARAM lParam);

// Asks `window` for an interface of its object; empty when the window is null, belongs
// to another process or does not answer.
TComPtr<IUnknown> QueryWindowInterface(HWND window, REFIID iid);

template <class T>
TComPtr<T> QueryWindowInterface(HWND window, REFIID iid) {
  TComPtr<T> result;
  if (TComPtr<IUnknown> unknown = QueryWindowInterface(window, iid))
    result.Attach(static_cast<T*>(unknown.Detach()));
  return result;
}

// The background that the parent of `control` offers; null when it offers none.
HBITMAP ParentBackground(HWND control);

// The control's rectangle in its parent's client area.
RECT RectInParent(HWND control);

// The cut-out rule: sizes `own` to the control's window and fills it with the
// rectangle of the parent's background under the control. When the parent offers no
// background `own` is left as it was and the result is false.
bool CutBackground(HWND control, TSkinBitmap& own);

// Draws the part of the parent's background under `control` into dc at `area` (the
// control's client coordinates). False, with nothing drawn, when the parent offers no
// background.
bool DrawParentBackground(HWND control, HDC dc, const RECT& area);
