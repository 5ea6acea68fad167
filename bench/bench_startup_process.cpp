// Start-up as the author waits for it: the whole editor process started, until its main
// window is mapped and the process has gone idle, with the last project reopened (a new
// project, or one whose first map is 500 x 500 with 1,000 events). Beside it in the same
// run: the plain Qt program bare_window (built beside this one, linking Qt only), a bare
// QMainWindow shown maximised, timed the same way.
//
// Needs an X server with a window manager (Xvfb with openbox will do); the editor is the
// one built beside this program (../bin/velmora-studio) or the one named by
// VELMORA_EDITOR. Its program folder is linked into a scratch folder, which also holds the
// settings, temporary and home folders and the projects, removed at the end.
//
// Mapped: the MapNotify of a normal top-level window of the started process. Idle: no
// thread of the process has run for a quiet spell; the time taken is that of its last
// run (or of the mapping, when later), so the spell itself is not counted.
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "bench/bench_folder.h"
#include "bench/bench_last_project.h"

extern char** environ;

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

namespace {

constexpr auto QuietSpell = std::chrono::milliseconds(100);
constexpr auto SampleStep = std::chrono::microseconds(500);
constexpr auto GiveUpAfter = std::chrono::seconds(20);
// How long a process has to end after SIGTERM, and after SIGKILL.
constexpr auto EndWithin = std::chrono::seconds(10);
constexpr auto KillWithin = std::chrono::seconds(5);

// Nanoseconds that every thread of a process has run, from the scheduler's own account.
std::optional<uint64_t> RunTime(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return std::nullopt;
  uint64_t total = 0;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    uint64_t ns = 0;
    if (stat >> ns) total += ns;
  }
  closedir(dir);
  return total;
}

// A started process. Every wait for it has a deadline, and it is reaped only once, so
// that no signal meant for it reaches another process that has since been given its id.
class TChild {
public:
  explicit TChild(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (posix_spawn(&pid_, args[0], nullptr, nullptr, args.data(), environ) != 0) pid_ = 0;
  }
  // One that did not end in time is killed, and not waited for without limit either.
  ~TChild() {
    if (!Ended()) {
      kill(pid_, SIGKILL);
      WaitUntil(TClock::now() + KillWithin);
    }
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

  // Reaps the process when it has ended; never waits.
  bool Ended() {
    if (ended_ || pid_ <= 0) return true;
    const pid_t got = waitpid(pid_, nullptr, WNOHANG);
    ended_ = got == pid_ || (got < 0 && errno != EINTR);
    return ended_;
  }

  // Ends the process as a logout would; false when it is still there at the deadline.
  bool Terminate() {
    if (Ended()) return true;
    kill(pid_, SIGTERM);
    return WaitUntil(TClock::now() + EndWithin);
  }

private:
  bool WaitUntil(TClock::time_point deadline) {
    while (!Ended()) {
      if (TClock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  pid_t pid_ = 0;
  bool ended_ = false;
};

// Watches the X server for the top-level windows that processes map.
class TWindowWatch {
public:
  TWindowWatch() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    pidAtom_ = Atom("_NET_WM_PID");
    typeAtom_ = Atom("_NET_WM_WINDOW_TYPE");
    normalAtom_ = Atom("_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_flush(connection_);
  }
  ~TWindowWatch() { xcb_disconnect(connection_); }
  bool Usable() const { return root_ != 0; }

  // Waits for a normal window of the process to be mapped; false when the process ends or
  // the deadline passes first.
  bool WaitForMappedWindow(TChild& child, TClock::time_point deadline) {
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    while (TClock::now() < deadline) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const bool found = Handle(event, child.Pid());
        free(event);
        if (found) return true;
      }
      if (child.Ended()) return false;
      poll(&fd, 1, 10);
    }
    return false;
  }

private:
  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    free(reply);
    return atom;
  }

  uint32_t Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1), nullptr);
    uint32_t value = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
      std::memcpy(&value, xcb_get_property_value(reply), 4);
    free(reply);
    return value;
  }

  bool IsMapped(xcb_window_t window) {
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr);
    const bool mapped = reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
    free(reply);
    return mapped;
  }

  bool IsMainWindowOf(xcb_window_t window, pid_t pid) {
    if (Property(window, pidAtom_, XCB_ATOM_CARDINAL) != uint32_t(pid)) return false;
    const uint32_t type = Property(window, typeAtom_, XCB_ATOM_ATOM);
    return type == 0 || type == normalAtom_;
  }

  bool Handle(const xcb_generic_event_t* event, pid_t pid) {
    switch (event->response_type & 0x7F) {
    case XCB_CREATE_NOTIFY: {
      // Top-level windows are made on the root; their mapping is reported to them once
      // the window manager has put them into its frame.
      const xcb_window_t window = reinterpret_cast<const xcb_create_notify_event_t*>(event)->window;
      const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
      xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
      xcb_flush(connection_);
      // The process and the window manager may have mapped it before we asked to be told:
      // that MapNotify went by, and only the window's state shows it.
      return IsMapped(window) && IsMainWindowOf(window, pid);
    }
    case XCB_MAP_NOTIFY: {
      const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
      return map->event == map->window && IsMainWindowOf(map->window, pid);
    }
    default:
      return false;
    }
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t pidAtom_ = 0, typeAtom_ = 0, normalAtom_ = 0;
};

struct TStartResult {
  const char* error = "the process could not be started";
  double seconds = 0;
};

