#include "skin/PicBtn.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/Regions.h"
#include "toolkit/Sound.h"

namespace {

TSoundPlayer& SoundPlayer() {
  static TSoundPlayer player;
  return player;
}

void PlayButtonSound(const std::wstring& file) {
  if (file.empty()) return;
  if (SoundPlayer())
    SoundPlayer()(file);
  else
    PlaySoundFile(file);
}

TControlArgs WithDefaultSize(TControlArgs args) {
  if (args.width == 0) args.width = TPicBtn::kDefaultWidth;
  if (args.height == 0) args.height = TPicBtn::kDefaultHeight;
  return args;
}

// How far inside the button's edges its focus mark runs.
constexpr int kFocusInset = 2;

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The window's region, or null when it is rectangular.
TRegion WindowRegion(HWND window) {
  TRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!region || GetWindowRgn(window, region.Get()) == ERROR) return {};
  return region;
}

// The cropped styles rebuild the region on every paint. Setting it with a repaint
// invalidates the window, so setting an unchanged region from inside the paint would
// repaint for ever: an equal region is left alone.
void SetRegionIfChanged(HWND window, TRegion region) {
  // A face wholly of its key colour leaves nothing of the button to show.
  if (!region) region = TRegion(CreateRectRgn(0, 0, 0, 0));
  if (!region) return;
  TRegion current = WindowRegion(window);
  if (current && EqualRgn(current.Get(), region.Get())) return;
  if (SetWindowRgn(window, region.Get(), TRUE)) region.Release();  // the window owns it now
}

}  // namespace

void SetPicBtnSoundPlayer(TSoundPlayer player) { SoundPlayer() = std::move(player); }

// ---- TCusPic ----

void TCusPic::Assign(const TCusPic& other) {
  if (&other == this) return;
  Assign(other.Handle());
}

void TCusPic::Assign(HBITMAP picture) {
  bitmap_.Assign(picture);
  waitingFile_.clear();
  Changed();
}

void TCusPic::LoadFromFile(const std::wstring& path) {
  bitmap_.LoadFromFile(path);
  waitingFile_.clear();
  Changed();
}

void TCusPic::LoadFromResource(HINSTANCE module, const wchar_t* name) {
  bitmap_.LoadFromResource(module, name);
  waitingFile_.clear();
  Changed();
}

void TCusPic::LoadFromFileWhenUsed(const std::wstring& path) {
  bitmap_.Clear();
  waitingFile_ = path;
  Changed();
}

void TCusPic::Clear() {
  bitmap_.Clear();
  waitingFile_.clear();
  Changed();
}

const TSkinBitmap& TCusPic::Loaded() const noexcept {
  if (!waitingFile_.empty()) {
    const std::wstring path = std::move(waitingFile_);
    waitingFile_.clear();
    try {
      bitmap_.LoadFromFile(path);
    } catch (...) {
      // An unreadable face only costs the look: the button shows another.
    }
  }
  return bitmap_;
}

void TCusPic::Changed() {
  if (changed_) changed_();
}

// ---- TPicBtn: state ----

TPicBtn::TPicBtn(TControl& parent, const TControlArgs& args)
    : TCustomControl(parent, WithDefaultSize(args), L"TPicBtn", WS_TABSTOP | WS_CLIPCHILDREN, 0),
      PicIdle([this] { Invalidate(); }),
      PicUp([this] { Invalidate(); }),
      PicDown([this] { Invalidate(); }),
      PicCheck([this] { Invalidate(); }),
      PicDsbld([this] { Invalidate(); }) {
  background_.SetSize(Width(), Height(), Color());
  CutOwnBackground();
  if (!Enabled()) state_ = TPicState::Disabled;
}

TPicBtn::~TPicBtn() = default;

void TPicBtn::SetVisualState(TPicState state) {
  if (state == state_) return;
  // A checked button keeps its checked face, except while it is held.
  if (checked_ && (state == TPicState::Idle || state == TPicState::Hover)) state = TPicState::Checked;
  const TPicState next = Enabled() ? state : TPicState::Disabled;
  if (next == state_) return;
  state_ = next;
  Invalidate();
}

