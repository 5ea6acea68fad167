#include "core/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/errors.h"
#include "core/image_messages.h"

namespace {

std::string WithName(const char* format, const std::string& file_name) {
  std::string text = format;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, file_name);
  return text;
}

} // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& file_name) {
  const int fd = ::open(file_name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFileError(WithName(SCannotOpenFile, file_name));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<uint64_t>(st.st_size) > kMaxReadFileSize) {
    ::close(fd);
    throw EFileError(WithName(SCannotOpenFile, file_name));
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break; // the file shrank under us: keep what was there
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

void WriteFileAtomic(const std::string& file_name, const std::vector<uint8_t>& bytes) {
  std::string temp = file_name + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw EFileError(WithName(SCannotCreateFile, file_name));
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  // mkstemp makes the file private; a saved image gets the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ok = ok && ::fchmod(fd, 0666 & ~mask) == 0 && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || std::rename(temp.c_str(), file_name.c_str()) != 0) {
    std::remove(temp.c_str());
    throw EFileError(WithName(SCannotCreateFile, file_name));
  }
}
