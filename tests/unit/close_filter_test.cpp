#include "app/close_filter.h"

#include <gtest/gtest.h>

namespace tolvar {
namespace {

TEST(CloseFilter, SwallowsOnlyTheExactCloseCommandWithoutLParam) {
  struct Case {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool swallowed;
  };
  const Case cases[] = {
      {0x0112, 0xF060, 0, true},
      {0x0112, 0xF060, 1, false},       // close with a non-zero lParam goes on
      {0x0112, 0xF061, 0, false},       // not masked with 0xFFF0
      {0x0112, 0xF020, 0, false},       // minimise
      {0x0010, 0xF060, 0, false},       // WM_CLOSE itself
  };
  for (const Case& c : cases) {
    EXPECT_EQ(swallowsCloseCommand(c.message, c.wParam, c.lParam), c.swallowed)
        << std::hex << c.message << " " << c.wParam << " " << c.lParam;
  }
}

}  // namespace
}  // namespace tolvar
