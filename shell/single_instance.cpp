#include "shell/single_instance.h"

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"

namespace {

constexpr const char* ActivateRequest = "activate\n";
constexpr const char* ActivateWord = "activate";

// The address of the socket file Name; false when the name is too long for one.
bool SocketAddress(const std::string& name, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (name.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  return true;
}

// Waits until Fd is ready for Events or the time is up.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) return false;
    pollfd p{fd, events, 0};
    const int ready = poll(&p, 1, int(left.count()));
    if (ready > 0) return (p.revents & events) != 0;
    if (ready == 0 || errno != EINTR) return false;
  }
}

} // namespace

TSingleInstance::TSingleInstance() = default;

TSingleInstance::~TSingleInstance() {
  for (const auto& [fd, request] : requests_)
    close(fd);
  if (server_ >= 0) close(server_);
  if (lockFile_ >= 0) close(lockFile_);
}

std::string TSingleInstance::Folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && FolderExists(runtime)) return IncludeTrailingBackslash(runtime);
  return GetTempFolder();
}

std::string TSingleInstance::LockFileName() {
  return Folder() + "velmora-studio.lock";
}

std::string TSingleInstance::SocketName() {
  return Folder() + "velmora-studio.socket";
}

bool TSingleInstance::Acquire() {
  if (lockFile_ >= 0) return true;
  const std::string name = LockFileName();
  const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw EFileError(FileMessage(SCannotOpenFile, name));
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    close(fd);
    return false;
  }
  lockFile_ = fd;
  return true;
}

bool TSingleInstance::AskFirstToComeForward(int timeoutMs) {
  sockaddr_un address;
  if (!SocketAddress(SocketName(), address)) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (!connected && (errno == EINPROGRESS || errno == EAGAIN) && WaitFor(fd, POLLOUT, deadline)) {
    int error = 0;
    socklen_t length = sizeof error;
    connected = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  const size_t size = std::strlen(ActivateRequest);
  size_t sent = 0;
  while (connected && sent < size) {
    const ssize_t n = send(fd, ActivateRequest + sent, size - sent, MSG_NOSIGNAL);
    if (n > 0)
      sent += size_t(n);
    else if (n < 0 && errno != EINTR && (errno != EAGAIN || !WaitFor(fd, POLLOUT, deadline)))
      break;
  }
  close(fd);
  return sent == size;
}

bool TSingleInstance::Listen(std::function<void()> onActivate) {
  onActivate_ = std::move(onActivate);
  if (server_ >= 0) return true;
  const std::string name = SocketName();
  sockaddr_un address;
  if (!SocketAddress(name, address)) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  // We hold the lock, so a socket file left there belongs to an editor that died.
  unlink(name.c_str());
  // Only this user may connect: the file is closed to others before anyone can.
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      chmod(name.c_str(), S_IRUSR | S_IWUSR) != 0 || listen(fd, 8) != 0) {
    close(fd);
    return false;
  }
  server_ = fd;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &TSingleInstance::NewConnection);
  return true;
}

void TSingleInstance::NewConnection() {
  for (;;) {
    const int fd = accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;
    }
    requests_[fd];
    auto* client = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(client, &QSocketNotifier::activated, this, [this, client] { ReadRequest(client); });
  }
}

// Reads what a later start sent; once it asked, or hung up, its socket is closed.
void TSingleInstance::ReadRequest(QSocketNotifier* client) {
  const int fd = int(client->socket());
  std::string& request = requests_[fd];
  char bytes[64];
  bool done = false;
  for (;;) {
    const ssize_t n = read(fd, bytes, sizeof bytes);
    if (n > 0) {
      // A request is a few bytes; more than a few lines is not one.
      if (request.size() < 256) request.append(bytes, size_t(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    done = n == 0 || errno != EAGAIN;
    break;
  }
  const bool asked = request.find(ActivateWord) != std::string::npos;
  if (!asked && !done) return;
  client->setEnabled(false);
  client->deleteLater();
  requests_.erase(fd);
  close(fd);
  if (asked && onActivate_) onActivate_();
}

void BringFormToFront(QWidget* form) {
  if (!form) return;
  if (form->isMinimized()) form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
  form->show();
  form->raise();
  form->activateWindow();
}
