// Programming errors: a broken invariant (a button number outside `buttons`, a store value
// of the wrong type) is reported and ends the program. The platform installs the report;
// tests install one that throws.
#pragma once

#include <string>

namespace tolvar {

using ProgrammingErrorHandler = void (*)(const std::string& what);

// Installs the handler and returns the previous one. The handler must not return;
// if it does, the process aborts.
ProgrammingErrorHandler setProgrammingErrorHandler(ProgrammingErrorHandler handler);

[[noreturn]] void programmingError(const std::string& what);

}  // namespace tolvar
