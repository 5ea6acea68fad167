// A scratch folder for the benchmarks that read files.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A temporary folder for a benchmark's files, with the user's settings out of reach;
// removed at the end.
class TBenchFolder {
public:
  TBenchFolder() {
    std::string dir = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) std::abort();
    root_ = dir;
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  }
  ~TBenchFolder() { std::filesystem::remove_all(root_); }
  TBenchFolder(const TBenchFolder&) = delete;
  TBenchFolder& operator=(const TBenchFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // The folder as a project path (with its trailing slash).
  std::string AsProjectPath() const { return root_.string() + "/"; }

private:
  std::filesystem::path root_;
};
