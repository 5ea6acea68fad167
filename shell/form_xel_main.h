// The editor's main window. Its creation builds the working set (editor mode, the sound
// library started, the database, a fresh working folder, the map tree and the current
// map, the placement and flags from the settings, the project manager with the last
// project) and its destruction takes it down again in the opposite order.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "framework/controls/form_xel_base.h"

class TFormArranger;
class TProjectManager;
class TSmartSplitter;
class TXelMap;
class TXelMapTree;

// On the form toolkit's base like every other window: handlers through On, F1, FormShow.
class TFormXelMain : public QMainWindow, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelMain(QWidget* parent = nullptr);
  ~TFormXelMain() override;

  // The working folder of this run ("VELM_TEMP" in the private temporary folder); empty
  // when it could not be made.
  std::string WorkingFolder;
  std::unique_ptr<TProjectManager> ProjectManager;
  std::unique_ptr<TXelMapTree> MapTree;
  std::unique_ptr<TXelMap> Map;
  std::string MapName;
  bool FullScreenFlag = true;
  bool ShowTitleFlag = false;

  // The left column (Panel3 for the tile palette above Splitter2, Panel2 for the map tree
  // below it), the fixed Splitter1 beside it, and the map area filling the rest.
  QWidget* Panel1;
  QWidget* Panel2;
  QWidget* Panel3;
  TSmartSplitter* Splitter1;
  TSmartSplitter* Splitter2;
  QWidget* MapArea;
  TFormArranger* FormArranger;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void FormCreate();
  // The project manager asks the author through the project dialogs.
  void WireProjectDialogs();
  void FormDestroy() noexcept;
  void CreateLayout();
  void MakeWorkingFolder();
};

// The main window of this run, or nothing.
extern TFormXelMain* FormXelMain;
