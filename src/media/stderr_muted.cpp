#include "media/stderr_muted.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

StderrMuted::StderrMuted() {
  std::fflush(stderr);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0) return;
  saved_ = dup(STDERR_FILENO);
  if (saved_ >= 0 && dup2(null, STDERR_FILENO) < 0) {
    close(saved_);
    saved_ = -1;
  }
  close(null);
}

StderrMuted::~StderrMuted() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
}
