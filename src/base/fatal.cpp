#include "base/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace tolvar {

namespace {
ProgrammingErrorHandler currentHandler = nullptr;
}

ProgrammingErrorHandler setProgrammingErrorHandler(ProgrammingErrorHandler handler) {
  ProgrammingErrorHandler previous = currentHandler;
  currentHandler = handler;
  return previous;
}

void programmingError(const std::string& what) {
  if (currentHandler) currentHandler(what);
  std::fprintf(stderr, "programming error: %s\n", what.c_str());
  std::abort();
}

}  // namespace tolvar
