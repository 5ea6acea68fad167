#include "shell/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"

namespace {

constexpr const char* ActivateRequest = "activate\n";

} // namespace

TSingleInstance::TSingleInstance() = default;

TSingleInstance::~TSingleInstance() {
  if (server_) server_->close();
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
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(SocketName()));
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(ActivateRequest);
  const bool sent = socket.waitForBytesWritten(timeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return sent;
}

bool TSingleInstance::Listen(std::function<void()> onActivate) {
  onActivate_ = std::move(onActivate);
  if (server_) return server_->isListening();
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString name = QString::fromStdString(SocketName());
  // We hold the lock, so a socket file left there belongs to an editor that died.
  QLocalServer::removeServer(name);
  connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::NewConnection);
  return server_->listen(name);
}

void TSingleInstance::NewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().contains("activate") && onActivate_) onActivate_();
    });
  }
}

void BringFormToFront(QWidget* form) {
  if (!form) return;
  if (form->isMinimized()) form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
  form->show();
  form->raise();
  form->activateWindow();
}
