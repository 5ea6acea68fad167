// The editor's side of a game disk: copies through the pack dialog's file operation and
// the editor's message boxes. With the archiver and the drive of game_disk.h they are
// everything the dialog hands the procedure.
#pragma once

#include "shell/game_disk.h"

class QWidget;
class TFileOperation;

class TFileOperationCopier : public TGameDiskCopier {
public:
  explicit TFileOperationCopier(TFileOperation& operation) : operation_(operation) {}
  bool Copy(const std::vector<std::string>& sources,
            const std::vector<std::string>& destinations) override;

private:
  TFileOperation& operation_;
};

class TMessageBoxPrompts : public TGameDiskPrompts {
public:
  explicit TMessageBoxPrompts(QWidget* parent) : parent_(parent) {}
  void Inform(const std::string& text) override;
  void ReportError(const std::string& text) override;
  bool Confirm(const std::string& text) override;

private:
  QWidget* parent_;
};

// The real services for a pack dialog: boxes over Dialog, copies by its Operation, the
// archive made with the main window as owner.
class TEditorGameDisk {
public:
  TEditorGameDisk(QWidget* dialog, TFileOperation& operation);
  // The procedure with these services; see TGameDiskMaker::Start.
  bool Start(const std::string& destination, bool includeRtp);

private:
  TUnlhaArchiver archiver_;
  TFileOperationCopier copier_;
  TSystemDrive drive_;
  TMessageBoxPrompts prompts_;
};
