#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <random>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/fd_closer.h"
#include "core/file_messages.h"
#include "core/path_names.h"

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A name nobody else will choose: the target's name, hidden, with the process id, a
// counter and a random part. O_EXCL refuses anything that is already there.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
         "-" + std::to_string(salt);
}

} // namespace

std::string_view AtomicTemporaryTarget(std::string_view name) {
  // The shape TemporaryNameFor gives: ".", the target's name, ".tmp", then three numbers
  // joined by "-".
  const size_t tmp = name.rfind(".tmp");
  if (name.empty() || name[0] != '.' || tmp == std::string_view::npos || tmp < 2) return {};
  int numbers = 0;
  bool inNumber = false;
  for (const char c : name.substr(tmp + 4)) {
    if (c >= '0' && c <= '9') {
      if (!inNumber) ++numbers;
      inNumber = true;
    } else if (c == '-' && inNumber) {
      inNumber = false;
    } else {
      return {};
    }
  }
  return inNumber && numbers == 3 ? name.substr(1, tmp - 1) : std::string_view{};
}

namespace {

class TTemporaryFile {
public:
  explicit TTemporaryFile(const std::string& target) {
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      name_ = TemporaryNameFor(target);
      fd_ = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) throw EFileError(FileMessage(SCannotCreateFile, target));
  }
  ~TTemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!renamed_) unlink(name_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Fd() const { return fd_; }
  const std::string& Name() const { return name_; }
  // Closes the descriptor and reports whether the close succeeded (NFS reports late).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }
  void MarkRenamed() { renamed_ = true; }

private:
  int fd_ = -1;
  std::string name_;
  bool renamed_ = false;
};

bool WriteAll(int fd, iovec* parts, int count) {
  for (;;) {
    // Parts written whole (or empty) are dropped from the front.
    while (count > 0 && parts[0].iov_len == 0) {
      ++parts;
      --count;
    }
    if (count == 0) return true;
    const ssize_t n = writev(fd, parts, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    for (size_t left = size_t(n); left > 0;) {
      const size_t taken = std::min(left, parts[0].iov_len);
      parts[0].iov_base = static_cast<char*>(parts[0].iov_base) + taken;
      parts[0].iov_len -= taken;
      left -= taken;
      if (parts[0].iov_len == 0) {
        ++parts;
        --count;
      }
    }
  }
}

bool WriteAll(int fd, const char* data, size_t size) {
  iovec part{const_cast<char*>(data), size};
  return WriteAll(fd, &part, 1);
}

} // namespace

// The feed's writing thread: parts are done in the order handed on, each one's own
// bytes kept in a buffer that is used again once written.
class TFileFeed::TWriter {
public:
  explicit TWriter(int fd) : fd_(fd) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      // No thread to be had: the parts are then written as they are handed on.
    }
  }
  ~TWriter() {
    if (!thread_.joinable()) return;
    Wait();
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  // Own is copied in; Lent is written from where it lies. Offset < 0 appends; Truncate
  // empties the file first.
  void Hand(std::span<const uint8_t> own, std::span<const uint8_t> lent, int64_t offset,
            bool truncate) {
    TPart part;
    if (thread_.joinable()) {
      std::lock_guard lock(mutex_);
      if (!spare_.empty()) {
        part.own = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    part.own.assign(own.begin(), own.end());
    part.lent = lent;
    part.offset = offset;
    part.truncate = truncate;
    if (!thread_.joinable()) {
      if (!Failed() && !Do(part)) failed_.store(true, std::memory_order_release);
      return;
    }
    {
      std::lock_guard lock(mutex_);
      parts_.push_back(std::move(part));
      ++pending_;
    }
    wake_.notify_all();
  }

  void Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_ == 0; });
  }

  bool Failed() const { return failed_.load(std::memory_order_acquire); }

private:
  struct TPart {
    std::vector<uint8_t> own;
    std::span<const uint8_t> lent;
    int64_t offset = -1;
    bool truncate = false;
  };

  void Run() {
    for (;;) {
      TPart part;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || !parts_.empty(); });
        if (parts_.empty()) return;
        part = std::move(parts_.front());
        parts_.pop_front();
      }
      if (!Failed() && !Do(part)) failed_.store(true, std::memory_order_release);
      part.own.clear();
      {
        std::lock_guard lock(mutex_);
        spare_.push_back(std::move(part.own));
        --pending_;
      }
      done_.notify_all();
    }
  }

  bool Do(TPart& part) {
    if (part.truncate) {
      at_ = 0;
      return ftruncate(fd_, 0) == 0 && lseek(fd_, 0, SEEK_SET) == 0;
    }
    if (part.offset >= 0)
      return pwrite(fd_, part.own.data(), part.own.size(), part.offset) == ssize_t(part.own.size());
    const size_t count = part.own.size() + part.lent.size();
    iovec parts[2] = {{part.own.data(), part.own.size()},
                      {const_cast<uint8_t*>(part.lent.data()), part.lent.size()}};
    if (!WriteAll(fd_, parts, 2)) return false;
    // Only a hint: where the file system cannot start write-back early, the sync does it.
    sync_file_range(fd_, at_, int64_t(count), SYNC_FILE_RANGE_WRITE);
    at_ += int64_t(count);
    return true;
  }

  const int fd_;
  int64_t at_ = 0; // the writing thread's own
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::deque<TPart> parts_;
  std::vector<std::vector<uint8_t>> spare_;
  size_t pending_ = 0;
  bool stop_ = false;
  std::atomic<bool> failed_{false};
  std::thread thread_;
};

