// Copies, moves, deletes or renames the files of two name lists, asking before it
// replaces a file or makes a folder, with a progress box that can cancel, as a file
// manager would. Names may end in a wildcard pattern ("folder/*.png").
#pragma once

#include <QObject>
#include <QStringList>

enum TFileOperationOption : unsigned {
  foMultiDestFiles = 1u << 0, // one destination name per source name
  foSilent = 1u << 1,         // no progress box
  foRenameOnCollision = 1u << 2,
  foNoConfirmation = 1u << 3, // replace without asking, make folders without asking
  foAllowUndo = 1u << 4,      // deleted files go to the trash
  foFilesOnly = 1u << 5,      // wildcards match files only
  foNoConfirmMkdir = 1u << 6,
  foNoErrorUI = 1u << 7,
};
using TFileOperationOptions = unsigned;

enum TFileOperationFunc { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };

class QWidget;

class TFileOperation : public QObject {
  Q_OBJECT
public:
  explicit TFileOperation(QObject* owner = nullptr);

  QStringList SourceFiles;
  QStringList DestFiles;
  TFileOperationOptions Options = 0;

  // True when every file was done; false when the author cancelled or any file failed.
  bool Execute(TFileOperationFunc func);
  bool Copy() { return Execute(FO_COPY); }

private:
  QWidget* OwnerWindow() const;
};
