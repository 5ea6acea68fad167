// The scratch world of the shell tests: the file tests' private settings, temporary and
// home folders, plus a private runtime folder for the single-instance lock, and the
// current folder put back afterwards (opening a project changes it).
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "core/file_test_env.h"
#include "core/settings.h"
#include "framework/harness/widget_harness.h"

class ShellTestEnv : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    char* cwd = getcwd(nullptr, 0);
    savedCwd_ = cwd ? cwd : "/";
    free(cwd);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    savedRuntime_ = runtime ? std::optional<std::string>(runtime) : std::nullopt;
    Mkdir("run");
    chmod(Path("run").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", Path("run").c_str(), 1);
  }
  void TearDown() override {
    if (chdir(savedCwd_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << savedCwd_;
    if (savedRuntime_)
      setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1);
    else
      unsetenv("XDG_RUNTIME_DIR");
    FileTestEnv::TearDown();
  }

  std::string CurrentFolder() const {
    char* cwd = getcwd(nullptr, 0);
    std::string result = cwd ? std::string(cwd) + "/" : "";
    free(cwd);
    return result;
  }

private:
  std::string savedCwd_;
  std::optional<std::string> savedRuntime_;
};
