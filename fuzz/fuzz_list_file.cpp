// The archiver's list file on arbitrary text: parsing, wildcard matching, and collecting
// what the entries name from a small fixed folder tree (every base line is pointed there
// and absolute entries are dropped, so nothing else on the machine is walked).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_seeds.h"
#include "platform/archiver/list_file.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

std::string TreeRoot;

void RemoveTree() {
  std::error_code ignored;
  std::filesystem::remove_all(TreeRoot, ignored);
}

const std::string& Tree() {
  static const std::string root = [] {
    std::string dir = "/tmp/velmora-fuzz-list-XXXXXX";
    if (!mkdtemp(dir.data())) std::abort();
    for (const char* sub : {"/ChipSet", "/ChipSet/Deep", "/Music", "/Empty"})
      mkdir((dir + sub).c_str(), 0700);
    for (const char* file : {"/KOVAX.ldb", "/Map0001.lmu", "/Map0002.lmu", "/ChipSet/a b.png",
                             "/ChipSet/Deep/x", "/Music/\xC3\xA9t\xC3\xA9.mid"})
      std::ofstream(dir + file) << file;
    TreeRoot = dir;
    std::atexit(RemoveTree);
    return dir;
  }();
  return root;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  return {Bytes("\"C:\\Proj\\\"\r\nChipSet\r\nKOVAX.ldb\r\nMap????.lmu\r\n"),
          Bytes("\"\"\nchipset/*.PNG\nmusic\\\xC3\x89*\n../x\n./Empty\n*\n"),
          Bytes("\"a\" b\n  spaced name  \n\"unclosed\nM*p*?.l*u\n")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<TListLine> lines = ParseListFile(text);
  std::vector<TListLine> safe;
  for (size_t i = 0; i < lines.size(); ++i) {
    TListLine& line = lines[i];
    if (line.Text.find_first_of("\\\n") != std::string::npos) std::abort();
    if (!line.IsBase && line.Text.empty()) std::abort();
    // Any pattern matches itself, and "*" matches anything: checked on the first lines,
    // which keeps a run of a long list cheap.
    if (i < 16 && !MatchWildcard(line.Text, line.Text)) std::abort();
    if (i < 16 && !MatchWildcard("*", line.Text)) std::abort();
    if (line.IsBase)
      safe.push_back({true, Tree()});
    else if (line.Text[0] != '/')
      safe.push_back(line);
  }
  if (!safe.empty() && !safe.front().IsBase) safe.insert(safe.begin(), {true, Tree()});
  for (const TArchiveSource& s : CollectSources(safe, true)) {
    if (s.DiskPath.compare(0, Tree().size(), Tree()) != 0) std::abort();
    if (s.Name.empty() || s.Name[0] == '/' || s.Name.find("..") != std::string::npos) std::abort();
  }
  return 0;
}
