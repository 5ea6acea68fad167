#include "framework/controls/file_operation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/file_utils.h"
#include "framework/controls/controls2_messages.h"
#include "framework/controls/message_box.h"
#include "framework/controls/window_placement.h"

namespace fs = std::filesystem;

namespace {

struct TPair {
  QString Source;
  QString Target;
};

bool HasWildcard(const QString& name) {
  return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

fs::path ToPath(const QString& name) {
  return fs::path(name.toStdString());
}

// The source names with their wildcards expanded, in the order given.
QStringList ExpandSources(const QStringList& sources, bool filesOnly, QStringList& missing) {
  QStringList expanded;
  for (const QString& source : sources) {
    const QFileInfo info(source);
    if (!HasWildcard(info.fileName())) {
      if (info.exists() || info.isSymLink())
        expanded << source;
      else
        missing << source;
      continue;
    }
    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (!filesOnly) filters |= QDir::Dirs;
    const QDir folder(info.path());
    for (const QString& name : folder.entryList({info.fileName()}, filters, QDir::Name))
      expanded << folder.filePath(name);
  }
  return expanded;
}

// A free name beside an existing one: "Copy of name", then "Copy (2) of name" and so on.
QString CollisionName(const QString& target) {
  const QFileInfo info(target);
  const QDir folder = info.dir();
  QString name = QString::fromLatin1(SFileOperationCopyOf).arg(info.fileName());
  for (int k = 2; QFileInfo::exists(folder.filePath(name)); ++k)
    name = QString::fromLatin1(SFileOperationCopyNOf).arg(k).arg(info.fileName());
  return folder.filePath(name);
}

void SyncFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// One file through a temporary file beside the target, so a failed copy never leaves a
// damaged or half-replaced target.
void CopyOneFile(const fs::path& source, const fs::path& target) {
  fs::path temporary = target;
  temporary += ".velmora-copy";
  std::error_code ec;
  fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
  if (!ec) {
    SyncFile(temporary);
    fs::rename(temporary, target, ec);
  }
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw fs::filesystem_error(ec.message(), source, target, ec);
  }
}

// A folder and everything in it; links are copied as links, never followed.
void CopyTree(const fs::path& source, const fs::path& target) {
  const fs::file_status status = fs::symlink_status(source);
  if (fs::is_symlink(status)) {
    std::error_code ec;
    fs::remove(target, ec);
    fs::copy_symlink(source, target);
  } else if (fs::is_directory(status)) {
    fs::create_directories(target);
    for (const fs::directory_entry& entry : fs::directory_iterator(source))
      CopyTree(entry.path(), target / entry.path().filename());
  } else {
    CopyOneFile(source, target);
  }
}

void MoveTree(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(target, ec)) &&
      fs::is_directory(fs::symlink_status(source, ec))) {
    // Into an existing folder: merge, as a copy would.
    CopyTree(source, target);
  } else {
    fs::rename(source, target, ec);
    if (!ec) return;
    if (ec != std::errc::cross_device_link)
      throw fs::filesystem_error(ec.message(), source, target, ec);
    CopyTree(source, target);
  }
  if (!DeleteFolderTree(source.string())) fs::remove(source);
}

void RemoveTree(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec))) {
    if (!DeleteFolderTree(path.string()))
      throw fs::filesystem_error("cannot delete the folder", path, ec);
  } else {
    fs::remove(path);
  }
}

} // namespace

TFileOperation::TFileOperation(QObject* owner) : QObject(owner) {}

QWidget* TFileOperation::OwnerWindow() const {
  if (auto* widget = qobject_cast<QWidget*>(parent())) return widget->window();
  return MainForm();
}

