// The main window's actions, menus, tool bars and status bar, built from one table.
#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "framework/controls/align_layout.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"
#include "shell/form_xel_main.h"
#include "shell/project_manager.h"
#include "shell/shell_messages.h"

namespace {

struct TActionSpec {
  QAction* TFormXelMain::*Member;
  const char* Name;
  int Tag;
  const char* Caption;
  const char* ShortCut;
  const char* Hint;
  int Glyph;
};

using F = TFormXelMain;
const TActionSpec ActionSpecs[] = {
    {&F::Action_ProjectNew, "Action_ProjectNew", 0, "Create &new project...", "",
     "Create a new game starting from scratch", tgProjectNew},
    {&F::Action_ProjectOpen, "Action_ProjectOpen", 0, "&Open project...", "",
     "Click here to open your previously saved Velmora game", tgProjectOpen},
    {&F::Action_ProjectClose, "Action_ProjectClose", 0, "Close project", "",
     "Click here if you want to close your current project", tgProjectClose},
    {&F::Action_ProjectPack, "Action_ProjectPack", 0, "Make Game disk...", "",
     "Create a self-extracting exe file. So you can distribute your game to your family and "
     "friends",
     tgProjectPack},
    {&F::Action_Exit, "Action_Exit", 0, "E&xit", "Alt+F4", "Click here to exit Velmora Studio",
     tgExit},
    {&F::Action_MapSave, "Action_MapSave", 0, "&Save map...", "Ctrl+S",
     "Save current Map to the disk", tgMapSave},
    {&F::Action_MapRevert, "Action_MapRevert", 0, "&Revert map...", "Ctrl+R", "Restore Map changes",
     tgMapRevert},
    {&F::Action_MapModeLayer1, "Action_MapModeLayer1", 1, "&Lower Layer Mode", "F5",
     "Switch to Lower Mode Editing", tgModeLower},
    {&F::Action_MapModeLayer2, "Action_MapModeLayer2", 2, "&Upper Layer Mode", "F6",
     "Switch to Upper Mode Editing", tgModeUpper},
    {&F::Action_MapModeEvent, "Action_MapModeEvent", 3, "&Event Mode", "F7",
     "Switch to Event Editing Mode", tgModeEvent},
    {&F::Action_MapScale1, "Action_MapScale1", 1, "Zoom &1/1", "", "Zoom Map 1/1 (Standard)",
     tgScale1},
    {&F::Action_MapScale2, "Action_MapScale2", 2, "Zoom 1/&2", "", "Zoom Map 1/2", tgScale2},
    {&F::Action_MapScale3, "Action_MapScale3", 3, "Zoom 1/&4", "", "Zoom Map 1/4", tgScale4},
    {&F::Action_MapScale4, "Action_MapScale4", 4, "Zoom 1/&8", "", "Zoom Map 1/8", tgScale8},
    {&F::Action_ToolDataBase, "Action_ToolDataBase", 0, "&Data Base...", "F8",
     "A data base | there are hero and data such as item editors.", tgDataBase},
    {&F::Action_ToolMaterial, "Action_ToolMaterial", 0, "RAW &Material Editor...", "",
     "Export - Import of the RAW Pics, WAVs, MIDIs for current game", tgMaterial},
    {&F::Action_ToolSelectMusic, "Action_ToolSelectMusic", 0, "&BGM Selector...", "",
     "Select and Play BGM for fun", tgSelectMusic},
    {&F::Action_GameTestPlay, "Action_GameTestPlay", 0, "Test Play", "F9", "Test Your Game",
     tgTestPlay},
    {&F::Action_GameFullScreen, "Action_GameFullScreen", 0, "&Full screen", "",
     "Full Screen in Test Play Mode", tgFullScreen},
    {&F::Action_GameShowTitle, "Action_GameShowTitle", 0, "Show title", "",
     "Show Title in Test Play Mode", tgShowTitle},
    {&F::Action_HelpContents, "Action_HelpContents", 0, "Help &Contents", "F1", "Help Contents",
     tgHelpContents},
    {&F::Action_HelpAbout, "Action_HelpAbout", 0, "&About...", "", "About Velmora Studio version",
     tgHelpAbout},
    {&F::Action_MapToolUndo, "Action_MapToolUndo", 0, "Undo", "", "Undo Last Thing", tgUndo},
    {&F::Action_MapToolSelect, "Action_MapToolSelect", 1, "Select Region", "", "Select Tool",
     tgToolSelect},
    {&F::Action_MapToolZoom, "Action_MapToolZoom", 2, "Zoom", "", "Zoom Map", tgToolZoom},
    {&F::Action_MapToolPen, "Action_MapToolPen", 3, "Pen", "", "Select Pen (Single)", tgToolPen},
    {&F::Action_MapToolRectangle, "Action_MapToolRectangle", 4, "Rectangle", "", "Draw Rectangle",
     tgToolRectangle},
    {&F::Action_MapToolEllipse, "Action_MapToolEllipse", 5, "Ellipse", "", "Draw Ellipse",
     tgToolEllipse},
    {&F::Action_MapToolSeedFill, "Action_MapToolSeedFill", 6, "Fill Region", "",
     "Fast Fill Closed Region", tgToolFill},
};

// The part of a hint before "|" goes into the tool tip.
QString ShortHint(const QString& hint) {
  const int bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.left(bar);
}

QActionGroup* ExclusiveGroup(QObject* owner, std::initializer_list<QAction*> actions) {
  auto* group = new QActionGroup(owner);
  group->setExclusive(true);
  for (QAction* action : actions) {
    action->setCheckable(true);
    group->addAction(action);
  }
  return group;
}

void AddActions(QWidget* target, std::initializer_list<QAction*> actions) {
  for (QAction* action : actions) {
    if (action)
      target->addAction(action);
    else if (auto* bar = qobject_cast<QToolBar*>(target))
      bar->addSeparator();
    else if (auto* menu = qobject_cast<QMenu*>(target))
      menu->addSeparator();
  }
}

} // namespace

