// Modifier keys of mouse, wheel and key messages as the handlers take them: 1 Ctrl,
// 2 Shift, 4 Alt.
#pragma once

#include <windows.h>

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
