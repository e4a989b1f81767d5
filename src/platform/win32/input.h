// Modifier keys of mouse, wheel and key messages as the handlers take them: 1 Ctrl,
// 2 Shift, 4 Alt.
#pragma once

#include <windows.h>

#include <exception>

#include "base/fatal.h"
#include "platform/platform.h"

namespace tolvar::win32 {

// From the MK_ flags of a mouse message; Alt is not among them and is read directly.
inline int keyStateOf(WPARAM mouseFlags) {
  int state = 0;
  if (mouseFlags & MK_CONTROL) state |= keyCtrl;
  if (mouseFlags & MK_SHIFT) state |= keyShift;
  if (GetKeyState(VK_MENU) < 0) state |= keyAlt;
  return state;
}

// For key messages, which carry no flags.
inline int currentKeyState() {
  int state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= keyCtrl;
  if (GetKeyState(VK_SHIFT) < 0) state |= keyShift;
  if (GetKeyState(VK_MENU) < 0) state |= keyAlt;
  return state;
}

}  // namespace tolvar::win32

namespace tolvar::win32 {

// Calls into the program's handlers from a window procedure; no exception crosses back
// into USER32.
template <typename F>
void callHandlers(EventSink* sink, F&& call) noexcept {
  if (!sink) return;
  try {
    call(*sink);
  } catch (const std::exception& e) {
    programmingError(e.what());
  } catch (...) {
    programmingError("unknown exception in a window event handler");
  }
}

}  // namespace tolvar::win32
