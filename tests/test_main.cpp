#include <gtest/gtest.h>

#include <stdexcept>

#include "base/fatal.h"

namespace {
[[noreturn]] void throwProgrammingError(const std::string& what) { throw std::logic_error(what); }
}  // namespace

int main(int argc, char** argv) {
  // A programming error in a test becomes an exception the test can expect.
  tolvar::setProgrammingErrorHandler(throwProgrammingError);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
