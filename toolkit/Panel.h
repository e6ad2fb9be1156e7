// TPanel: a container of our own class with an optional bevel and caption. Controls
// created with it as their parent lie inside it, their notifications are handed back
// to them, and the Tab key walks into it. The outer bevel runs along the client
// area's edge, the inner one BevelWidth pixels further in after BorderWidth pixels of
// space; the caption is drawn on one line, vertically centred, inside the bevels. With
// a single border the panel also has the sunken client edge outside its client area.
#pragma once
#include "toolkit/CustomControl.h"
#include "toolkit/Label.h"
#include "toolkit/StdControl.h"

enum class TBevelCut { None, Lowered, Raised };

struct TPanelOptions {
  TBevelCut bevelOuter = TBevelCut::Raised;
  TBevelCut bevelInner = TBevelCut::None;
  int bevelWidth = 1;
  int borderWidth = 0;  // space between the two bevels
  TBorderStyle border = TBorderStyle::None;  // fixed at creation
  TAlignment alignment = TAlignment::Center;
};

class TPanel : public TCustomControl {
 public:
  TPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options = {});

  TBevelCut BevelOuter() const noexcept { return options_.bevelOuter; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const noexcept { return options_.bevelInner; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const noexcept { return options_.bevelWidth; }
  void SetBevelWidth(int width);
  int BorderWidth() const noexcept { return options_.borderWidth; }
  void SetBorderWidth(int width);
  TBorderStyle BorderStyle() const { return BorderStyleOf(*this); }
  TAlignment Alignment() const noexcept { return options_.alignment; }
  void SetAlignment(TAlignment alignment);
  // The client area inside both bevels.
  RECT InnerRect() const;

 protected:
  // For derived panels with a window class of their own.
  TPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options, const wchar_t* className);

  // Colour, bevels, caption; derived panels may draw only some of them.
  void Paint(HDC dc, const RECT& clip) override;
  // Draws the bevels along `rect`'s edges and shrinks it to what lies inside them.
  void PaintBevels(HDC dc, RECT& rect) const;
  void PaintCaption(HDC dc, const RECT& rect) const;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TPanelOptions options_;
};
