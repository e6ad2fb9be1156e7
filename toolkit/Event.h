// Events of the toolkit's objects. An event is a public std::function member named
// after what happened (OnClick, OnChange, OnTimer); attaching assigns a handler,
// detaching assigns nullptr. Pages detach their change handlers while they load
// values, so that loading is never mistaken for an edit by the user.
#pragma once
#include <functional>
#include <utility>

class TControl;

using TNotifyEvent = std::function<void(TControl& sender)>;

// Calls the handler when one is attached; an empty event does nothing.
template <class... Params, class... Args>
void Fire(const std::function<void(Params...)>& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}