void TPicBtn::SetChecked(bool checked) {
  if (checked == checked_ || group_ == 0) return;
  checked_ = checked;
  if (checked) {
    if (Parent()) {
      // A copy: the handlers of the old buttons may add controls to the parent.
      const std::vector<TControl*> siblings = Parent()->Controls();
      for (TControl* sibling : siblings) {
        auto* button = dynamic_cast<TPicBtn*>(sibling);
        if (button && button != this && button->group_ == group_) button->SetChecked(false);
      }
    }
    SetVisualState(TPicState::Checked);
    Fire(OnChecked, *this);
  } else {
    SetVisualState(TPicState::Idle);
    Fire(OnUnchecked, *this);
  }
}

void TPicBtn::SetGroup(uint32_t group) {
  if (group == group_) return;
  SetChecked(false);
  group_ = group;
}

void TPicBtn::SetPicStyle(TPicStyle style) {
  if (style == picStyle_) return;
  picStyle_ = style;
  ClearWindowRegion(Handle());
  Invalidate();
}

void TPicBtn::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) Invalidate();
}

void TPicBtn::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void TPicBtn::Click() {
  if (!Enabled()) return;
  PlayButtonSound(soundClick_);  // before any handler, which may take its time
  Fire(OnClick, *this);
  if (group_ != 0) SetChecked(true);
}

void TPicBtn::CutOwnBackground() {
  cutSize_ = SIZE{Width(), Height()};
  if (::CutBackground(Handle(), background_)) backgroundCut_ = true;
}

// ---- TPicBtn: mouse and focus ----

bool TPicBtn::Hit(POINT point) const {
  const RECT client = ClientRect();
  if (!PtInRect(&client, point)) return false;
  TRegion region = WindowRegion(Handle());
  return !region || PtInRegion(region.Get(), point.x, point.y);
}

void TPicBtn::TrackLeave() {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
  TrackMouseEvent(&track);
}

void TPicBtn::PointerEntered() {
  pointerOutside_ = false;
  PlayButtonSound(soundEnter_);
  SetVisualState(mouseHeld_ ? TPicState::Pressed : TPicState::Hover);
}

void TPicBtn::PointerLeft() {
  pointerOutside_ = true;
  SetVisualState(TPicState::Idle);
}

void TPicBtn::MousePressed(bool left, bool doubleClick) {
  mouseHeld_ = true;
  // The second press of a double click does not click again.
  if (left) clickPending_ = !doubleClick;
  if (GetCapture() != Handle()) SetCapture(Handle());
  if (left && !Focused() && IsWindowVisible(Handle())) SetFocus();
  SetVisualState(TPicState::Pressed);
  if (left && doubleClick) Fire(OnDblClick, *this);
}

void TPicBtn::MouseReleased(bool left, POINT point) {
  const bool click = left && clickPending_ && Hit(point);
  if (left) clickPending_ = false;
  mouseHeld_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  SetVisualState(pointerOutside_ ? TPicState::Idle : TPicState::Hover);
  if (click) Click();
}

// Another window took the mouse (a message box, say) while a button was held: the
// press ends without a click.
void TPicBtn::CaptureLost() {
  if (!mouseHeld_) return;
  mouseHeld_ = false;
  clickPending_ = false;
  SetVisualState(pointerOutside_ ? TPicState::Idle : TPicState::Hover);
}

// ---- TPicBtn: keyboard ----

LRESULT TPicBtn::DialogCode() const {
  // A push button to the dialog manager and to the program's message loop, which press
  // it on Enter; a button of a group keeps the arrow keys, which walk its group.
  LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (group_ != 0) code |= DLGC_WANTARROWS;
  return code;
}

// As on a standard button, Space shows the button held and clicks it on its release;
// the repeats of a key held down change nothing.
void TPicBtn::SpacePressed() {
  if (spaceHeld_ || mouseHeld_ || !Enabled()) return;
  spaceHeld_ = true;
  SetVisualState(TPicState::Pressed);
}

