// The editor's main window. Its creation builds the working set (editor mode, the sound
// library started, the database, a fresh working folder, the map tree and the current
// map, the placement and flags from the settings, the project manager with the last
// project) and its destruction takes it down again in the opposite order.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

class TFormArranger;
class TProjectManager;
class TXelMap;
class TXelMapTree;

class TFormXelMain : public QMainWindow {
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

  // The left column (palette above, map tree below) and the map area beside it.
  QWidget* Panel1;
  QWidget* Panel2;
  QWidget* Panel3;
  QWidget* MapArea;
  TFormArranger* FormArranger;

private:
  void FormCreate();
  void FormDestroy() noexcept;
  void CreateLayout();
  void MakeWorkingFolder();
};

// The main window of this run, or nothing.
extern TFormXelMain* FormXelMain;
