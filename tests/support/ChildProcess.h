#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ui/SafeFileWriter.h"

namespace noctavo::testing {

// What a child process suffers before it writes: a file-size limit stands in
// for a full disk (SIGXFSZ ignored, the write fails with EFBIG; even root
// cannot write past it), and an ordinary user finds a read-only folder
// read-only, where root would not.
struct WriteConditions {
  rlim_t fileSizeLimitBytes = RLIM_INFINITY;
  bool asOrdinaryUser = false;
};

// Runs `write` in a child process, so that the conditions never reach the
// test program: true when it failed for the expected reason.
inline bool failsInChildProcess(const WriteConditions& conditions, const std::function<SafeWriteResult()>& write,
                                const QString& expectedReason) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{conditions.fileSizeLimitBytes, conditions.fileSizeLimitBytes};
    const uid_t nobody = 65534;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0 || (conditions.asOrdinaryUser && geteuid() == 0 &&
                                                 (setgroups(0, nullptr) || setgid(nobody) || setuid(nobody)))) {
      _exit(2);
    }
    const SafeWriteResult result = write();
    const bool asExpected = !result.ok && result.reason.contains(expectedReason);
    if (!asExpected) std::fprintf(stderr, "the write gave ok %d, \"%s\"\n", result.ok, qPrintable(result.reason));
    _exit(asExpected ? 0 : 1);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace noctavo::testing
