// TBGControl<Base>: what every skinned standard control shares. The control stays the
// standard control of its kind; only its painting changes. On the screen it paints
// through a back buffer: the standard control paints its client area off screen, then
// every pixel in exactly the control's own colour (Color()) is replaced by the
// control's cut-out of its parent's picture, so frames, text, arrows and selections
// stay while the background shows the window picture. A caller that hands the
// control a DC of its own (WM_PRINTCLIENT, WM_PAINT with a DC) gets the plain standard
// painting: that is the path the composition itself uses to get the standard face.
//
// The cut-out (Background) is the rectangle of the parent's background under the
// whole window, taken on every resize, also on every move for controls that ask for
// it. The client area lies b pixels inside the window's outer edge (a sunken edge, a
// track bar's border width), so client pixel x, y shows Background at x + b, y + b.
//
// Every skinned control offers its own cut-out through IBackgroundProvider, so any of
// them can be the parent of further skinned controls.
#pragma once
#include <windows.h>

#include <functional>
#include <utility>

#include "skin/Background.h"
#include "skin/SkinBitmap.h"
#include "toolkit/Painting.h"

// The distance from the window's outer edge to its client area's top-left corner.
int BorderOffset(HWND window);

// The off-screen bitmap a control composes its face in, with a memory DC, kept from one
// paint to the next (made anew only when the size changes): painting runs often, and
// making a bitmap and a DC for each paint cost more than the composition itself.
class TFaceBuffer {
 public:
  TFaceBuffer() = default;
  ~TFaceBuffer() { Release(); }
  TFaceBuffer(const TFaceBuffer&) = delete;
  TFaceBuffer& operator=(const TFaceBuffer&) = delete;

  // The DC with a bitmap of `size` selected, every pixel `fill`; null when the system
  // could not make them.
  HDC Prepare(SIZE size, COLORREF fill);
  TSkinBitmap& Bitmap() noexcept { return bitmap_; }
  HDC DC() const noexcept { return dc_.Get(); }

 private:
  void Release() noexcept;

  TSkinBitmap bitmap_;
  TMemoryDC dc_;
  HGDIOBJ old_ = nullptr;
};

// Composes one face in `buffer`: `paintFace` paints the standard face into the
// off-screen DC of `size` (pre-filled with `key`; its DC state is restored afterwards),
// every pixel of exactly `key` takes the colour of `background` at x + b, y + b (a
// pixel beyond the picture keeps `key`, so a control without a picture looks like the
// plain control), `overlay` may draw over the result, and the result is copied to
// `target` at `at`.
void ComposeSkinned(TFaceBuffer& buffer, HDC target, POINT at, SIZE size, int b, COLORREF key,
                    const TSkinBitmap& background, const std::function<void(HDC)>& paintFace,
                    const std::function<void(HDC)>& overlay = {});

// Scrolling of a skinned control: the platform scrolls by copying the pixels on the
// screen, which would drag the picture along with the text. For one scope the window
// gets an empty region, so nothing reaches the screen; at the end (also when an
// exception leaves the scope) the region goes and the whole control is repainted,
// composed from scratch.
class TScrollHider {
 public:
  explicit TScrollHider(HWND window);
  ~TScrollHider();
  TScrollHider(const TScrollHider&) = delete;
  TScrollHider& operator=(const TScrollHider&) = delete;

 private:
  HWND window_;
  bool hidden_ = false;
};

// The requests that scroll a memo, a list or a grid (scroll bars, the wheel, the
// edit's scroll messages), which the skinned ones handle behind a TScrollHider.
bool IsScrollRequest(UINT msg);

// `TMore` lists further interfaces the control answers for (TComInterface).
template <class Base, class... TMore>
class TBGControl : public Base, public TStaticUnknownOf<TBackgroundProviderInterface, TMore...> {
 public:
  // The arguments of the standard control's constructor.
  template <class... Args>
  explicit TBGControl(Args&&... args) : Base(std::forward<Args>(args)...) {
    // The window was made inside Base's constructor, before this class saw its
    // first WM_SIZE.
    TakeCutOut();
  }