TFileFeed::TFileFeed(int fd) : fd_(fd) {}

TFileFeed::~TFileFeed() = default;

TFileFeed::TWriter& TFileFeed::Writer() {
  if (!writer_) writer_ = std::make_unique<TWriter>(fd_);
  return *writer_;
}

bool TFileFeed::Ok() const {
  return !refused_ && !(writer_ && writer_->Failed());
}

bool TFileFeed::Write(std::span<const uint8_t> first, std::span<const uint8_t> second) {
  if (!Ok()) return false;
  if (first.empty() && second.empty()) return true;
  Writer().Hand(first, second, -1, false);
  written_ += int64_t(first.size() + second.size());
  return Ok();
}

bool TFileFeed::Patch(int64_t offset, std::span<const uint8_t> bytes) {
  if (!Ok()) return false;
  if (offset < 0 || offset + int64_t(bytes.size()) > written_) {
    refused_ = true;
    return false;
  }
  Writer().Hand(bytes, {}, offset, false);
  return Ok();
}

bool TFileFeed::Restart() {
  if (!Ok()) return false;
  Writer().Hand({}, {}, -1, true);
  written_ = 0;
  return Ok();
}

bool TFileFeed::Finish() {
  if (writer_) writer_->Wait();
  return Ok();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  WriteFileAtomicallyWith(path, [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

void WriteFileAtomicallyWith(const std::string& path, const std::function<bool(int fd)>& fill,
                             std::optional<unsigned> mode) {
  TTemporaryFile temp(path);
  // The file being replaced is only looked at, never opened, so a device or a pipe in the
  // way is not touched; its blocks are freed as the rename drops it.
  struct stat old;
  const bool oldIsFile = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (mode)
    fchmod(temp.Fd(), *mode & 07777);
  else if (oldIsFile)
    fchmod(temp.Fd(), old.st_mode & 07777);
  // fdatasync makes the data and what reads it (size, blocks) durable, which is all the
  // rename needs; a full fsync would also commit the new file's times and mode, a second
  // journal commit on ext4 that the directory's sync below repeats anyway.
  if (!fill(temp.Fd()) || fdatasync(temp.Fd()) != 0 || !temp.Close())
    throw EWriteError(FileMessage(SCannotWriteFile, path));
  if (rename(temp.Name().c_str(), path.c_str()) != 0)
    throw EFileError(FileMessage(SCannotReplaceFile, path));
  temp.MarkRenamed();
  // Makes the rename itself durable; a failure here no longer endangers the old data.
  const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFileAtomically(path,
                      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int SplitFileToPieces(const std::string& fileName, const std::string& destFolder, int64_t firstSize,
                      int64_t otherSize) {
  if (firstSize <= 0 || otherSize <= 0) throw EFileError(SInvalidPieceSize);
  const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFileError(FileMessage(SCannotOpenFile, fileName));
  FdCloser closer{fd};
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    throw EFileError(FileMessage(SCannotReadFile, fileName));
  // The size is taken once: a file that changes while it is cut is a read error, never a
  // short piece.
  int64_t remaining = st.st_size;
  const std::string stem = IncludeTrailingBackslash(destFolder) + ExtractFileName(fileName);
  std::string piece;
  int n = 0;
  while (remaining > 0) {
    ++n;
    const int64_t size = std::min(remaining, n == 1 ? firstSize : otherSize);
    piece.resize(size_t(size));
    for (int64_t done = 0; done < size;) {
      const ssize_t got = read(fd, piece.data() + done, size_t(size - done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) throw EFileError(FileMessage(SCannotReadFile, fileName));
      done += got;
    }
    char ext[16];
    std::snprintf(ext, sizeof ext, ".%.3d", n);
    WriteFileAtomically(ChangeFileExt(stem, ext), piece);
    remaining -= size;
  }
  return n;
}