bool TFileOperation::Execute(TFileOperationFunc func) {
  QWidget* owner = OwnerWindow();
  const bool confirm = !(Options & foNoConfirmation);
  bool failed = false;
  auto fail = [&](const QString& name, const QString& reason) {
    failed = true;
    if (!(Options & foNoErrorUI))
      ShowErrorBox(QString::fromLatin1(SFileOperationFailed).arg(name, reason), owner);
  };

  QStringList missing;
  const QStringList sources = ExpandSources(SourceFiles, Options & foFilesOnly, missing);
  if (!missing.isEmpty()) {
    fail(missing.first(), QString::fromLatin1(SFileOperationNotFound));
    return false;
  }

  // Which name each source goes to.
  std::vector<TPair> pairs;
  auto makeFolder = [&](const QString& folder) {
    if (QFileInfo(folder).isDir()) return true;
    if (confirm && !(Options & foNoConfirmMkdir) &&
        ShowMessageBox(QString::fromLatin1(SFileOperationMakeFolder).arg(folder),
                       MB_YESNO | MB_ICONQUESTION, owner) != IDYES)
      return false;
    return QDir().mkpath(folder);
  };
  if (func == FO_COPY || func == FO_MOVE || func == FO_RENAME) {
    const bool multi = (Options & foMultiDestFiles) || func == FO_RENAME;
    for (qsizetype k = 0; k < sources.size(); ++k) {
      const QString name = QFileInfo(sources[k]).fileName();
      QString target;
      if (multi) {
        if (k >= DestFiles.size()) break;
        target = DestFiles[k];
        if (func != FO_RENAME && QFileInfo(target).isDir() && !QFileInfo(sources[k]).isDir())
          target = QDir(target).filePath(name);
      } else {
        const QString dest = DestFiles.value(0);
        if (dest.isEmpty()) break;
        if (QFileInfo(dest).isDir())
          target = QDir(dest).filePath(name);
        else if (sources.size() == 1 && SourceFiles.size() == 1 && !HasWildcard(SourceFiles[0]))
          target = dest;
        else
          target = QDir(dest).filePath(name);
      }
      pairs.push_back({sources[k], target});
    }
    if (pairs.size() < size_t(sources.size())) {
      fail(sources.value(qsizetype(pairs.size())), QString::fromLatin1(SFileOperationNotFound));
      return false;
    }
  } else {
    for (const QString& source : sources)
      pairs.push_back({source, QString()});
  }

  std::unique_ptr<QProgressDialog> progress;
  if (!(Options & foSilent)) {
    progress = std::make_unique<QProgressDialog>(QString::fromLatin1(SFileOperationProgress),
                                                 QString::fromLatin1(SFileOperationCancel), 0,
                                                 int(pairs.size()), owner);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
  }

  int done = 0;
  for (TPair& pair : pairs) {
    if (progress) {
      progress->setValue(done);
      if (progress->wasCanceled()) return false;
    }
    ++done;
    try {
      if (func == FO_DELETE) {
        if ((Options & foAllowUndo) && QFile::moveToTrash(pair.Source)) continue;
        RemoveTree(ToPath(pair.Source));
        continue;
      }
      if (QFileInfo(pair.Target).exists() || QFileInfo(pair.Target).isSymLink()) {
        if (func == FO_RENAME) {
          fail(pair.Source,
               QString::fromStdString(std::make_error_code(std::errc::file_exists).message()));
          break;
        }
        if (Options & foRenameOnCollision) {
          pair.Target = CollisionName(pair.Target);
        } else if (confirm && !QFileInfo(pair.Source).isDir()) {
          const int answer =
              ShowMessageBox(QString::fromLatin1(SFileOperationReplace).arg(pair.Target),
                             MB_YESNOCANCEL | MB_ICONEXCLAMATION, owner);
          if (answer == IDCANCEL) return false;
          if (answer == IDNO) continue;
        }
      }
      if (!makeFolder(QFileInfo(pair.Target).absolutePath())) return false;
      if (func == FO_COPY)
        CopyTree(ToPath(pair.Source), ToPath(pair.Target));
      else
        MoveTree(ToPath(pair.Source), ToPath(pair.Target));
    } catch (const std::exception& e) {
      // The shell's way: the first failure ends the operation.
      fail(pair.Source, QString::fromLocal8Bit(e.what()));
      break;
    }
  }
  if (progress) progress->setValue(int(pairs.size()));
  return !failed;
}
