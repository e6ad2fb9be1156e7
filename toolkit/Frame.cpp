#include "toolkit/Frame.h"

namespace {
constexpr DWORD kFrameStyle = WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;
}  // namespace

TFrame::TFrame(TControl& parent, const TControlArgs& args) : TFrame(parent, args, L"TFrame") {}

TFrame::TFrame(TControl& parent, const TControlArgs& args, const wchar_t* className)
    : TCustomControl(parent, args, className, kFrameStyle, kFrameExStyle) {}
