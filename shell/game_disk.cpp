#include "shell/game_disk.h"

#include <cstdio>

#include "core/atomic_file.h"
#include "core/file_utils.h"
#include "core/ini_file.h"
#include "core/material_folders.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "core/unlha_library.h"

namespace {

constexpr const char* SetupSection = "Setup";

std::string Format(const char* text, int number) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, text, number);
  return buffer;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

} // namespace

int TUnlhaArchiver::Run(const std::string& commandLine) {
  if (!UnlhaProc) return -1;
  return UnlhaProc(owner_, commandLine.c_str(), nullptr, 0);
}

bool TSystemDrive::IsFloppyDrive(const std::string& path) {
  return ::IsFloppyDrive(path);
}

bool TSystemDrive::IsDriveEmpty(const std::string& path) {
  return ::IsDriveEmpty(path);
}

std::string TSystemDrive::FindFloppyDrive() {
  std::string drive;
  ::FindFloppyDrive(drive);
  return drive;
}

std::string GetGameDiskWorkFolder() {
  return GetWorkingFolder() + "GameDisk/";
}

std::string DefaultGameDiskDestination(TGameDiskDrive& drive) {
  const std::string floppy = drive.FindFloppyDrive();
  return IncludeTrailingBackslash(floppy.empty() ? GetHomeFolder() : floppy);
}

bool TGameDiskMaker::Start(const std::string& destination, bool includeRtp) {
  // An empty destination would otherwise become the root folder.
  destination_ = destination.empty() ? "" : IncludeTrailingBackslash(destination);
  bool completed = false;
  try {
    completed = Make(includeRtp);
  } catch (...) {
    // Whatever broke, the author hears that the disk was not made.
  }
  busy_.reset();
  // Only a disk whose project was left as it was counts as made.
  completed = CleanUp() && completed;
  if (completed)
    services_.Prompts.Inform(SGameDiskCompleted);
  else
    services_.Prompts.ReportError(SGameDiskStopped);
  return completed;
}

bool TGameDiskMaker::Make(bool includeRtp) {
  IncludeRtpOption.Set(includeRtp);
  if (destination_.empty() || ProjectPath.empty() ||
      (includeRtp && GetRuntimePackagePath().empty()))
    return false;
  projectName_ = ExtractFileName(ProjectPath.substr(0, ProjectPath.size() - 1));
  if (!PrepareWorkFolder()) return false;
  busy_.emplace();
  WriteResponseFile(includeRtp);
  if (!Archive(includeRtp)) return false;
  int pieces = 0;
  const bool floppy = services_.Drive.IsFloppyDrive(destination_);
  if (floppy) {
    pieces = SplitFileToPieces(archive_, work_, FirstFloppyPieceSize, FloppyPieceSize);
    Tell(Format(SFloppyDisksNecessary, pieces));
  }
  WriteSetupIni(pieces);
  const std::string program = GetProgramFolder();
  sources_ = {work_ + SetupIniName, program + SetupProgramTemplateName, program + UnlhaFileName,
              program + ArchiverTextName};
  targets_ = {destination_ + SetupIniName, destination_ + SetupProgramName,
              destination_ + ArchiverDiskName, destination_ + ArchiverTextName};
  return floppy ? CopyToFloppies(pieces) : CopyWhole();
}

bool TGameDiskMaker::PrepareWorkFolder() {
  work_ = GetGameDiskWorkFolder();
  // Pieces of an earlier disk must not end up on this one.
  if (!DeleteFolderTree(work_)) return false;
  ForceDirectories(work_, 0700);
  archive_ = work_ + projectName_ + ".lzh";
  return true;
}

void TGameDiskMaker::WriteResponseFile(bool includeRtp) {
  const std::string package = GetRuntimePackagePath();
  std::string list;
  auto line = [&list](const std::string& text) { list += text + "\r\n"; };
  auto materialFolders = [&](const std::string& base) {
    line(Quoted(base));
    for (const char* folder : MaterialFolderNames)
      line(folder);
  };
  if (includeRtp) materialFolders(package);
  materialFolders(ProjectPath);
  for (const char* file : {"KOVAX.exe", "KOVAX.ldb", "KOVAX.ini", "KOVAX.lmt", "Map????.lmu"})
    line(file);
  if (includeRtp) {
    line(Quoted(package));
    line(TunaraFileName);
  }
  WriteFileAtomically(work_ + "Response.lst", list);
}

bool TGameDiskMaker::Archive(bool includeRtp) {
  // The archived KOVAX.ini tells the game whether the package travels with it; the
  // project itself never keeps the mark.
  WriteFullPackageFlag(includeRtp);
  const int result = services_.Archiver.Run("a -+ -r2 -d " + Quoted(archive_) + " @" +
                                            Quoted(work_ + "Response.lst"));
  WriteFullPackageFlag(false);
  return result == 0;
}

void TGameDiskMaker::WriteSetupIni(int diskNumber) {
  TIniFile ini;
  ini.WriteString(SetupSection, "ProjectName", projectName_);
  ini.WriteString(SetupSection, "GameTitle", ReadGameTitle(ProjectPath));
  ini.WriteInteger(SetupSection, "DiskNumber", diskNumber);
  WriteFileAtomically(work_ + SetupIniName, ini.ToBytes());
}

bool TGameDiskMaker::CopyWhole() {
  sources_.push_back(archive_);
  targets_.push_back(destination_ + ExtractFileName(archive_));
  return services_.Copier.Copy(sources_, targets_);
}

bool TGameDiskMaker::CopyToFloppies(int pieces) {
  for (int disk = 1; disk <= pieces; ++disk) {
    // The first disk carries the setup files, the later ones only their piece.
    if (disk > 1) {
      sources_.clear();
      targets_.clear();
    }
    do {
      if (!Ask(Format(SPrepareFloppyDisk, disk))) return false;
    } while (!services_.Drive.IsDriveEmpty(destination_));
    const std::string piece = projectName_ + Format(".%.3d", disk);
    sources_.push_back(work_ + piece);
    targets_.push_back(destination_ + piece);
    if (!services_.Copier.Copy(sources_, targets_)) return false;
  }
  return true;
}

bool TGameDiskMaker::Ask(const std::string& text) {
  busy_.reset();
  const bool ok = services_.Prompts.Confirm(text);
  busy_.emplace();
  return ok;
}

void TGameDiskMaker::Tell(const std::string& text) {
  busy_.reset();
  services_.Prompts.Inform(text);
  busy_.emplace();
}

bool TGameDiskMaker::CleanUp() {
  bool flagRemoved = true;
  if (!ProjectPath.empty()) {
    try {
      WriteFullPackageFlag(false);
    } catch (...) {
      flagRemoved = false;
    }
  }
  if (!work_.empty()) DeleteFolderTree(work_);
  return flagRemoved;
}
