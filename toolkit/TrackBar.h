// TTrackBar: the common-controls track bar. OnChange runs after every change of the
// position: the user dragging the thumb or pressing keys, and code setting Position
// to a new value (pages detach it while they load). A border width insets the bar
// within its window, the border painted in Color().
#pragma once
#include "toolkit/StdControl.h"

enum class TTrackBarOrientation { Horizontal, Vertical };
enum class TTickMarks { BottomRight, TopLeft, Both };
enum class TTickStyle { None, Auto };

struct TTrackBarOptions {
  TTrackBarOrientation orientation = TTrackBarOrientation::Horizontal;  // fixed at creation
  TTickMarks tickMarks = TTickMarks::BottomRight;                      // fixed at creation
  TTickStyle tickStyle = TTickStyle::Auto;                             // fixed at creation
  int thumbLength = 0;  // 0: the platform's
  int min = 0;
  int max = 10;
  int frequency = 1;    // a tick every this many positions
};

class TTrackBar : public TStdControl {
 public:
  TTrackBar(TControl& parent, const TControlArgs& args, const TTrackBarOptions& options = {});

  int Min() const;
  int Max() const;
  // Throws EError when min > max; the position is kept inside the new range.
  void SetRange(int min, int max);
  void SetMin(int min) { SetRange(min, Max()); }
  void SetMax(int max) { SetRange(Min(), max); }
  int Position() const;
  // Values outside the range are clamped to it.
  void SetPosition(int position);
  int Frequency() const noexcept { return frequency_; }
  void SetFrequency(int frequency);
  int ThumbLength() const;
  int BorderWidth() const noexcept { return borderWidth_; }
  void SetBorderWidth(int width);

  TNotifyEvent OnChange;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CheckChanged();
  void PaintBorder();

  int frequency_ = 1;
  int borderWidth_ = 0;
  int lastPosition_ = 0;
};
