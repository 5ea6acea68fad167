// Start-up as the author meets it: each case runs the real program in its own process,
// on the offscreen platform, with private settings and temporary folders; message boxes
// go to a log file instead of the screen.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QWidget>
#include <csignal>
#include <filesystem>

#include "core/file_utils.h"
#include "framework/controls/message_box.h"
#include "shell/display_check.h"
#include "shell/single_instance.h"
#include "shell/startup.h"
#include "shell_test_env.h"

namespace fs = std::filesystem;

namespace {

class Startup : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    // The program in a folder of its own, so its ini file and its neighbours are ours.
    Mkdir("bin");
    std::error_code error;
    fs::create_hard_link(VELMORA_PROGRAM, Path("bin/velmora-studio"), error);
    if (error) fs::copy_file(VELMORA_PROGRAM, Path("bin/velmora-studio"));
    fs::create_symlink(UNLHA_LIBRARY, Path("bin/libunlha32.so"));
    Mkdir("rtp");
    fs::create_symlink(TUNARA_LIBRARY, Path("rtp/libtunara.so"));
    SetRuntimePackage(Path("rtp"));
  }
  void TearDown() override {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
    ShellTestEnv::TearDown();
  }

  void SetRuntimePackage(const std::string& folder) {
    Put("config/Orvane/VELMORA.ini", "[VELMORA]\r\nRuntimePackagePath=" + folder + "\r\n");
  }

  QProcessEnvironment Environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_MESSAGE_LOG", QString::fromStdString(Path("messages.log")));
    env.insert("VELMORA_SOUND_LOG", QString::fromStdString(Path("sound.log")));
    env.insert("VELMORA_SOUND", "null");
    if (!screen_.empty()) env.insert("QT_QPA_PLATFORM", QString::fromStdString(screen_));
    return env;
  }

  void Start(QProcess& process) {
    process.setProcessEnvironment(Environment());
    process.setProgram(QString::fromStdString(Path("bin/velmora-studio")));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    ASSERT_TRUE(process.waitForStarted());
  }

  // Runs the program to its end; its exit code.
  int Run() {
    QProcess process;
    Start(process);
    EXPECT_TRUE(process.waitForFinished(60000));
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  // Relative to the scratch folder.
  std::string WorkingFolder() const {
    return "tmp/velmora-" + std::to_string(getuid()) + "/VELM_TEMP/";
  }

  void ExpectOnlyBox(const char* text) {
    EXPECT_EQ(Get("messages.log"),
              std::string("Velmora Studio\t") + text + "\t" + std::to_string(MB_OK) + "\n");
    EXPECT_FALSE(Exists(WorkingFolder()));
  }

  std::string screen_;
  QProcess process_;
};

} // namespace

TEST(StartupChecks, DisplaySizeAndDepth) {
  EXPECT_TRUE(DisplayIsUsable(800, 600, 24));
  EXPECT_TRUE(DisplayIsUsable(800, 600, 16));
  EXPECT_FALSE(DisplayIsUsable(800, 600, 15));
  EXPECT_FALSE(DisplayIsUsable(1024, 576, 32));
  EXPECT_FALSE(DisplayIsUsable(799, 768, 32));
}

TEST_F(Startup, ATooSmallScreenIsRefused) {
  Put("screen.json", R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": 1024,
                         "height": 576, "logicalDpi": 96}]})");
  screen_ = "offscreen:configfile=" + Path("screen.json");
  EXPECT_EQ(Run(), 1);
  ExpectOnlyBox("Set your display to 800 x 600 High Color");
}

TEST_F(Startup, AnEmptyRuntimePackagePathIsRefused) {
  SetRuntimePackage("");
  EXPECT_EQ(Run(), 1);
  ExpectOnlyBox("Velmora Studio Error: Install English RTP");
}

TEST_F(Startup, APackageWithoutTheSoundLibraryIsRefused) {
  Mkdir("empty");
  SetRuntimePackage(Path("empty"));
  EXPECT_EQ(Run(), 1);
  ExpectOnlyBox("Tunara.dll not found");
}

TEST_F(Startup, AProgramFolderWithoutTheArchiverLibraryIsRefused) {
  fs::remove(Path("bin/libunlha32.so"));
  EXPECT_EQ(Run(), 1);
  ExpectOnlyBox("Unlha32.dll not found");
}

// An X display number that no server holds here: neither its socket nor its lock file.
std::string AbsentXDisplay() {
  for (int n = 97;; ++n) {
    const std::string number = std::to_string(n);
    if (!fs::exists("/tmp/.X11-unix/X" + number) && !fs::exists("/tmp/.X" + number + "-lock"))
      return ":" + number;
  }
}