// Starts Argv and times it to its mapped main window and idleness; then ends it as a
// logout would. Whatever does not happen in time makes the start a failed one.
TStartResult TimeStart(const std::vector<std::string>& argv) {
  TWindowWatch watch;
  if (!watch.Usable()) return {"no connection to the X server"};
  const TClock::time_point start = TClock::now();
  TChild child(argv);
  if (!child.Started()) return {};
  TStartResult result{"no mapped main window (the process ended, or the time ran out)"};
  if (watch.WaitForMappedWindow(child, start + GiveUpAfter)) {
    TClock::time_point last = TClock::now();
    std::optional<uint64_t> ran = RunTime(child.Pid());
    while (ran && TClock::now() - last < QuietSpell && TClock::now() - start < GiveUpAfter) {
      std::this_thread::sleep_for(SampleStep);
      const TClock::time_point now = TClock::now();
      const std::optional<uint64_t> again = RunTime(child.Pid());
      if (again && *again != *ran) last = now;
      ran = again;
    }
    if (!ran)
      result.error = "the process ended after mapping its window";
    else if (TClock::now() - last < QuietSpell)
      result.error = "the process never went idle in time";
    else
      result.error = nullptr;
    result.seconds = std::chrono::duration<double>(last - start).count();
  }
  if (!child.Terminate() && !result.error) result.error = "the process did not end after SIGTERM";
  return result;
}

std::string EditorFile;
std::string BareWindowFile;

// Times starts of Argv. With Beside, each start is paired with a start of the bare window
// just before it, so that both meet the machine in the same state: the pair's times give
// the "bare_ms" and "ratio" counters, which hold up where the machine's speed drifts
// between one benchmark and the next.
void TimeStarts(benchmark::State& state, const std::vector<std::string>& argv,
                bool beside = false) {
  double own = 0, bare = 0;
  for (auto _ : state) {
    const TStartResult peer = beside ? TimeStart({BareWindowFile}) : TStartResult{nullptr};
    const TStartResult result = TimeStart(argv);
    if (result.error || peer.error) {
      state.SkipWithError(result.error ? result.error
                                       : (std::string("bare window: ") + peer.error).c_str());
      return;
    }
    state.SetIterationTime(result.seconds);
    own += result.seconds;
    bare += peer.seconds;
  }
  if (beside && bare > 0) {
    state.counters["bare_ms"] = benchmark::Counter(bare * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = own / bare;
  }
}

void BM_EditorStartNewProject(benchmark::State& state) {
  OpenedProjectOption.Set("Small");
  TimeStarts(state, {EditorFile}, true);
}
BENCHMARK(BM_EditorStartNewProject)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_EditorStart500x500Map(benchmark::State& state) {
  OpenedProjectOption.Set("Big");
  TimeStarts(state, {EditorFile}, true);
}
BENCHMARK(BM_EditorStart500x500Map)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BareMainWindowStart(benchmark::State& state) {
  TimeStarts(state, {BareWindowFile});
}
BENCHMARK(BM_BareMainWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

// A view of the program folder made of hard links (copies where links cannot be made), so
// that what the editor writes beside itself stays in the scratch folder.
bool LinkProgramFolder(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::create_hard_links, error);
  if (error) {
    fs::remove_all(to, error);
    fs::copy(from, to, fs::copy_options::recursive, error);
  }
  return !error;
}

} // namespace

int main(int argc, char** argv) {
  const fs::path self = fs::read_symlink("/proc/self/exe");
  BareWindowFile = (self.parent_path() / "bare_window").string();
  const char* editor = std::getenv("VELMORA_EDITOR");
  const fs::path editorFile = editor && *editor
                                  ? fs::path(editor)
                                  : self.parent_path().parent_path() / "bin" / "velmora-studio";
  if (!fs::exists(editorFile) || !fs::exists(BareWindowFile) || !TWindowWatch().Usable()) {
    std::fprintf(stderr, "needs an X server (DISPLAY), the editor at %s and %s\n",
                 editorFile.c_str(), BareWindowFile.c_str());
    return 1;
  }
  TBenchFolder folder;
  const fs::path program = folder.Root() / "prog";
  if (!LinkProgramFolder(editorFile.parent_path(), program)) return 1;
  EditorFile = (program / editorFile.filename()).string();
  const fs::path runtimeFolder = folder.Root() / "run";
  fs::create_directories(runtimeFolder);
  fs::permissions(runtimeFolder, fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
  // A message box would wait for an answer: the editor logs it instead.
  setenv("VELMORA_MESSAGE_LOG", (folder.Root() / "messages.log").c_str(), 1);
  int result = 0;
  {
    // The projects are laid out offscreen; the programs started later use the display.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    UseScratchFolders(folder.Root(), program);
    MakeBenchProject(folder.Root(), "Small", /*bigMap=*/false);
    MakeBenchProject(folder.Root(), "Big", /*bigMap=*/true);
    if (platform.isEmpty() || platform == "offscreen")
      qputenv("QT_QPA_PLATFORM", "xcb");
    else
      qputenv("QT_QPA_PLATFORM", platform);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
      result = 1;
    else
      benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  // A box the editor showed (a refused start, a failed load) says why a figure is missing.
  if (std::ifstream log(folder.Root() / "messages.log"); log) {
    std::string line;
    while (std::getline(log, line))
      std::fprintf(stderr, "message box: %s\n", line.c_str());
  }
  OverrideProgramFile("");
  return result;
}
