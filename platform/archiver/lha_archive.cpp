#include "platform/archiver/lha_archive.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_map>

#include "core/code_page.h"
#include "platform/archiver/archiver_error.h"
#include "platform/archiver/lh5_codec.h"
#include "platform/archiver/lha_crc.h"

namespace {

// A whole file mapped for reading; empty files map to nothing.
class TMappedFile {
public:
  explicit TMappedFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EArchiverError(UnlhaReadError, "Cannot open " + path);
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      throw EArchiverError(UnlhaReadError, "Cannot read " + path);
    }
    Size = static_cast<size_t>(st.st_size);
    if (Size > 0) {
      void* map = mmap(nullptr, Size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (map == MAP_FAILED) {
        close(fd);
        throw EArchiverError(UnlhaReadError, "Cannot read " + path);
      }
      Data = static_cast<const uint8_t*>(map);
    }
    close(fd);
  }
  ~TMappedFile() {
    if (Data) munmap(const_cast<uint8_t*>(Data), Size);
  }
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;

  const uint8_t* Data = nullptr;
  size_t Size = 0;
};

// The archive under its temporary name; removed unless Commit put it in place.
class TTempArchive {
public:
  explicit TTempArchive(const std::string& target) : Target(target) {
    std::string pattern = target + ".XXXXXX";
    Fd = mkstemp(pattern.data());
    if (Fd < 0) throw EArchiverError(UnlhaWriteError, "Cannot create the archive " + target);
    Path = pattern;
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(Fd, 0666 & ~mask);
  }
  ~TTempArchive() {
    if (Fd >= 0) close(Fd);
    if (!Path.empty()) unlink(Path.c_str());
  }

  void Write(const uint8_t* data, size_t size) {
    while (size > 0) {
      const ssize_t n = write(Fd, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw EArchiverError(UnlhaWriteError, "Cannot write the archive " + Target);
      data += n;
      size -= static_cast<size_t>(n);
    }
  }
  void Write(const std::vector<uint8_t>& bytes) { Write(bytes.data(), bytes.size()); }

  void Close() {
    const bool ok = fsync(Fd) == 0;
    const bool closed = close(Fd) == 0;
    Fd = -1;
    if (!ok || !closed) throw EArchiverError(UnlhaWriteError, "Cannot write the archive " + Target);
  }

  void Commit() {
    if (rename(Path.c_str(), Target.c_str()) != 0)
      throw EArchiverError(UnlhaWriteError, "Cannot replace the archive " + Target);
    Path.clear();
  }

  std::string Path;

private:
  std::string Target;
  int Fd = -1;
};

std::vector<uint8_t> ReadSource(const std::string& path, struct stat& st) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EArchiverError(UnlhaReadError, "Cannot open " + path);
  std::vector<uint8_t> bytes;
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok && static_cast<uint64_t>(st.st_size) > std::numeric_limits<uint32_t>::max()) {
    close(fd);
    throw EArchiverError(UnlhaFileTooLarge, "Too large for the archive: " + path);
  }
  if (ok) {
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (ok && got < bytes.size()) {
      const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0; // a file that shrank while we read it is not stored half
      if (ok) got += static_cast<size_t>(n);
    }
  }
  close(fd);
  if (!ok) throw EArchiverError(UnlhaReadError, "Cannot read " + path);
  return bytes;
}

uint32_t ModifiedTime(const struct stat& st) {
  if (st.st_mtime < 0) return 0;
  if (static_cast<uint64_t>(st.st_mtime) > std::numeric_limits<uint32_t>::max())
    return std::numeric_limits<uint32_t>::max();
  return static_cast<uint32_t>(st.st_mtime);
}

// The name in the code page. A '\\' would read as a folder separator, and so would the
// code page's 0xFF within a folder's name; both become '_'.
std::string ArchiveName(const TArchiveSource& source) {
  std::string name = Utf8ToCodePage(source.Name);
  const size_t folderEnd = source.IsFolder ? name.size() : name.rfind('/');
  for (size_t i = 0; i < name.size(); ++i)
    if (name[i] == '\\' || (name[i] == '\xFF' && folderEnd != std::string::npos && i < folderEnd))
      name[i] = '_';
  // The level-2 header keeps its own size in 16 bits.
  if (name.size() > 60000) throw EArchiverError(UnlhaFileTooLarge, "Name too long: " + source.Name);
  return name;
}

