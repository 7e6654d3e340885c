#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ui/SafeFileWriter.h"

namespace noctavo::testing {

// What a child process suffers before it writes: a file-size limit stands in
// for a full disk (with SIGXFSZ ignored the write fails with EFBIG instead of
// killing the process; even root cannot write past it), and an ordinary
// user's rights make a read-only folder read-only for root as well.
struct WriteConditions {
  rlim_t fileSizeLimitBytes = RLIM_INFINITY;
  bool asOrdinaryUser = false;
};

// Runs `write` in a child process, so that the limits never reach the test
// program, and returns what it reported.
inline SafeWriteResult writeInChildProcess(const WriteConditions& conditions,
                                           const std::function<SafeWriteResult()>& write) {
  int channel[2];
  if (pipe(channel) != 0) ADD_FAILURE() << "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{conditions.fileSizeLimitBytes, conditions.fileSizeLimitBytes};
    const uid_t nobody = 65534;
    const bool becomeNobody = conditions.asOrdinaryUser && geteuid() == 0;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
        (becomeNobody && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))) {
      _exit(1);
    }
    const SafeWriteResult result = write();
    const QByteArray reply = (result.ok ? "1" : "0") + result.reason.toUtf8();
    const bool sent = ::write(channel[1], reply.constData(), static_cast<size_t>(reply.size())) == reply.size();
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  QByteArray reply;
  char buffer[512];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, got);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && !reply.isEmpty()) << "the child did not report";
  return {reply.startsWith('1'), QString::fromUtf8(reply.mid(1))};
}

}  // namespace noctavo::testing