  // The control's own cut-out, of the window's size. Assigning copies a picture in.
  const TSkinBitmap& Background() const noexcept { return background_; }
  void SetBackground(HBITMAP picture) {
    background_.Assign(picture);
    this->Invalidate();
  }
  // What the parent offered at the last cut-out; not owned.
  HBITMAP ParentBackground() const noexcept { return parentBackground_; }

  // On from creation; off, the control paints as the plain standard control.
  bool DoubleBuffered() const noexcept { return doubleBuffered_; }
  void SetDoubleBuffered(bool on) {
    doubleBuffered_ = on;
    this->Invalidate();
  }
  int BorderOffset() const { return ::BorderOffset(this->Handle()); }

  // The cut-out rule; false, with the old cut-out kept, when the parent offers none.
  bool TakeCutOut() {
    cutDone_ = true;
    parentBackground_ = ::ParentBackground(this->Handle());
    if (!parentBackground_) return false;
    ::CutBackground(this->Handle(), background_);
    return true;
  }

  HBITMAP STDMETHODCALLTYPE GetBackground() override { return background_.Handle(); }

 protected:
  // A new cut-out was taken (the parent offered a picture); the panel passes it on.
  virtual void BackgroundCut() {}
  virtual bool CutsOnMove() const { return false; }
  virtual bool RepaintsOnFocusLoss() const { return true; }
  // The standard face, as the standard control paints it into a DC of its own.
  virtual void PaintFace(HDC dc) {
    Base::WndProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Base::WndProc(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  // Drawn over the composed face before it goes to the screen.
  virtual void PaintOverFace(HDC) {}
  // False for a control that composes elsewhere (the bitmap button's drawing step).
  virtual bool ComposesOnPaint() const { return true; }

  bool Skinned() const noexcept { return doubleBuffered_; }
  TFaceBuffer& FaceBuffer() noexcept { return faceBuffer_; }

  // The composed client area into `target` at its origin.
  void PaintSkinned(HDC target) {
    // Cutting here must not invalidate: that would paint everything twice.
    if (!cutDone_ && TakeCutOut()) BackgroundCut();
    const RECT client = this->ClientRect();
    ComposeSkinned(faceBuffer_, target, POINT{0, 0}, SIZE{client.right, client.bottom}, BorderOffset(),
                   this->Color(), background_, [this](HDC dc) { PaintFace(dc); },
                   [this](HDC dc) { PaintOverFace(dc); });
  }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (auto answer = AnswerInterfaceQuery(*static_cast<IBackgroundProvider*>(this), msg, wParam, lParam))
      return *answer;
    const bool composing = Skinned() && ComposesOnPaint();
    switch (msg) {
      case WM_ERASEBKGND:
        // The composed paint covers every pixel.
        if (composing) return 1;
        break;
      case WM_PAINT:
        if (composing && !wParam) {
          PaintOnScreen();
          return 0;
        }
        break;
      case WM_SIZE: {
        const LRESULT result = Base::WndProc(msg, wParam, lParam);
        Cut();
        return result;
      }
      case WM_MOVE: {
        const LRESULT result = Base::WndProc(msg, wParam, lParam);
        if (CutsOnMove()) Cut();
        return result;
      }
      case WM_KILLFOCUS: {
        const LRESULT result = Base::WndProc(msg, wParam, lParam);
        if (RepaintsOnFocusLoss()) this->Invalidate();
        return result;
      }
    }
    return Base::WndProc(msg, wParam, lParam);
  }

  // Takes the cut-out, tells the derived control, repaints.
  void Cut() {
    if (TakeCutOut()) BackgroundCut();
    if (this->Handle()) InvalidateRect(this->Handle(), nullptr, FALSE);
  }

 private:
  void PaintOnScreen() {
    const TPaintScope paint(this->Handle());
    if (paint.DC()) PaintSkinned(paint.DC());
  }

  TSkinBitmap background_;
  TFaceBuffer faceBuffer_;
  HBITMAP parentBackground_ = nullptr;
  bool doubleBuffered_ = true;
  bool cutDone_ = false;
};