// Packs one source: header and data, ready to be written.
void WriteSource(TTempArchive& out, const TArchiveSource& source) {
  TLhaMember member;
  member.Name = ArchiveName(source);
  struct stat st;
  if (source.IsFolder) {
    if (stat(source.DiskPath.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      throw EArchiverError(UnlhaReadError, "Cannot read the folder " + source.DiskPath);
    member.Method = MethodFolder;
    member.Time = ModifiedTime(st);
    out.Write(MakeLevel2Header(member));
    return;
  }
  const std::vector<uint8_t> data = ReadSource(source.DiskPath, st);
  member.Time = ModifiedTime(st);
  member.OriginalSize = static_cast<uint32_t>(data.size());
  member.Crc = LhaCrc16(data.data(), data.size());
  std::vector<uint8_t> packed;
  if (Lh5Encode(data.data(), data.size(), packed)) {
    member.Method = MethodLh5;
    member.PackedSize = static_cast<uint32_t>(packed.size());
    out.Write(MakeLevel2Header(member));
    out.Write(packed);
  } else {
    member.Method = MethodStored;
    member.PackedSize = member.OriginalSize;
    out.Write(MakeLevel2Header(member));
    out.Write(data);
  }
}

} // namespace

std::vector<TArchiveMember> ScanArchive(const uint8_t* data, size_t size) {
  std::vector<TArchiveMember> members;
  size_t pos = 0;
  for (;;) {
    TArchiveMember m;
    const THeaderRead read = ReadLhaHeader(data + pos, size - pos, m.Header);
    if (read == THeaderRead::End) return members;
    if (read == THeaderRead::Bad)
      throw EArchiverError(UnlhaBadArchive, "Damaged archive at offset " + std::to_string(pos));
    m.Offset = pos;
    m.Size = m.Header.HeaderSize + m.Header.PackedSize;
    pos += m.Size;
    members.push_back(std::move(m));
  }
}

std::vector<TArchiveMember> CheckArchive(const uint8_t* data, size_t size) {
  std::vector<TArchiveMember> members;
  try {
    members = ScanArchive(data, size);
  } catch (const EArchiverError& e) {
    throw EArchiverError(UnlhaCheckFailed, e.what());
  }
  for (const TArchiveMember& m : members) {
    const TLhaMember& h = m.Header;
    const uint8_t* packed = data + m.Offset + h.HeaderSize;
    uint16_t crc = 0;
    if (h.Method == MethodStored) {
      if (h.PackedSize != h.OriginalSize)
        throw EArchiverError(UnlhaCheckFailed, "Damaged data of " + h.Name);
      crc = LhaCrc16(packed, h.PackedSize);
    } else if (h.Method == MethodLh5) {
      const bool ok =
          Lh5Decode(packed, h.PackedSize, h.OriginalSize,
                    [&crc](const uint8_t* bytes, size_t n) { crc = LhaCrc16(bytes, n, crc); });
      if (!ok) throw EArchiverError(UnlhaCheckFailed, "Damaged data of " + h.Name);
    } else {
      continue;
    }
    if (crc != h.Crc) throw EArchiverError(UnlhaCheckFailed, "CRC error in " + h.Name);
  }
  return members;
}

size_t AddToArchive(const std::string& archivePath, const std::vector<TArchiveSource>& sources) {
  // Each place holds either an old member (by index) or a source.
  struct TPlace {
    const TArchiveSource* Source = nullptr;
    size_t Old = 0;
    std::string Name;
  };
  std::vector<TPlace> places;
  std::unordered_map<std::string, size_t> index;
  auto place = [&](const std::string& name, TPlace p) {
    p.Name = name;
    const auto [at, added] = index.emplace(CodePageLowerCase(name), places.size());
    if (added)
      places.push_back(std::move(p));
    else
      places[at->second] = std::move(p);
  };

  std::unique_ptr<TMappedFile> old;
  std::vector<TArchiveMember> oldMembers;
  struct stat st;
  if (stat(archivePath.c_str(), &st) == 0) {
    old = std::make_unique<TMappedFile>(archivePath);
    oldMembers = ScanArchive(old->Data, old->Size);
    for (size_t i = 0; i < oldMembers.size(); ++i)
      place(oldMembers[i].Header.Name, {nullptr, i, {}});
  }
  for (const TArchiveSource& source : sources)
    place(ArchiveName(source), {&source, 0, {}});

  TTempArchive out(archivePath);
  for (const TPlace& p : places) {
    if (p.Source) {
      WriteSource(out, *p.Source);
    } else {
      const TArchiveMember& m = oldMembers[p.Old];
      out.Write(old->Data + m.Offset, m.Size);
    }
  }
  const uint8_t endMark = 0;
  out.Write(&endMark, 1);
  out.Close();

  {
    TMappedFile written(out.Path);
    const std::vector<TArchiveMember> members = CheckArchive(written.Data, written.Size);
    bool same = members.size() == places.size();
    for (size_t i = 0; same && i < members.size(); ++i)
      same = members[i].Header.Name == places[i].Name;
    if (!same) throw EArchiverError(UnlhaCheckFailed, "The written archive differs from its list");
  }
  old.reset();
  out.Commit();
  return places.size();
}
