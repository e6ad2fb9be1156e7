// TPicBtn: the program's bitmap button. It shows one of five pictures by its state
// (idle, pointer over it, held, checked, disabled), either plainly, over the window
// picture with a key colour, or cut to the shape of its picture by a window region;
// it plays a sound when the pointer enters and when it is clicked, and buttons of the
// same non-zero group under one parent act as radio buttons, the old button's
// OnUnchecked always running before the new one's OnChecked.
//
// The keyboard presses it as a standard push button: Space on its release, Enter at
// once (and BM_CLICK, the default action of automation tools), with the click's sound,
// events and checking. While it has the focus it shows the dotted focus mark, unless
// the window's UI state hides focus cues. The buttons of a group are also a radio group
// for the keyboard: the arrow keys move the focus to the next or previous button of the
// group in screen order and check it, and the focus stays on the button. The second
// press of a double click raises OnDblClick, not a click.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/Background.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Painting.h"
#include "skin/SkinBitmap.h"

enum class TPicStyle {
  psNormal,       // the face drawn as it is
  psTransparent,  // the face over the window picture, its top-left colour left out
  psFastCrop,     // the window cut to the outline of the face (approximate, fast)
  psNiceCrop,     // the window cut pixel by pixel to the face (exact, slow)
};

// How picture buttons play their sounds: PlaySoundFile, which ignores an empty name or
// a missing file, unless another player is installed (a null one restores the default).
using TSoundPlayer = std::function<void(const std::wstring& file)>;
void SetPicBtnSoundPlayer(TSoundPlayer player);

// Visual states, in the order of their numbers.
enum class TPicState { Idle, Hover, Pressed, Checked, Disabled };

// A picture owned by its button: every change of its contents repaints the button.
class TCusPic {
 public:
  explicit TCusPic(std::function<void()> changed = {}) : changed_(std::move(changed)) {}
  TCusPic(const TCusPic&) = delete;
  TCusPic& operator=(const TCusPic&) = delete;

  const TSkinBitmap& Bitmap() const noexcept { return Loaded(); }
  HBITMAP Handle() const noexcept { return Loaded().Handle(); }
  bool Empty() const noexcept { return Loaded().Empty(); }
  int Width() const noexcept { return Loaded().Width(); }
  int Height() const noexcept { return Loaded().Height(); }

  // Copies the picture; an empty or null one empties this one.
  void Assign(const TCusPic& other);
  void Assign(HBITMAP picture);
  // Reads a BMP file or resource. Throws EError when it is missing or unreadable; the
  // picture is then unchanged.
  void LoadFromFile(const std::wstring& path);
  void LoadFromResource(HINSTANCE module, const wchar_t* name);
  // Names a BMP file that is read when the picture is first used (drawn, measured or
  // asked whether it is empty): a button reads only the faces it shows. A file that
  // cannot be read then leaves the picture empty.
  void LoadFromFileWhenUsed(const std::wstring& path);
  void Clear();

 private:
  void Changed();
  // The bitmap, read first if a file is still waiting; not a change of the contents,
  // which the owner was told of when the file was named.
  const TSkinBitmap& Loaded() const noexcept;

  std::function<void()> changed_;
  mutable TSkinBitmap bitmap_;
  mutable std::wstring waitingFile_;
};

class TPicBtn : public TCustomControl, public TStaticUnknownOf<TBackgroundProviderInterface> {
 public:
  static constexpr int kDefaultWidth = 75;
  static constexpr int kDefaultHeight = 25;

  // A width and height of 0 in args give the default 75 x 25.
  TPicBtn(TControl& parent, const TControlArgs& args);
  ~TPicBtn() override;

  TPicStyle PicStyle() const noexcept { return picStyle_; }
  // A new style makes the window rectangular again and repaints it.
  void SetPicStyle(TPicStyle style);
  uint32_t Group() const noexcept { return group_; }
  // A new group first unchecks the button under its old group.
  void SetGroup(uint32_t group);
  bool Checked() const noexcept { return checked_; }
  // Ignored for group 0. Checking unchecks the other buttons of the group under the
  // same parent first, in the parent's child order, each firing its OnUnchecked; then
  // this button fires OnChecked. Setting the state the button has fires nothing.
  void SetChecked(bool checked);
  bool AutoSize() const noexcept { return autoSize_; }
  // On: the button takes the size of the picture it shows, at its next painting.
  void SetAutoSize(bool autoSize);
  bool Stretch() const noexcept { return stretch_; }
  void SetStretch(bool stretch);
  const std::wstring& SoundEnter() const noexcept { return soundEnter_; }
  void SetSoundEnter(std::wstring file) { soundEnter_ = std::move(file); }
  const std::wstring& SoundClick() const noexcept { return soundClick_; }
  void SetSoundClick(std::wstring file) { soundClick_ = std::move(file); }

  // The faces. PicIdle is also the fallback of every other state; a button without
  // PicIdle shows its caption on a plain face.
  TCusPic PicIdle;
  TCusPic PicUp;
  TCusPic PicDown;
  TCusPic PicCheck;
  TCusPic PicDsbld;

  TPicState State() const noexcept { return state_; }
  // The face the present state shows, after the fallbacks.
  const TCusPic& StatePicture() const noexcept;
  // The button's cut-out of its parent's background.
  const TSkinBitmap& Background() const noexcept { return background_; }

  // What a click does: the click sound, OnClick, then checking the button when it has a
  // group. Nothing for a disabled button.
  void Click();

  // The window that had the keyboard focus before this button took it (null when none
  // had it): where the user came from.
  HWND CameFrom() const noexcept { return cameFrom_; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnChecked;
  TNotifyEvent OnUnchecked;

  // IBackgroundProvider: the button's own cut-out, for controls placed on it.
  HBITMAP STDMETHODCALLTYPE GetBackground() override { return background_.Handle(); }

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetVisualState(TPicState state);
  void CutOwnBackground();

  // Mouse and focus.
  bool Hit(POINT point) const;
  void TrackLeave();
  void PointerEntered();
  void PointerLeft();
  void MousePressed(bool left, bool doubleClick);
  void MouseReleased(bool left, POINT point);
  void CaptureLost();

  // Keyboard.
  LRESULT DialogCode() const;
  void SpacePressed();
  void SpaceReleased();
  // The enabled, shown buttons of this button's group under its parent, in screen
  // order: top to bottom, then left to right.
  std::vector<TPicBtn*> GroupInScreenOrder() const;
  // Focuses and clicks the button `step` places on in the group, round its ends.
  void MoveInGroup(int step);

  // Painting: the face of the state, then the focus mark.
  void PaintFace(HDC dc, const RECT& clip);
  void PaintPlain(HDC dc);
  void ApplyAutoSize(const TCusPic& picture);
  void PaintTransparent(HDC dc, const TSkinBitmap& face, COLORREF key);

  TPicStyle picStyle_ = TPicStyle::psNormal;
  uint32_t group_ = 0;
  bool checked_ = false;
  bool autoSize_ = false;
  bool stretch_ = false;
  std::wstring soundEnter_;
  std::wstring soundClick_;

  TPicState state_ = TPicState::Idle;
  bool mouseHeld_ = false;
  bool pointerOutside_ = true;
  bool clickPending_ = false;  // the left button went down on the button
  bool spaceHeld_ = false;     // Space went down while the button had the focus
  HWND cameFrom_ = nullptr;
  TFocusCues focusCues_;
  TSkinBitmap background_;
  bool backgroundCut_ = false;
  SIZE cutSize_{0, 0};  // the window size at the last cut, to tell a resize from a move
};