QString LongHint(const QString& hint) {
  const int bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.mid(bar + 1);
}

void TFormXelMain::CreateActions() {
  for (const TActionSpec& spec : ActionSpecs) {
    auto* action = new QAction(QString::fromLatin1(spec.Caption), this);
    action->setObjectName(QString::fromLatin1(spec.Name));
    action->setData(spec.Tag);
    action->setShortcut(QKeySequence(QString::fromLatin1(spec.ShortCut)));
    action->setStatusTip(QString::fromLatin1(spec.Hint));
    action->setToolTip(ShortHint(action->statusTip()));
    if (DataModule1) {
      QIcon icon(DataModule1->ImageListEx1.Image(spec.Glyph));
      icon.addPixmap(DataModule1->ImageListEx2.Image(spec.Glyph), QIcon::Disabled);
      action->setIcon(icon);
    }
    addAction(action);
    this->*spec.Member = action;
  }
  ModeGroup =
      ExclusiveGroup(this, {Action_MapModeLayer1, Action_MapModeLayer2, Action_MapModeEvent});
  ScaleGroup = ExclusiveGroup(
      this, {Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4});
  ToolGroup = ExclusiveGroup(this, {Action_MapToolSelect, Action_MapToolZoom, Action_MapToolPen,
                                    Action_MapToolRectangle, Action_MapToolEllipse,
                                    Action_MapToolSeedFill});
  Action_GameFullScreen->setCheckable(true);
  Action_GameShowTitle->setCheckable(true);

  On(Action_ProjectNew, &QAction::triggered, [this] { ProjectManager->ShowNewProjectDialog(); });
  On(Action_ProjectOpen, &QAction::triggered, [this] { ProjectManager->ShowOpenProjectDialog(); });
  On(Action_ProjectClose, &QAction::triggered, &TFormXelMain::Action_ProjectCloseExecute);
  On(Action_ProjectPack, &QAction::triggered, &TFormXelMain::Action_ProjectPackExecute);
  On(Action_Exit, &QAction::triggered, [this] { close(); });
  On(Action_MapSave, &QAction::triggered, &TFormXelMain::Action_MapSaveExecute);
  On(Action_MapRevert, &QAction::triggered, &TFormXelMain::Action_MapRevertExecute);
  for (QAction* action : ModeGroup->actions())
    On(action, &QAction::triggered, [this, action] { Action_MapModeExecute(action); });
  for (QAction* action : ScaleGroup->actions())
    On(action, &QAction::triggered, [this, action] { Action_MapScaleExecute(action); });
  for (QAction* action : ToolGroup->actions())
    On(action, &QAction::triggered, [this, action] { Action_MapToolExecute(action); });
  On(Action_ToolDataBase, &QAction::triggered, &TFormXelMain::Action_ToolDataBaseExecute);
  On(Action_ToolMaterial, &QAction::triggered, &TFormXelMain::Action_ToolMaterialExecute);
  On(Action_ToolSelectMusic, &QAction::triggered, &TFormXelMain::Action_ToolSelectMusicExecute);
  On(Action_GameTestPlay, &QAction::triggered, &TFormXelMain::Action_GameTestPlayExecute);
  On(Action_GameFullScreen, &QAction::triggered, &TFormXelMain::Action_GameFullScreenExecute);
  On(Action_GameShowTitle, &QAction::triggered, &TFormXelMain::Action_GameShowTitleExecute);
  On(Action_HelpContents, &QAction::triggered, &TFormXelMain::Action_HelpContentsExecute);
  On(Action_HelpAbout, &QAction::triggered, &TFormXelMain::Action_HelpAboutExecute);
  On(Action_MapToolUndo, &QAction::triggered, &TFormXelMain::Action_MapToolUndoExecute);
}

void TFormXelMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto addMenu = [](QWidget* parent, const char* name, const char* caption) {
    QMenu* menu = qobject_cast<QMenuBar*>(parent)
                      ? static_cast<QMenuBar*>(parent)->addMenu(QString::fromLatin1(caption))
                      : static_cast<QMenu*>(parent)->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  AddActions(addMenu(bar, "MenuProject", "&Project"),
             {Action_ProjectNew, Action_ProjectOpen, Action_ProjectClose, nullptr,
              Action_ProjectPack, nullptr, Action_Exit});
  QMenu* map = addMenu(bar, "MenuMap", "&Map");
  AddActions(map, {Action_MapSave, Action_MapRevert, nullptr});
  AddActions(addMenu(map, "MenuMapEdit", "&Edit"),
             {Action_MapModeLayer1, Action_MapModeLayer2, Action_MapModeEvent});
  AddActions(addMenu(map, "MenuMapScale", "&Scale"),
             {Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4});
  AddActions(addMenu(bar, "MenuTool", "&Tool"),
             {Action_ToolDataBase, Action_ToolMaterial, Action_ToolSelectMusic});
  QMenu* game = addMenu(bar, "MenuGame", "&Game");
  AddActions(game, {Action_GameTestPlay, nullptr, Action_GameFullScreen});
  // The menu names this action differently from its tool button; it follows the action.
  QAction* showTitle = game->addAction(QStringLiteral("Show Game &Title"));
  showTitle->setObjectName(QStringLiteral("MenuGameShowTitle"));
  showTitle->setCheckable(true);
  showTitle->setStatusTip(Action_GameShowTitle->statusTip());
  QObject::connect(Action_GameShowTitle, &QAction::changed, showTitle, [this, showTitle] {
    showTitle->setChecked(Action_GameShowTitle->isChecked());
    showTitle->setEnabled(Action_GameShowTitle->isEnabled());
  });
  QObject::connect(showTitle, &QAction::triggered, Action_GameShowTitle, &QAction::trigger);
  AddActions(addMenu(bar, "MenuHelp", "&Help"), {Action_HelpContents, nullptr, Action_HelpAbout});
}

void TFormXelMain::CreateToolBars() {
  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  AddActions(ToolBar1, {Action_ProjectNew,
                        Action_ProjectOpen,
                        Action_ProjectClose,
                        nullptr,
                        Action_MapSave,
                        nullptr,
                        Action_MapModeLayer1,
                        Action_MapModeLayer2,
                        Action_MapModeEvent,
                        nullptr,
                        Action_MapScale1,
                        Action_MapScale2,
                        Action_MapScale3,
                        Action_MapScale4,
                        nullptr,
                        Action_ToolDataBase,
                        Action_ToolMaterial,
                        Action_ToolSelectMusic,
                        nullptr,
                        Action_GameTestPlay});
  // The map tools sit above the palette.
  ToolBar2 = new QToolBar(Panel1);
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  AddActions(ToolBar2, {Action_MapToolUndo, nullptr, Action_MapToolSelect, Action_MapToolZoom,
                        Action_MapToolPen, Action_MapToolRectangle, Action_MapToolEllipse,
                        Action_MapToolSeedFill});
  // Seven buttons fit the palette's width only when packed as tightly as the design's.
  ToolBar2->setIconSize(QSize(ToolGlyphSize, ToolGlyphSize));
  ToolBar2->setStyleSheet(QStringLiteral("QToolButton { padding: 1px; margin: 0px; }"));
  ToolBar2->layout()->setSpacing(0);
  ToolBar2->resize(ToolBar2->width(), ToolBar2->sizeHint().height());
  static_cast<TAlignLayout*>(Panel1->layout())->AddControl(ToolBar2, alTop);
}

namespace {

// The hint panel beside the mode panel within the main window's least width of 720.
constexpr int HintPanelMostWidth = 440;

} // namespace

void TFormXelMain::CreateStatusBar() {
  StatusBar = statusBar();
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(true);
  int widths[] = {320, 144, 0};
  // The hint panel fits the longest hint with the fonts at hand, as far as the window's
  // least width leaves room; a longer hint shows whole in the panel's tool tip. Once one
  // hint fills that room, measuring the others (text shaping) would change nothing.
  const QFontMetrics metrics = StatusBar->fontMetrics();
  for (const TActionSpec& spec : ActionSpecs) {
    if (widths[0] >= HintPanelMostWidth) break;
    widths[0] = std::max(widths[0],
                         metrics.horizontalAdvance(LongHint(QString::fromLatin1(spec.Hint))) + 8);
  }
  widths[0] = std::min(widths[0], HintPanelMostWidth);
  // The mode panel fits its longest text with the fonts at hand.
  for (const char* text : {SLowerLayerMode, SUpperLayerMode, SEventMode})
    widths[1] = std::max(widths[1], metrics.horizontalAdvance(text) + 8);
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel(StatusBar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    if (widths[i]) panel->setFixedWidth(widths[i]);
    StatusBar->addWidget(panel, widths[i] ? 0 : 1);
    StatusPanels[size_t(i)] = panel;
  }
}