void TPicBtn::SpaceReleased() {
  if (!spaceHeld_) return;
  spaceHeld_ = false;
  SetVisualState(pointerOutside_ ? TPicState::Idle : TPicState::Hover);
  Click();
}

std::vector<TPicBtn*> TPicBtn::GroupInScreenOrder() const {
  std::vector<TPicBtn*> group;
  if (!Parent() || group_ == 0) return group;
  for (TControl* sibling : Parent()->Controls()) {
    auto* button = dynamic_cast<TPicBtn*>(sibling);
    if (button && button->group_ == group_ && (button == this || (button->Visible() && button->Enabled())))
      group.push_back(button);
  }
  std::stable_sort(group.begin(), group.end(), [](const TPicBtn* a, const TPicBtn* b) {
    const RECT ra = a->BoundsRect(), rb = b->BoundsRect();
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return group;
}

void TPicBtn::MoveInGroup(int step) {
  const std::vector<TPicBtn*> group = GroupInScreenOrder();
  const auto at = std::find(group.begin(), group.end(), this);
  if (group.size() < 2 || at == group.end()) return;
  const auto count = static_cast<std::ptrdiff_t>(group.size());
  TPicBtn& next = *group[static_cast<size_t>(((at - group.begin()) + step + count) % count)];
  next.SetFocus();
  next.Click();
  // Checking may open what the button stands for, and that may take the focus (a page
  // puts it on its first field); in a radio group the focus stays on the button.
  if (next.Handle() && next.Visible() && next.Enabled() && !next.Focused()) next.SetFocus();
}

LRESULT TPicBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto answer = AnswerInterfaceQuery(*static_cast<IBackgroundProvider*>(this), msg, wParam, lParam))
    return *answer;
  switch (msg) {
    case WM_MOUSEMOVE:
      // While the button is held the mouse is captured, and moves outside arrive here
      // too: the leave is seen here rather than by the leave tracking.
      if (Hit(PointOf(lParam))) {
        TrackLeave();
        if (pointerOutside_) PointerEntered();
      } else if (!pointerOutside_) {
        PointerLeft();
      }
      return 0;
    case WM_MOUSELEAVE:
      if (!pointerOutside_ && !(mouseHeld_ && GetCapture() == Handle())) PointerLeft();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MousePressed(true, msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MousePressed(false, false);
      return 0;
    case WM_LBUTTONUP:
      MouseReleased(true, PointOf(lParam));
      return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseReleased(false, PointOf(lParam));
      break;  // the default processing raises the context menu request
    case BM_CLICK:
      // The default action that accessibility and automation tools invoke, as on a
      // standard button: a click, not a key.
      if (!RepostSentClick(Handle())) Click();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) CaptureLost();
      break;
    case WM_GETDLGCODE:
      return DialogCode();
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_SPACE: SpacePressed(); return 0;
        // The program's message loop presses a focused push button on Enter before the
        // key is dispatched; this is for keys that arrive by other ways.
        case VK_RETURN: Click(); return 0;
        case VK_UP:
        case VK_LEFT:
          if (group_ == 0) break;
          MoveInGroup(-1);
          return 0;
        case VK_DOWN:
        case VK_RIGHT:
          if (group_ == 0) break;
          MoveInGroup(1);
          return 0;
      }
      break;
    case WM_KEYUP:
      if (wParam == VK_SPACE) {
        SpaceReleased();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      cameFrom_ = reinterpret_cast<HWND>(wParam);
      Invalidate();
      break;
    case WM_KILLFOCUS:
      spaceHeld_ = false;  // the press ends without a click
      SetVisualState(TPicState::Idle);
      Invalidate();
      break;
    case WM_UPDATEUISTATE: {
      const LRESULT result = TCustomControl::WndProc(msg, wParam, lParam);
      focusCues_.Follow(Handle(), wParam);
      Invalidate();
      return result;
    }
    case WM_ENABLE:
      SetVisualState(wParam ? TPicState::Idle : TPicState::Disabled);
      break;
    case WM_SETTEXT: {
      const LRESULT result = TCustomControl::WndProc(msg, wParam, lParam);
      Invalidate();  // the caption is the face of a button without pictures
      return result;
    }
    case WM_SHOWWINDOW:
      CutOwnBackground();
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
      const bool resized = !(pos.flags & SWP_NOSIZE) && (pos.cx != cutSize_.cx || pos.cy != cutSize_.cy);
      // ShowWindow reports through WM_SHOWWINDOW; SetWindowPos shows and hides here.
      if (resized || (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) CutOwnBackground();
      break;
    }
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}

// ---- TPicBtn: painting ----

const TCusPic& TPicBtn::StatePicture() const noexcept {
  const auto either = [this](const TCusPic& picture) -> const TCusPic& {
    return picture.Empty() ? PicIdle : picture;
  };
  switch (state_) {
    case TPicState::Hover: return either(PicUp);
    case TPicState::Pressed: return either(PicDown);
    case TPicState::Checked: return PicCheck.Empty() ? either(PicDown) : PicCheck;
    case TPicState::Disabled: return either(PicDsbld);
    case TPicState::Idle: break;
  }
  return PicIdle;
}

void TPicBtn::PaintPlain(HDC dc) {
  const RECT client = ClientRect();
  FillColor(dc, client, Color());
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor =
      SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  TextOutW(dc, 2, 2, caption.c_str(), static_cast<int>(caption.size()));
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void TPicBtn::ApplyAutoSize(const TCusPic& picture) {
  if (!autoSize_ || picture.Width() < 1 || picture.Height() < 1) return;
  if (picture.Width() != Width() || picture.Height() != Height())
    SetBounds(Left(), Top(), picture.Width(), picture.Height());
}

// The face over a copy of the button's cut-out, the face's key colour left out.
void TPicBtn::PaintTransparent(HDC dc, const TSkinBitmap& face, COLORREF key) {
  if (!backgroundCut_) CutOwnBackground();
  const RECT client = ClientRect();
  TSkinBitmap result(client.right, client.bottom, Color());
  if (result.Empty()) return;
  {
    TBitmapDC to(result.Handle());
    if (!to.DC()) return;
    background_.Draw(to.DC(), 0, 0);
    face.DrawTransparent(to.DC(), 0, 0, client.right, client.bottom, key);
  }
  result.Draw(dc, 0, 0);
}

void TPicBtn::Paint(HDC dc, const RECT& clip) {
  PaintFace(dc, clip);
  focusCues_.Draw(Handle(), dc, ClientRect(), kFocusInset);
}

void TPicBtn::PaintFace(HDC dc, const RECT& clip) {
  if (PicIdle.Empty()) {
    PaintPlain(dc);
    return;
  }
  const TCusPic& picture = StatePicture();
  ApplyAutoSize(picture);
  const RECT client = ClientRect();

  const TSkinBitmap* face = &picture.Bitmap();
  TSkinBitmap stretched;
  if (stretch_ && client.right > 0 && client.bottom > 0) {
    stretched.SetSize(client.right, client.bottom);
    TBitmapDC to(stretched.Handle());
    if (to.DC()) picture.Bitmap().StretchDraw(to.DC(), client);
    face = &stretched;
  }
  const COLORREF key = face->Pixel(0, 0);

  if (picStyle_ == TPicStyle::psTransparent) {
    PaintTransparent(dc, *face, key);
    return;
  }
  if (picStyle_ == TPicStyle::psFastCrop)
    SetRegionIfChanged(Handle(), BitmapContourRegion(face->Handle(), key));
  else if (picStyle_ == TPicStyle::psNiceCrop)
    SetRegionIfChanged(Handle(), BitmapPixelRegion(face->Handle(), key));
  // What the face does not cover (a face smaller than the button) shows the colour.
  TCustomControl::Paint(dc, clip);
  face->Draw(dc, 0, 0);
}
