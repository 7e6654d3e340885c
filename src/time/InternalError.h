#pragma once

#include <functional>
#include <string>

namespace noctavo {

// A broken invariant (an enumeration value out of range, a table entry that
// must exist and does not) is reported here with the module name and the
// source line. The default handler prints
// "An internal error occurred in module %s, line %d" and ends the process
// with exit code 0, without saving anything. The Qt program replaces it with
// its message box; tests replace it to observe the report. A handler that
// returns lets the caller continue with its failure path (the value it was
// asked to change stays as it was).
using InternalErrorHandler = std::function<void(const char* module, int line)>;

void internalError(const char* module, int line);

// Installs a handler and returns the one it replaces. An empty handler
// restores the default.
InternalErrorHandler setInternalErrorHandler(InternalErrorHandler handler);

// The text every handler shows.
std::string internalErrorText(const char* module, int line);

}  // namespace noctavo

#define NOCTAVO_INTERNAL_ERROR(module) ::noctavo::internalError((module), __LINE__)
