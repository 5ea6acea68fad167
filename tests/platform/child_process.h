// Runs a program of the build as a child process, for the tests of the generator, the
// stand-in runtime and the setup program.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

struct TChildResult {
  int ExitCode = -1;  // -1 when the child did not end normally
  std::string Output; // standard output and error together
};

// Program with Args (argv[0] is Program), in Folder, with Env added to (or, for an empty
// value, removed from) the test's environment.
inline TChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder,
                             const std::vector<std::pair<std::string, std::string>>& env = {}) {
  const std::string outputPath =
      (std::filesystem::temp_directory_path() / ("velmora-child-" + std::to_string(getpid())))
          .string();
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 || chdir(folder.c_str()) != 0) _exit(127);
    for (const auto& [name, value] : env)
      value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  TChildResult result;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    result.ExitCode = WEXITSTATUS(status);
  std::ifstream in(outputPath, std::ios::binary);
  result.Output.assign(std::istreambuf_iterator<char>(in), {});
  std::filesystem::remove(outputPath);
  return result;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
