// One editor per user: a lock file held with flock for the life of the process, and a
// local socket beside it through which a second start asks the running editor to come
// to the front before it quits. The socket is a plain Unix one, so that the editor needs
// no network library.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>

class QSocketNotifier;
class QWidget;

class TSingleInstance : public QObject {
public:
  TSingleInstance();
  ~TSingleInstance() override;
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // Where the lock and the socket live: $XDG_RUNTIME_DIR when it is a folder, else the
  // private temporary folder.
  static std::string Folder();
  static std::string LockFileName();
  static std::string SocketName();

  // Takes the lock; false when another editor holds it. Raises EFileError when the lock
  // file cannot be opened at all.
  bool Acquire();
  // For a start that lost the lock: asks the running editor to come forward. False when
  // none answered (one that is still starting has no socket yet).
  static bool AskFirstToComeForward(int timeoutMs = 1000);
  // For the editor that holds the lock: answers the requests of later starts by calling
  // OnActivate. False when the socket cannot be opened (later starts then just quit).
  bool Listen(std::function<void()> onActivate);

private:
  void NewConnection();
  void ReadRequest(QSocketNotifier* client);

  int lockFile_ = -1;
  int server_ = -1;
  // What each connected later start has sent so far, by its socket.
  std::map<int, std::string> requests_;
  std::function<void()> onActivate_;
};

// Brings Form to the front, restoring it first when it is minimised.
void BringFormToFront(QWidget* form);
