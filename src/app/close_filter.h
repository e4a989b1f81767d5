// The bar's window-procedure filter: the system close command with lParam 0 (Alt+F4,
// the close from a task list) is swallowed so the bar stays open; everything else goes
// on to the previous window procedure.
#pragma once

#include <cstdint>

namespace tolvar {

inline constexpr unsigned wmSysCommand = 0x0112;
inline constexpr std::uintptr_t scClose = 0xF060;

// True when the message must not be passed on (the filter then returns 1). wParam is
// compared whole, not masked with 0xFFF0.
constexpr bool swallowsCloseCommand(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  return message == wmSysCommand && wParam == scClose && lParam == 0;
}

}  // namespace tolvar
