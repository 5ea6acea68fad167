// Making a game disk of the open project: the project is packed into an LHA archive by the
// archiver library and copied with the setup program, its "Setup.ini" and the archiver
// beside it to the destination, whole into a folder or cut into pieces for floppy disks.
// The procedure reaches the archiver, the file copies, the drive and the message boxes
// through the small interfaces below, so tests can script the drive and the archiver's
// result; the pack dialog only hands in the destination and the package option.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/busy_cursor.h"
#include "core/settings.h"

inline constexpr const char* SFloppyDisksNecessary = "There's %d of 1.44MB Floppy Disks Necessary";
inline constexpr const char* SPrepareFloppyDisk = "Prepare %d of formatted disks";
inline constexpr const char* SGameDiskCompleted = "The preparation of the game disk was completed";
inline constexpr const char* SGameDiskStopped = "The preparation of the game disk was stopped";

// Setup files beside the program, and the names they get on the disk.
inline constexpr const char* SetupProgramTemplateName = "Setup.exe.dat";
inline constexpr const char* SetupProgramName = "Setup.exe";
inline constexpr const char* SetupIniName = "Setup.ini";
inline constexpr const char* ArchiverDiskName = "UNLHA32.DLL";
inline constexpr const char* ArchiverTextName = "UNLHA32.TXT";

// Floppy pieces: the first disk also carries the setup files.
inline constexpr long long FirstFloppyPieceSize = 640000;
inline constexpr long long FloppyPieceSize = 1440000;

class TGameDiskArchiver {
public:
  virtual ~TGameDiskArchiver() = default;
  // Runs an archiver command line; 0 is success.
  virtual int Run(const std::string& commandLine) = 0;
};

class TGameDiskCopier {
public:
  virtual ~TGameDiskCopier() = default;
  // Copies each source to the destination name at the same place, replacing without
  // asking. True only when every file was copied.
  virtual bool Copy(const std::vector<std::string>& sources,
                    const std::vector<std::string>& destinations) = 0;
};

class TGameDiskDrive {
public:
  virtual ~TGameDiskDrive() = default;
  virtual bool IsFloppyDrive(const std::string& path) = 0;
  virtual bool IsDriveEmpty(const std::string& path) = 0;
  // The first floppy drive's root, or "" when there is none.
  virtual std::string FindFloppyDrive() = 0;
};

class TGameDiskPrompts {
public:
  virtual ~TGameDiskPrompts() = default;
  virtual void Inform(const std::string& text) = 0;
  virtual void ReportError(const std::string& text) = 0;
  // OK/Cancel; true for OK.
  virtual bool Confirm(const std::string& text) = 0;
};

// The library loaded at start-up, through UnlhaProc; a missing library is a failure.
class TUnlhaArchiver : public TGameDiskArchiver {
public:
  explicit TUnlhaArchiver(void* ownerWindow) : owner_(ownerWindow) {}
  int Run(const std::string& commandLine) override;

private:
  void* owner_;
};

// The drive tests of the file utilities.
class TSystemDrive : public TGameDiskDrive {
public:
  bool IsFloppyDrive(const std::string& path) override;
  bool IsDriveEmpty(const std::string& path) override;
  std::string FindFloppyDrive() override;
};

struct TGameDiskServices {
  TGameDiskArchiver& Archiver;
  TGameDiskCopier& Copier;
  TGameDiskDrive& Drive;
  TGameDiskPrompts& Prompts;
};

// The work folder of a game disk inside the private working folder.
std::string GetGameDiskWorkFolder();
// Where a disk goes unless the author picks another place: the first floppy drive, else
// the home folder (there is no drive A: to fall back on).
std::string DefaultGameDiskDestination(TGameDiskDrive& drive);
// The pack dialog's "Include all RTP files" choice, kept between runs.
inline const TOption<bool> IncludeRtpOption{SettingsSection, "IncludeRtpOption", false};

class TGameDiskMaker {
public:
  explicit TGameDiskMaker(const TGameDiskServices& services) : services_(services) {}

  // Packs the open project (ProjectPath) to Destination, with the run-time package's
  // materials too when IncludeRtp. Ends with the completed box and true, or, after any
  // failure, with the stopped box and false. Either way the work folder is removed and
  // the project's "FullPackageFlag" is gone.
  bool Start(const std::string& destination, bool includeRtp);

private:
  bool Make(bool includeRtp);
  bool PrepareWorkFolder();
  void WriteResponseFile(bool includeRtp);
  bool Archive(bool includeRtp);
  void WriteSetupIni(int diskNumber);
  bool CopyWhole();
  bool CopyToFloppies(int pieces);
  // Shows a box with the hourglass lifted, since the author has to answer or read it.
  bool Ask(const std::string& text);
  void Tell(const std::string& text);
  // Removes the flag and the work folder; false when the flag could not be removed.
  bool CleanUp();

  TGameDiskServices services_;
  std::string destination_;
  std::string work_;
  std::string projectName_;
  std::string archive_;
  std::vector<std::string> sources_;
  std::vector<std::string> targets_;
  std::optional<TBusyCursor> busy_;
};
