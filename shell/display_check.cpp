#include "shell/display_check.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The value of a Qt option given as "-name value" or "--name value".
std::string Option(int argc, char** argv, std::string_view name) {
  for (int i = 1; i + 1 < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.substr(0, 2) == "--") arg.remove_prefix(1);
    if (!arg.empty() && arg[0] == '-' && arg.substr(1) == name) return argv[i + 1];
  }
  return {};
}

// Asks libxcb, which Qt's X11 platform loads anyway, so the program links no X library.
bool XServerAnswers(const std::string& display) {
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!xcb) return !display.empty() || !Environment("DISPLAY").empty();
  using TConnect = void* (*)(const char*, int*);
  using THasError = int (*)(void*);
  using TDisconnect = void (*)(void*);
  auto connect = reinterpret_cast<TConnect>(dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<THasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<TDisconnect>(dlsym(xcb, "xcb_disconnect"));
  bool answers = false;
  if (connect && hasError && disconnect) {
    void* connection = connect(display.empty() ? nullptr : display.c_str(), nullptr);
    answers = connection && hasError(connection) == 0;
    if (connection) disconnect(connection);
  }
  dlclose(xcb);
  return answers;
}

bool WaylandAnswers() {
  std::string socketPath = Environment("WAYLAND_DISPLAY");
  if (socketPath.empty()) socketPath = "wayland-0";
  if (socketPath[0] != '/') {
    const std::string runtimeDir = Environment("XDG_RUNTIME_DIR");
    if (runtimeDir.empty()) return false;
    socketPath = runtimeDir + "/" + socketPath;
  }
  sockaddr_un address{};
  if (socketPath.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answers =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return answers;
}

// The Qt platforms that will be tried, in order.
std::vector<std::string> CandidatePlatforms(int argc, char** argv) {
  std::string list = Option(argc, argv, "platform");
  if (list.empty()) list = Environment("QT_QPA_PLATFORM");
  if (list.empty()) list = Environment("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(';', start), list.size());
    // A platform's own options follow its name after a colon.
    std::string entry = list.substr(start, end - start);
    entry = entry.substr(0, entry.find(':'));
    if (!entry.empty()) names.push_back(entry);
    start = end + 1;
  }
  return names;
}

} // namespace

bool DisplayReachable(int argc, char** argv) {
  for (const std::string& platform : CandidatePlatforms(argc, argv)) {
    if (platform == "xcb") {
      if (XServerAnswers(Option(argc, argv, "display"))) return true;
    } else if (platform.rfind("wayland", 0) == 0) {
      if (WaylandAnswers()) return true;
    } else {
      return true;
    }
  }
  return false;
}
