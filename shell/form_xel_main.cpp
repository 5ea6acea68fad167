#include "shell/form_xel_main.h"

#include <QFont>
#include <QKeyEvent>
#include <QShowEvent>
#include <QToolTip>

#include "core/atomic_file.h"
#include "core/database.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "framework/controls/align_layout.h"
#include "framework/controls/error_guard.h"
#include "framework/controls/form_arranger.h"
#include "framework/controls/message_box.h"
#include "framework/controls/smart_splitter.h"
#include "framework/controls/window_placement.h"
#include "shell/project_dialogs.h"
#include "shell/project_manager.h"
#include "shell/project_pack.h"
#include "shell/shell_pictures.h"

TFormXelMain* FormXelMain = nullptr;

namespace {

constexpr int MainFormWidth = 800;
constexpr int LeftColumnWidth = 214;
constexpr int MapTreeHeight = 164;
constexpr int MapTreeMinHeight = 52;

QWidget* AddPanel(QWidget* parent, const char* name) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

} // namespace

TFormXelMain::TFormXelMain(QWidget* parent) : QMainWindow(parent), TFormXelCommon(this, 0) {
  setObjectName(QStringLiteral("FormXelMain"));
  FormCreate();
}

TFormXelMain::~TFormXelMain() {
  FormDestroy();
}

void TFormXelMain::CreateLayout() {
  auto* client = AddPanel(this, "ClientPanel");
  auto* layout = new TAlignLayout(client);
  Panel1 = AddPanel(client, "Panel1");
  Panel1->resize(LeftColumnWidth, Panel1->height());
  layout->AddControl(Panel1, alLeft);
  Splitter1 = new TSmartSplitter(client, alLeft);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  // The column keeps the palette's width: this splitter neither drags nor rescales it.
  Splitter1->setEnabled(false);
  Splitter1->SetAutoResize(false);
  layout->AddControl(Splitter1, alLeft);
  MapArea = AddPanel(client, "MapArea");
  layout->AddControl(MapArea, alClient);

  auto* column = new TAlignLayout(Panel1);
  Panel2 = AddPanel(Panel1, "Panel2");
  Panel2->resize(Panel2->width(), MapTreeHeight);
  column->AddControl(Panel2, alBottom);
  Splitter2 = new TSmartSplitter(Panel1, alBottom);
  Splitter2->setObjectName(QStringLiteral("Splitter2"));
  Splitter2->SetMinSize(MapTreeMinHeight);
  Splitter2->SetPercentage(50.0);
  column->AddControl(Splitter2, alBottom);
  Panel3 = AddPanel(Panel1, "Panel3");
  column->AddControl(Panel3, alClient);
  setCentralWidget(client);
}

void TFormXelMain::FormCreate() {
  FormXelMain = this;
  SetMainForm(this);
  setWindowTitle(ApplicationTitle());
  setWindowIcon(ProgramIcon());
  QToolTip::setFont(QFont(QStringLiteral("Arial")));
  CreateLayout();
  LoadScreenCursors();
  SetApplicationTag(EditorModeTag);
  if (TunaraLibrary) {
    Tunara.TunaraCreate();
    Tunara.TunaraInitWave();
  }
  GlobalDataBase = new TXelDataBase();
  MakeWorkingFolder();
  MapTree = std::make_unique<TXelMapTree>();
  Map = std::make_unique<TXelMap>();
  FullScreenFlag = GetFullScreenFlag();
  ShowTitleFlag = GetShowTitleFlag();
  resize(MainFormWidth, height());
  FormArranger = new TFormArranger(this);
  FormArranger->KeyName = "Orvane\\VELMORA";
  FormArranger->Restore(true);
  ProjectManager = std::make_unique<TProjectManager>(this);
  WireProjectDialogs();
  ProjectManager->OpenLastProject();
  show();
  if (windowState() == Qt::WindowNoState) KeepFormOnScreen(this);
}

void TFormXelMain::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QMainWindow::keyPressEvent(event);
}

void TFormXelMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  HandleShow(event);
}

void TFormXelMain::WireProjectDialogs() {
  ProjectManager->QueryNewProject = [this](TProjectManager*, std::string& folderName,
                                           std::string& title) {
    TFormProjectNew dialog(this);
    if (!dialog.Execute()) return false;
    folderName = dialog.FolderName;
    title = dialog.Title;
    return true;
  };
  ProjectManager->QueryOpenProject = [this](TProjectManager*, std::string& folderName) {
    TFormProjectOpen dialog(this);
    if (!dialog.Execute()) return false;
    folderName = dialog.ChosenFolder;
    return true;
  };
  ProjectManager->GameDiskDialog = [this](TProjectManager*) {
    TFormProjectPack dialog(this);
    dialog.Execute();
  };
}

void TFormXelMain::MakeWorkingFolder() {
  // Working copies of maps left by an earlier run are never taken for this run's.
  try {
    const std::string folder = GetWorkingFolder();
    if (!DeleteFolderTree(folder)) throw EFileError(FileMessage(SCannotCreateFolder, folder));
    ForceDirectories(folder, 0700);
    WorkingFolder = folder;
  } catch (...) {
    ShowCurrentException(this);
  }
}

void TFormXelMain::FormDestroy() noexcept {
  if (TunaraLibrary) Tunara.TunaraRelease();
  ProjectManager.reset();
  if (!WorkingFolder.empty()) DeleteFolderTree(WorkingFolder);
  Map.reset();
  MapTree.reset();
  delete GlobalDataBase;
  GlobalDataBase = nullptr;
  try {
    FormArranger->Save();
    SetFullScreenFlag(FullScreenFlag);
    SetShowTitleFlag(ShowTitleFlag);
  } catch (...) {
    // Settings that cannot be written at exit are simply not kept.
  }
  if (MainForm() == this) SetMainForm(nullptr);
  if (FormXelMain == this) FormXelMain = nullptr;
}
