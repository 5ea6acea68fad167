#include "shell/game_disk_editor.h"

#include "framework/controls/file_operation.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/window_placement.h"

namespace {

QStringList FileNames(const std::vector<std::string>& paths) {
  QStringList names;
  for (const std::string& path : paths)
    names << QString::fromStdString(path);
  return names;
}

} // namespace

bool TFileOperationCopier::Copy(const std::vector<std::string>& sources,
                                const std::vector<std::string>& destinations) {
  operation_.Options = foNoConfirmation | foMultiDestFiles;
  operation_.SourceFiles = FileNames(sources);
  operation_.DestFiles = FileNames(destinations);
  return operation_.Copy();
}

void TMessageBoxPrompts::Inform(const std::string& text) {
  ShowInfoBox(ToQString(text), parent_);
}

void TMessageBoxPrompts::ReportError(const std::string& text) {
  ShowErrorBox(ToQString(text), parent_);
}

bool TMessageBoxPrompts::Confirm(const std::string& text) {
  return ShowMessageBox(ToQString(text), MB_OKCANCEL | MB_ICONINFORMATION, parent_) == IDOK;
}

TEditorGameDisk::TEditorGameDisk(QWidget* dialog, TFileOperation& operation)
    : archiver_(MainForm()), copier_(operation), prompts_(dialog) {}

bool TEditorGameDisk::Start(const std::string& destination, bool includeRtp) {
  return TGameDiskMaker({archiver_, copier_, drive_, prompts_}).Start(destination, includeRtp);
}
