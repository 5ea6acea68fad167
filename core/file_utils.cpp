#include "core/file_utils.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/atomic_file.h"
#include "core/code_page.h"
#include "core/errors.h"
#include "core/fd_closer.h"
#include "core/file_messages.h"

namespace {

std::string& ProgramFileOverride() {
  static std::string path;
  return path;
}

std::string StripTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

} // namespace

std::string GetProgramFile() {
  if (!ProgramFileOverride().empty()) return ProgramFileOverride();
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || size_t(n) >= buffer.size()) return "";
  return std::string(buffer.data(), size_t(n));
}

void OverrideProgramFile(const std::string& path) {
  ProgramFileOverride() = path;
}

std::string GetProgramFolder() {
  return ExtractFilePath(GetProgramFile());
}

std::string GetProgramIniPath() {
  const std::string program = GetProgramFile();
  if (IsFolderWritable(ExtractFilePath(program))) return ChangeFileExt(program, ".ini");
  return GetUserConfigFolder() + ChangeFileExt(ExtractFileName(program), ".ini");
}

std::string GetHomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string GetUserConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // A relative value is invalid and must be ignored.
  std::string base = config && config[0] == '/' ? config : GetHomeFolder() + "/.config";
  return IncludeTrailingBackslash(StripTrailingSeparators(base)) + "Orvane/";
}

std::string DataNameToPath(std::string_view name) {
  std::string path = CodePageToUtf8(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolderWritable(const std::string& path) {
  const std::string folder = path.empty() ? "." : path;
  return FolderExists(folder) && access(folder.c_str(), W_OK | X_OK) == 0;
}

void ForceDirectories(const std::string& path, unsigned mode) {
  const std::string full = StripTrailingSeparators(path);
  if (full.empty()) return;
  for (size_t end = full[0] == '/' ? 1 : 0; end != std::string::npos;) {
    end = full.find('/', end + 1);
    const std::string part = full.substr(0, end);
    if (mkdir(part.c_str(), mode) != 0 && !(errno == EEXIST && FolderExists(part)))
      throw EFileError(FileMessage(SCannotCreateFolder, path));
  }
}

namespace {

template <class Buffer>
bool ReadFileInto(const std::string& path, Buffer& bytes, uint64_t maxBytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    throw EFileError(FileMessage(SCannotOpenFile, path));
  }
  bytes.clear();
  // Reserve what the file says it holds (within the cap): one allocation for the usual
  // case instead of a doubling per 64 KiB read.
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size > 0 && uint64_t(st.st_size) <= maxBytes)
    bytes.reserve(size_t(st.st_size));
  char buffer[65536];
  bool ok = true, tooLarge = false;
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (bytes.size() + uint64_t(n) > maxBytes) {
      tooLarge = true;
      break;
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  close(fd);
  if (tooLarge) throw EFileError(FileMessage(SFileTooLarge, path));
  if (!ok) throw EFileError(FileMessage(SCannotReadFile, path));
  return true;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, uint64_t maxBytes) {
  return ReadFileInto(path, bytes, maxBytes);
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) {
  return ReadFileInto(path, bytes, maxBytes);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool CopyFileReplacing(const std::string& source, const std::string& target) {
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw EFileError(FileMessage(SCannotOpenFile, source));
  FdCloser closer{in};
  struct stat from, to;
  if (fstat(in, &from) != 0 || !S_ISREG(from.st_mode))
    throw EFileError(FileMessage(SCannotOpenFile, source));
  // Replacing a file by itself would truncate the only copy before reading it.
  if (stat(target.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
    return false;
  const auto copy = [&](int out) {
    char buffer[65536];
    for (;;) {
      const ssize_t n = read(in, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw EFileError(FileMessage(SCannotReadFile, source));
      if (n == 0) return true;
      for (ssize_t done = 0; done < n;) {
        const ssize_t put = write(out, buffer + done, size_t(n - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += put;
      }
    }
  };
  try {
    WriteFileAtomicallyWith(target, copy, (from.st_mode & 0666) | S_IRUSR | S_IWUSR);
  } catch (const EWriteError& e) {
    throw EFileError(e.what());
  }
  return true;
}

std::string GetTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = StripTrailingSeparators(tmp && *tmp ? tmp : "/tmp");
  const std::string folder = base + "/velmora-" + std::to_string(geteuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    throw EFileError(FileMessage(SCannotCreateFolder, folder));
  struct stat st;
  if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
    throw EFileError(FileMessage(SUnsafeTempFolder, folder));
  if ((st.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0)
    throw EFileError(FileMessage(SUnsafeTempFolder, folder));
  return folder + "/";
}

std::string GetWorkingFolder() {
  return GetTempFolder() + "VELM_TEMP/";
}

namespace {

// Empties the folder open at Fd, going down through real folders only. Entries that
// resist are left and reported; everything else still goes.
bool EmptyFolderAt(int fd) {
  const int listFd = dup(fd);
  DIR* dir = listFd < 0 ? nullptr : fdopendir(listFd);
  if (!dir) {
    if (listFd >= 0) close(listFd);
    return false;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  bool ok = true;
  for (const std::string& name : names) {
    struct stat st;
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      ok = ok && errno == ENOENT;
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      const int sub = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub < 0) {
        ok = false;
        continue;
      }
      // Like clearing a read-only attribute: our own folder must let us remove entries.
      if ((st.st_mode & S_IRWXU) != S_IRWXU) fchmod(sub, (st.st_mode & 07777) | S_IRWXU);
      ok = EmptyFolderAt(sub) && ok;
      close(sub);
      if (unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0) ok = false;
    } else if (unlinkat(fd, name.c_str(), 0) != 0) {
      ok = false;
    }
  }
  return ok;
}

} // namespace

bool DeleteFolderTree(const std::string& folder) {
  const std::string path = StripTrailingSeparators(folder);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) return unlink(path.c_str()) == 0;
  if (!S_ISDIR(st.st_mode)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  if ((st.st_mode & S_IRWXU) != S_IRWXU) fchmod(fd, (st.st_mode & 07777) | S_IRWXU);
  const bool emptied = EmptyFolderAt(fd);
  close(fd);
  return rmdir(path.c_str()) == 0 && emptied;
}

TFileStamp GetFileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) throw EFileError(FileMessage(SCannotOpenFile, path));
  return TFileStamp{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                    static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtim.tv_sec),
                    static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

bool IsDriveReady(const std::string& path) {
  return FolderExists(path.empty() ? "." : path);
}

bool IsDriveEmpty(const std::string& path) {
  if (!IsDriveReady(path)) return false;
  DIR* dir = opendir(path.empty() ? "." : path.c_str());
  if (!dir) return false;
  bool empty = true;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") {
      empty = false;
      break;
    }
  }
  closedir(dir);
  return empty;
}

bool IsFloppyDrive(const std::string&) {
  return false;
}

void FindFloppyDrive(std::string&) {}
