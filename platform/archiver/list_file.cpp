#include "platform/archiver/list_file.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <unordered_map>

#include "core/code_page.h"
#include "platform/archiver/archiver_error.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::string Slashes(std::string_view s) {
  std::string out(s);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

// Two names are the same name to the game when these are equal.
std::string FoldName(std::string_view utf8) {
  return CodePageLowerCase(Utf8ToCodePage(utf8));
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

enum class TKind { None, File, Folder };

// Listed entries follow symbolic links; inside a folder tree a link to a folder is not
// followed, so that a loop of links cannot make the tree endless.
TKind KindOf(const std::string& path, bool followFolderLinks) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return TKind::None;
  const bool link = S_ISLNK(st.st_mode);
  if (link && stat(path.c_str(), &st) != 0) return TKind::None;
  if (S_ISREG(st.st_mode)) return TKind::File;
  if (S_ISDIR(st.st_mode) && (!link || followFolderLinks)) return TKind::Folder;
  return TKind::None; // devices and pipes are never read
}

// The names in Folder in byte order; false when it cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return true;
}

// Name as spelled on disk in Folder: the exact spelling when it exists, else the first
// name in byte order that differs only in case. Empty when there is none.
std::string ResolveName(const std::string& folder, const std::string& name) {
  struct stat st;
  if (lstat(Join(folder, name).c_str(), &st) == 0) return name;
  std::vector<std::string> names;
  if (!ListFolder(folder, names)) return {};
  const std::string folded = FoldName(name);
  for (const std::string& candidate : names)
    if (FoldName(candidate) == folded) return candidate;
  return {};
}

class TCollector {
public:
  explicit TCollector(bool recurse) : Recurse(recurse) {}

  void AddPath(const std::string& disk, const std::string& name) {
    const TKind kind = KindOf(disk, true);
    if (kind == TKind::File) Add(disk, name, false);
    if (kind == TKind::Folder) {
      if (Recurse)
        AddTree(disk, name);
      else
        Add(disk, name, true);
    }
  }

  std::vector<TArchiveSource> Sources;

private:
  void Add(const std::string& disk, const std::string& name, bool folder) {
    TArchiveSource source{disk, name, folder};
    const auto [at, added] = Index.emplace(FoldName(name), Sources.size());
    if (added)
      Sources.push_back(std::move(source));
    else
      Sources[at->second] = std::move(source);
  }

  // Each folder before its contents, the contents in byte order.
  void AddTree(const std::string& disk, const std::string& name) {
    struct TTask {
      std::string Disk, Name;
      bool Folder;
    };
    std::vector<TTask> todo{{disk, name, true}};
    std::vector<std::string> names;
    while (!todo.empty()) {
      TTask task = std::move(todo.back());
      todo.pop_back();
      Add(task.Disk, task.Name, task.Folder);
      if (!task.Folder) continue;
      if (!ListFolder(task.Disk, names))
        throw EArchiverError(UnlhaReadError, "Cannot read the folder " + task.Disk);
      for (auto it = names.rbegin(); it != names.rend(); ++it) {
        const std::string childDisk = Join(task.Disk, *it);
        const TKind kind = KindOf(childDisk, false);
        if (kind != TKind::None)
          todo.push_back({childDisk, task.Name + "/" + *it, kind == TKind::Folder});
      }
    }
  }

  bool Recurse;
  std::unordered_map<std::string, size_t> Index;
};

bool HasWildcard(const std::string& s) {
  return s.find_first_of("?*") != std::string::npos;
}

void AddEntry(TCollector& out, const std::string& base, const std::string& entry) {
  // No name on disk holds a NUL; the system calls would see only the part before it.
  if (base.find('\0') != std::string::npos || entry.find('\0') != std::string::npos) return;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= entry.size()) {
    size_t end = entry.find('/', start);
    if (end == std::string::npos) end = entry.size();
    const std::string part = entry.substr(start, end - start);
    if (part == "..") return;
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  if (parts.empty()) return;
  std::string disk = entry.front() == '/' ? "/" : base;
  std::string name;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (HasWildcard(parts[i])) return;
    const std::string found = ResolveName(disk, parts[i]);
    if (found.empty()) return;
    disk = Join(disk, found);
    name = Join(name, found);
    if (KindOf(disk, true) != TKind::Folder) return;
  }
  const std::string& last = parts.back();
  if (!HasWildcard(last)) {
    const std::string found = ResolveName(disk, last);
    if (!found.empty()) out.AddPath(Join(disk, found), Join(name, found));
    return;
  }
  std::vector<std::string> names;
  if (!ListFolder(disk, names)) return;
  for (const std::string& candidate : names)
    if (MatchWildcard(last, candidate)) out.AddPath(Join(disk, candidate), Join(name, candidate));
}

} // namespace

std::vector<TListLine> ParseListFile(std::string_view text) {
  std::vector<TListLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == '"') {
      std::string_view folder = line.substr(1);
      folder = folder.substr(0, folder.find('"'));
      lines.push_back({true, Slashes(folder)});
    } else {
      lines.push_back({false, Slashes(line)});
    }
  }
  return lines;
}

bool MatchWildcard(std::string_view pattern, std::string_view name) {
  const std::string p = FoldName(pattern);
  const std::string n = FoldName(name);
  // Greedy with one step back to the last '*': linear in practice, never exponential.
  size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*')
    ++pi;
  return pi == p.size();
}

std::vector<TArchiveSource> CollectSources(const std::vector<TListLine>& lines, bool recurse) {
  TCollector out(recurse);
  std::string base;
  for (const TListLine& line : lines) {
    if (line.IsBase)
      base = line.Text;
    else
      AddEntry(out, base, line.Text);
  }
  return std::move(out.Sources);
}
