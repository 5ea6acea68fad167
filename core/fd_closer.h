// Closes a file descriptor when the scope that opened it ends.
#pragma once

#include <unistd.h>

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) close(fd);
  }
};
