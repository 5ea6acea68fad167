// A scratch world for the targets that reach files the way the editor does: settings,
// the working folder, home, a project and a run-time package all live in one temporary
// folder (in memory where the system offers one), made once per process and removed at
// its end.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/file_utils.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/settings.h"

class TFuzzWorld {
public:
  // The project is Root + "proj/", the package Root + "rtp/".
  static TFuzzWorld& Get() {
    static TFuzzWorld world;
    return world;
  }
  const std::string& Root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + relative; }
  void Put(const std::string& relative, const void* data, size_t size) const {
    if (FILE* f = std::fopen(Path(relative).c_str(), "wb")) {
      if (size > 0) std::fwrite(data, 1, size, f);
      std::fclose(f);
    }
  }
  void Put(const std::string& relative, const std::string& bytes) const {
    Put(relative, bytes.data(), bytes.size());
  }
  void Mkdir(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
  }

private:
  TFuzzWorld() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/velmora-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    root_ = pattern + "/";
    for (const char* sub : {"config", "tmp", "home", "prog", "proj", "rtp"})
      Mkdir(sub);
    setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    setenv("TMPDIR", Path("tmp").c_str(), 1);
    setenv("HOME", Path("home").c_str(), 1);
    OverrideProgramFile(Path("prog/velmora-studio"));
    ProjectPath = Path("proj/");
    Settings().WriteString("RuntimePackagePath", Path("rtp"));
    PathResolver().Clear();
  }
  ~TFuzzWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::string root_;
};
