// A scratch world for tests of files and settings: XDG_CONFIG_HOME, TMPDIR and HOME
// point into a fresh temporary folder and the program seems to live there too, so no
// test ever touches the real home folder or the real temporary folder. Everything is
// put back and removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/file_utils.h"
#include "core/path_resolver.h"
#include "core/project_path.h"

class FileTestEnv : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"XDG_CONFIG_HOME", "TMPDIR", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    std::string pattern = std::filesystem::temp_directory_path().string() + "/velmora-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
    for (const char* sub : {"config", "tmp", "home", "prog"})
      Mkdir(sub);
    setenv("XDG_CONFIG_HOME", (root_ + "config").c_str(), 1);
    setenv("TMPDIR", (root_ + "tmp").c_str(), 1);
    setenv("HOME", (root_ + "home").c_str(), 1);
    OverrideProgramFile(root_ + "prog/velmora-studio");
    ProjectPath.clear();
    PathResolver().Clear();
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    OverrideProgramFile("");
    ProjectPath.clear();
    PathResolver().Clear();
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }

  // Paths relative to the scratch folder.
  std::string Path(const std::string& relative) const { return root_ + relative; }
  void Mkdir(const std::string& relative) { std::filesystem::create_directories(Path(relative)); }
  void Put(const std::string& relative, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
    std::ofstream(Path(relative), std::ios::binary) << bytes;
  }
  std::string Get(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& relative) const {
    struct stat st;
    return lstat(Path(relative).c_str(), &st) == 0;
  }

  std::string root_;

private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// While it lives, files of this process cannot grow beyond Bytes: a write past that fails
// half-way, as on a full disk (running as root, a read-only folder would not stop it).
class TFileSizeLimit {
public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, oldHandler_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
  rlimit saved_;
  sighandler_t oldHandler_;
};
