// TUpDown: the common-controls pair of arrow buttons. A press asks OnChanging first,
// which may refuse the new position; then OnClick runs with the button pressed,
// whether or not the position moved (at the end of the range it stays). Positions
// set by code raise nothing. With an associated edit the position shows in it as a
// number and the user may type it there; the pair then sits at the edit's side.
// The platform paints the arrows on the button face whatever Color() says.
#pragma once
#include <functional>

#include "toolkit/Edit.h"
#include "toolkit/StdControl.h"

enum class TUDOrientation { Vertical, Horizontal };
enum class TUDAlignButton { Left, Right, None };  // where it goes beside its associate
// Next is the upper (vertical) or right (horizontal) arrow, towards Max.
enum class TUDButton { Next, Prev };

struct TUpDownOptions {
  TUDOrientation orientation = TUDOrientation::Vertical;  // fixed at creation
  TUDAlignButton alignButton = TUDAlignButton::Right;     // fixed at creation
  bool wrap = false;       // past one end, go on from the other; fixed at creation
  bool arrowKeys = true;   // the associate's Up and Down keys press the buttons
  bool thousands = false;  // thousands separators in the associate
  // A stop of the Tab key; focused, the Up and Down keys press the buttons (with
  // arrowKeys). Fixed at creation.
  bool tabStop = false;
  int min = 0;
  int max = 100;
  int increment = 1;
};

class TUpDown;
using TUDClickEvent = std::function<void(TUpDown& sender, TUDButton button)>;
// newPosition is the position the press asks for; at an end of the range (without
// wrap) it lies outside it and the position stays.
using TUDChangingEvent =
    std::function<void(TUpDown& sender, int newPosition, TUDButton button, bool& allowChange)>;

class TUpDown : public TStdControl {
 public:
  TUpDown(TControl& parent, const TControlArgs& args, const TUpDownOptions& options = {});

  int Min() const;
  int Max() const;
  // A range with min > max is allowed: the arrows then count downwards.
  void SetRange(int min, int max);
  int Position() const;
  // Clamped to the range; raises nothing.
  void SetPosition(int position);
  int Increment() const;
  void SetIncrement(int increment);
  // The edit that shows the position (null: none). It must outlive the association.
  TEdit* Associate() const noexcept { return associate_; }
  void SetAssociate(TEdit* edit);

  TUDChangingEvent OnChanging;
  TUDClickEvent OnClick;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TEdit* associate_ = nullptr;
  TUDButton lastButton_ = TUDButton::Next;
};
