#include "catalogues/CoreServices.h"

#include <cstdio>

namespace noctavo {
namespace {


void defaultMessageHandler(MessageSeverity severity, const std::string& text) {
  std::fprintf(stderr, "%s %s: %s\n", productName, messageSeverityWord(severity), text.c_str());
  std::fflush(stderr);
}

UserMessageHandler& currentMessageHandler() {
  static UserMessageHandler handler = defaultMessageHandler;
  return handler;
}

}  // namespace

std::string MemorySettingsStore::readString(const std::string& keyPath, const std::string& name,
                                            const std::string& defaultText) {
  const auto found = values_.find({keyPath, name});
  return found == values_.end() ? defaultText : found->second;
}

void MemorySettingsStore::writeString(const std::string& keyPath, const std::string& name,
                                      const std::string& text) {
  values_[{keyPath, name}] = text;
}

bool MemorySettingsStore::contains(const std::string& keyPath, const std::string& name) const {
  return values_.contains({keyPath, name});
}

void MemorySettingsStore::remove(const std::string& keyPath, const std::string& name) {
  values_.erase({keyPath, name});
}

const char* messageSeverityWord(MessageSeverity severity) {
  switch (severity) {
    case MessageSeverity::Information: return "information";
    case MessageSeverity::Warning: return "warning";
    case MessageSeverity::Error: return "error";
  }
  return "error";
}

void showUserMessage(MessageSeverity severity, const std::string& text) {
  currentMessageHandler()(severity, text);
}

UserMessageHandler setUserMessageHandler(UserMessageHandler handler) {
  UserMessageHandler previous = currentMessageHandler();
  currentMessageHandler() = handler ? std::move(handler) : UserMessageHandler(defaultMessageHandler);
  return previous;
}

std::string dataFilePath(const std::string& folder, const char* extension) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += productName;
  path += '.';
  path += extension;
  return path;
}

}  // namespace noctavo
