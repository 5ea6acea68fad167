#include "shell/startup.h"

#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <future>
#include <memory>
#include <thread>
#include <unistd.h>

#include "core/busy_cursor.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "core/unlha_library.h"
#include "framework/controls/framework_messages.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_clipboard.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_xel_base.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"
#include "shell/form_xel_main.h"
#include "shell/map/map_read_ahead.h"
#include "shell/project_manager.h"
#include "shell/shell_messages.h"
#include "shell/single_instance.h"
#include "shell/splash.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminateSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = saved;
}

// A request to terminate (logging out, kill, Ctrl+C) closes the main window as its close
// button does, so the working folder goes and the settings are kept.
void CloseOnTerminateSignals(QObject* context) {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [] {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (FormXelMain)
      FormXelMain->close();
    else
      QApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminateSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal, &action, nullptr);
}

void ShowBusyCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

// A start-up refusal: a plain OK box, then the program ends.
int Refuse(const char* text) {
  ShowMessageBox(QString::fromLatin1(text), MB_OK);
  return 1;
}

// The checks that stand before any window; 0 when the editor may start.
int CheckSurroundings() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !DisplayIsUsable(screen->size().width(), screen->size().height(), screen->depth()))
    return Refuse(SDisplayTooSmall);
  const std::string runtimePackage = GetRuntimePackagePath();
  if (runtimePackage.empty()) return Refuse(SInstallRtp);
  if (!LoadSoundLibrary(runtimePackage)) return Refuse(STunaraNotFound);
  if (!UnlhaLibrary) return Refuse(SUnlhaNotFound);
  return 0;
}

int RunEditor(QApplication& application, std::future<QImage>& splashPicture,
              std::future<TToolGlyphs>& toolGlyphs) {
  // The window is made and shown while its picture is still being drawn; nothing paints
  // it before the picture is in.
  auto splash = std::make_unique<TFormSplash>(SplashPictureSize());
  FormSplash = splash.get();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    splash->move(screen->geometry().center() - splash->rect().center());
  splash->show();
  splash->ShowPicture(splashPicture.get());
  splash->repaint();
  int result;
  {
    // The tool bars of the main window take their glyphs from the data module.
    TDataModule1 dataModule(toolGlyphs.get());
    DataModule1 = &dataModule;
    const auto main = std::make_unique<TFormXelMain>();
    result = application.exec();
  }
  DataModule1 = nullptr;
  FormSplash = nullptr;
  return result;
}

} // namespace

bool DisplayIsUsable(int width, int height, int depth) {
  return depth >= 16 && width >= 800 && height >= 600;
}

int ProgramMain(int argc, char** argv) {
  // The sound library loads while the application connects to the display; the check of
  // it still comes in its turn below.
  if (const std::string runtimePackage = GetRuntimePackagePath(); !runtimePackage.empty())
    PreloadSoundLibrary(runtimePackage);
  // So does the font configuration, which the first text measured would otherwise wait
  // for; fontconfig's set-up is safe from any thread, and done once.
  std::jthread fontSetUp([] { FcInit(); });
  TXelApplication application(argc, argv, &IsEditorForm);
  QApplication::setApplicationName(QStringLiteral("velmora-studio"));
  QApplication::setWindowIcon(ProgramIcon());
  SetBusyHook(&ShowBusyCursor);
  // Copies and pastes of records go through the desktop's clipboard.
  TQtClipboard clipboard;
  SetClipboardProvider(&clipboard);
  LoadUnlhaLibrary();
  std::unique_ptr<TMessageLogBoxes> messageLog;
  if (const char* logFile = std::getenv("VELMORA_MESSAGE_LOG"); logFile && *logFile) {
    messageLog = std::make_unique<TMessageLogBoxes>(logFile);
    SetMessageBoxProvider(messageLog.get());
  }
  SetApplicationTitle(QString::fromLatin1(SStartupCaption));
  fontSetUp.join();

  int result = 1;
  try {
    // The splash picture (its file read, its texts set in the machine's fonts) and the
    // tool glyphs are drawn beside the checks and the making of the splash window.
    // Painting on an image is safe off the GUI thread; each future waits for its thread
    // on every way out.
    std::future<QImage> splashPicture =
        std::async(std::launch::async | std::launch::deferred, &SplashPicture);
    std::future<TToolGlyphs> toolGlyphs =
        std::async(std::launch::async | std::launch::deferred, &DrawToolGlyphs);
    TSingleInstance instance;
    if (!instance.Acquire()) {
      TSingleInstance::AskFirstToComeForward();
      result = 0;
    } else if (result = CheckSurroundings(); result == 0) {
      instance.Listen([] { BringFormToFront(FormXelMain); });
      SetApplicationTitle(QString::fromLatin1(SApplicationTitle));
      CloseOnTerminateSignals(&application);
      // The last project's database is read while the splash and the main window are
      // made; the main window takes it when it opens that project.
      TDataBaseReadAhead dataBaseReadAhead;
      DataBaseReadAhead = &dataBaseReadAhead;
      // So is the map it had open.
      TMapReadAhead mapReadAhead(LastProjectFolder());
      MapReadAhead = &mapReadAhead;
      result = RunEditor(application, splashPicture, toolGlyphs);
    }
  } catch (...) {
    ShowCurrentException(nullptr);
    result = 1;
  }
  DataBaseReadAhead = nullptr;
  MapReadAhead = nullptr;
  FreeSoundLibrary();
  FreeUnlhaLibrary();
  SetBusyHook(nullptr);
  SetClipboardProvider(nullptr);
  SetMessageBoxProvider(nullptr);
  return result;
}
