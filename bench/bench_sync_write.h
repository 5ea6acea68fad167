// The floor of any save to disk: the same bytes written into a file that is then synced,
// without a temporary file or a rename.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

inline void WriteAndSync(const std::string& path, const void* data, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  const char* p = static_cast<const char*>(data);
  for (size_t left = size; left > 0;) {
    const ssize_t n = write(fd, p, left);
    if (n <= 0) std::abort();
    p += n;
    left -= size_t(n);
  }
  if (fsync(fd) != 0 || close(fd) != 0) std::abort();
}