TEST_F(Startup, WithoutAReachableDisplayItSaysSoOnOneLineAndEnds) {
  const std::string absent = AbsentXDisplay();
  struct {
    const char* platform;
    const char* display; // DISPLAY, or WAYLAND_DISPLAY for Wayland; nullptr: not set
  } rows[] = {{"xcb", nullptr}, {"xcb", absent.c_str()}, {"wayland", "velmora-no-compositor"}};
  for (const auto& row : rows) {
    QProcessEnvironment env = Environment();
    env.insert("QT_QPA_PLATFORM", row.platform);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Path("tmp")));
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (row.display)
      env.insert(row.platform[0] == 'x' ? "DISPLAY" : "WAYLAND_DISPLAY", row.display);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QString::fromStdString(Path("bin/velmora-studio")));
    process.start();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.platform;
    EXPECT_EQ(process.exitCode(), 1) << row.platform;
    EXPECT_EQ(process.readAllStandardError().toStdString(), std::string(NoDisplayMessage) + "\n");
  }
  EXPECT_FALSE(Exists("messages.log"));
  EXPECT_FALSE(Exists(WorkingFolder()));
}

TEST_F(Startup, ANormalStartMakesAFreshWorkingFolderAndANormalExitRemovesIt) {
  Put(WorkingFolder() + "Map0001.lmu", "left over");
  Start(process_);
  // The folder is emptied and made again after the sound starts: wait for that itself.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return FolderExists(Path(WorkingFolder())) && !Exists(WorkingFolder() + "Map0001.lmu");
      },
      std::chrono::seconds(60), HandleEvents));

  // A second start quits at once without a word.
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(process_.state(), QProcess::Running);

  kill(pid_t(process_.processId()), SIGTERM);
  ASSERT_TRUE(process_.waitForFinished(60000));
  EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process_.exitCode(), 0);
  EXPECT_FALSE(Exists(WorkingFolder()));
  EXPECT_FALSE(Exists("messages.log"));
  const std::string sound = Get("sound.log");
  EXPECT_EQ(sound.find("TunaraCreate()\nTunaraInitWave()\n"), 0u) << sound;
  // Released once at exit, whichever ways the window went down.
  const size_t release = sound.find("TunaraRelease()");
  EXPECT_NE(release, std::string::npos) << sound;
  EXPECT_EQ(sound.find("TunaraRelease()", release + 1), std::string::npos) << sound;
  // The placement and the test-play flags are kept.
  EXPECT_NE(Get("config/Orvane/VELMORA.ini").find("FormXelMain_Placement="), std::string::npos);
  EXPECT_NE(Get("config/Orvane/VELMORA.ini").find("FullScreenFlag=1"), std::string::npos);
}

TEST_F(Startup, AProgramFolderCopiedElsewhereKeepsItsOwnPackage) {
  // The copy: the program, its defaults file as the build wrote it, and the package in it;
  // no package named in the user's settings, and the build's package out of reach.
  fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/velmora-studio.defaults.ini",
                Path("bin/velmora-studio.defaults.ini"));
  const std::string defaults = Get("bin/velmora-studio.defaults.ini");
  EXPECT_NE(defaults.find("RuntimePackagePath=rtp/"), std::string::npos) << defaults;
  fs::rename(Path("rtp"), Path("bin/rtp"));
  fs::remove(Path("config/Orvane/VELMORA.ini"));
  Start(process_);
  // A refused start ends after its box; a working start makes its working folder.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return FolderExists(Path(WorkingFolder())) || process_.state() == QProcess::NotRunning;
      },
      std::chrono::seconds(60), HandleEvents));
  ASSERT_TRUE(FolderExists(Path(WorkingFolder()))) << Get("messages.log");
  kill(pid_t(process_.processId()), SIGTERM);
  ASSERT_TRUE(process_.waitForFinished(60000));
  EXPECT_EQ(process_.exitCode(), 0);
  EXPECT_FALSE(Exists("messages.log"));
}

TEST_F(Startup, ASecondStartBringsTheFirstEditorForward) {
  // This process plays the running editor, minimised.
  TSingleInstance first;
  ASSERT_TRUE(first.Acquire());
  QWidget window;
  window.showMinimized();
  int requests = 0;
  ASSERT_TRUE(first.Listen([&] {
    ++requests;
    BringFormToFront(&window);
  }));
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(WaitUntil([&] { return requests == 1; }, std::chrono::seconds(60), HandleEvents));
  EXPECT_FALSE(window.isMinimized());
  EXPECT_FALSE(Exists("messages.log"));
}

TEST_F(Startup, ASecondStartWhileTheFirstHasNoSocketYetJustQuits) {
  TSingleInstance first;
  ASSERT_TRUE(first.Acquire());
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(Exists("messages.log"));
  EXPECT_FALSE(Exists(WorkingFolder()));
}
