#include "time/InternalError.h"

#include <cstdio>
#include <cstdlib>

namespace noctavo {
namespace {

void defaultHandler(const char* module, int line) {
  std::fprintf(stderr, "%s\n", internalErrorText(module, line).c_str());
  std::fflush(stderr);
  // The program ends at once and saves nothing; the exit code is 0 as the
  // message has already told the user what happened.
  std::_Exit(0);
}

InternalErrorHandler& currentHandler() {
  static InternalErrorHandler handler = defaultHandler;
  return handler;
}

}  // namespace

std::string internalErrorText(const char* module, int line) {
  char text[200];
  std::snprintf(text, sizeof text, "An internal error occurred in module %s, line %d", module, line);
  return text;
}

void internalError(const char* module, int line) {
  currentHandler()(module, line);
}

InternalErrorHandler setInternalErrorHandler(InternalErrorHandler handler) {
  InternalErrorHandler previous = currentHandler();
  currentHandler() = handler ? std::move(handler) : InternalErrorHandler(defaultHandler);
  return previous;
}

}  // namespace noctavo
