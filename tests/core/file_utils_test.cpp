#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/project_files.h"
#include "file_test_env.h"

namespace {

TEST(PathNames, TrailingSeparatorAndExtensions) {
  EXPECT_EQ(IncludeTrailingBackslash("/a/b"), "/a/b/");
  EXPECT_EQ(IncludeTrailingBackslash("/a/b/"), "/a/b/");
  EXPECT_EQ(IncludeTrailingBackslash(""), "/");
  EXPECT_EQ(ChangeFileExt("/x.y/game.lzh", ".001"), "/x.y/game.001");
  EXPECT_EQ(ChangeFileExt("/x.y/game", ".ini"), "/x.y/game.ini");
  EXPECT_EQ(ExtractFileExt("/x.y/HERO.PNG"), ".PNG");
  EXPECT_EQ(ExtractFileName("/x.y/HERO.PNG"), "HERO.PNG");
  EXPECT_EQ(ExtractFilePath("/x.y/HERO.PNG"), "/x.y/");
  EXPECT_EQ(DataNameToPath("Sub\\Caf\xE9"), "Sub/Caf\xC3\xA9");
}

TEST(NumberHelpers, ClampAndCharacterClasses) {
  EXPECT_EQ(ClampInt(-5, 0, 10), 0);
  EXPECT_EQ(ClampInt(11, 0, 10), 10);
  EXPECT_EQ(ClampInt(7, 0, 10), 7);
  EXPECT_TRUE(IsLatinLetter('z') && IsLatinLetter('A'));
  EXPECT_FALSE(IsLatinLetter('\xE9') || IsLatinLetter('[') || IsLatinLetter('@'));
  EXPECT_TRUE(IsDigitChar('0') && IsDigitChar('9'));
  EXPECT_FALSE(IsDigitChar('/') || IsDigitChar(':'));
}

class FileUtils : public FileTestEnv {};

TEST_F(FileUtils, ProgramFolderAndIni) {
  EXPECT_EQ(GetProgramFolder(), Path("prog/"));
  EXPECT_EQ(GetProgramIniPath(), Path("prog/velmora-studio.ini"));
  // A program folder we cannot write to sends the ini to the user's configuration.
  OverrideProgramFile(Path("missing/bin/velmora-studio"));
  EXPECT_EQ(GetProgramIniPath(), Path("config/Orvane/velmora-studio.ini"));
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(GetUserConfigFolder(), Path("home/.config/Orvane/"));
}

TEST_F(FileUtils, TempFolderIsPrivateAndRefusesWhatIsNotOurs) {
  const std::string expected = Path("tmp/velmora-" + std::to_string(geteuid()) + "/");
  EXPECT_EQ(GetTempFolder(), expected);
  struct stat st;
  ASSERT_EQ(lstat(expected.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(GetWorkingFolder(), expected + "VELM_TEMP/");
  // A folder of ours left open to others is closed again.
  chmod(expected.c_str(), 0777);
  GetTempFolder();
  ASSERT_EQ(lstat(expected.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A planted link, even to a folder, is refused; so is a plain file.
  rmdir(expected.substr(0, expected.size() - 1).c_str());
  Mkdir("elsewhere");
  ASSERT_EQ(symlink(Path("elsewhere").c_str(), expected.substr(0, expected.size() - 1).c_str()), 0);
  EXPECT_THROW(GetTempFolder(), EFileError);
  unlink(expected.substr(0, expected.size() - 1).c_str());
  Put("tmp/velmora-" + std::to_string(geteuid()), "x");
  EXPECT_THROW(GetTempFolder(), EFileError);
}

TEST_F(FileUtils, DeleteFolderTreeTakesEverythingInsideAndNothingOutside) {
  Put("outside/keep.txt", "keep");
  Put("work/a.txt", "a");
  Put("work/.hidden", "h");
  Put("work/.git/objects/x", "x");
  Put("work/sub/deeper/b.txt", "b");
  Mkdir("work/locked");
  Put("work/locked/c.txt", "c");
  chmod(Path("work/locked").c_str(), 0500);
  ASSERT_EQ(symlink(Path("outside").c_str(), Path("work/sub/link").c_str()), 0);
  ASSERT_EQ(symlink(Path("outside/keep.txt").c_str(), Path("work/filelink").c_str()), 0);
  EXPECT_TRUE(DeleteFolderTree(Path("work/")));
  EXPECT_FALSE(Exists("work"));
  EXPECT_EQ(Get("outside/keep.txt"), "keep");
  EXPECT_TRUE(DeleteFolderTree(Path("work"))); // already gone: nothing to do
  // A link given as the folder goes as a link; its target stays.
  ASSERT_EQ(symlink(Path("outside").c_str(), Path("alias").c_str()), 0);
  EXPECT_TRUE(DeleteFolderTree(Path("alias")));
  EXPECT_FALSE(Exists("alias"));
  EXPECT_EQ(Get("outside/keep.txt"), "keep");
  // A file is not a folder: reported, not deleted.
  EXPECT_FALSE(DeleteFolderTree(Path("outside/keep.txt")));
  EXPECT_TRUE(Exists("outside/keep.txt"));
}

// What an interrupted save of a project file or a material leaves goes; whatever only
// looks like it, or lies elsewhere, stays.
TEST_F(FileUtils, RemoveStaleTemporaryFilesTakesOnlyThoseOfOurSaves) {
  // The name a real save gives its temporary file, seen while the save writes it.
  std::string ours;
  Mkdir("proj");
  WriteFileAtomicallyWith(Path("proj/KOVAX.ldb"), [&](int fd) {
    for (const auto& entry : std::filesystem::directory_iterator(Path("proj")))
      if (entry.path().filename().string()[0] == '.') ours = entry.path().filename().string();
    return write(fd, "db", 2) == 2;
  });
  ASSERT_EQ(AtomicTemporaryTarget(ours), "KOVAX.ldb") << ours;
  Put("outside/keep.txt", "keep");
  Put("outside/.Hit.wav.tmp1-2-3", "x");
  ASSERT_EQ(symlink(Path("outside/keep.txt").c_str(), Path("proj/.Map0001.lmu.tmp1-2-3").c_str()),
            0);
  ASSERT_EQ(symlink(Path("outside").c_str(), Path("proj/Sound").c_str()), 0);
  Mkdir("proj/.KOVAX.lmt.tmp1-2-3");
  Mkdir("proj/charset");
  Mkdir("proj/Music");
  Mkdir("proj/Notes");
  const struct {
    std::string name;
    bool goes;
  } rows[] = {
      {ours, true},
      {".KOVAX.lmt.tmp40-0-123456", true},
      {".kovax.LDB.tmp1-2-3", true},
      {".KOVAX.ini.tmp1-2-3", true},
      {".Map0012.LMU.tmp5-6-7", true},
      {".Map12.lmu.tmp5-6-7", false},
      {".notes.tmp1-2-3", false}, // the author's
      {".notes.tmp.txt.tmp7-8-9", false},
      {"KOVAX.ldb.tmp1-2-3", false}, // not hidden
      {".KOVAX.ldb.tmp", false},
      {".KOVAX.ldb.tmp1-2", false},
      {".KOVAX.ldb.tmp1-2-3x", false},
      {".KOVAX.ldb.tmp1--3", false},
      {".tmp1-2-3", false}, // no target name
      {".hidden", false},
      {"charset/.Hero.PNG.tmp1-2-3", true},
      {"charset/.Hero.xyz.tmp1-2-3", true},
      {"charset/.Hero.txt.tmp1-2-3", false},
      {"charset/.KOVAX.ldb.tmp1-2-3", false},
      {"Music/.Theme.mid.tmp1-2-3", true},
      {"Music/.Theme.png.tmp1-2-3", false},
      {"Notes/.Hero.png.tmp1-2-3", false}, // no material folder
  };
  for (const auto& row : rows)
    Put("proj/" + row.name, "x");
  RemoveStaleTemporaryFiles(Path("proj"));
  for (const auto& row : rows)
    EXPECT_EQ(Exists("proj/" + row.name), !row.goes) << row.name;
  EXPECT_EQ(Get("proj/KOVAX.ldb"), "db");
  EXPECT_TRUE(std::filesystem::is_symlink(Path("proj/.Map0001.lmu.tmp1-2-3")));
  EXPECT_EQ(Get("outside/keep.txt"), "keep");
  EXPECT_TRUE(Exists("outside/.Hit.wav.tmp1-2-3")); // a linked folder is not entered
  EXPECT_TRUE(FolderExists(Path("proj/.KOVAX.lmt.tmp1-2-3")));
}

// Marks a file immutable (so that not even root can delete it), or clears the mark.
bool SetImmutable(const std::string& path, bool on) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return ok;
}

TEST_F(FileUtils, DeleteFolderTreeReportsWhatItCouldNotDelete) {
  Put("work/a/stuck.txt", "s");
  Put("work/b/gone.txt", "g");
  std::string blocked;
  if (SetImmutable(Path("work/a/stuck.txt"), true)) {
    blocked = "work/a/stuck.txt";
  } else if (geteuid() != 0) {
    // Without the immutable mark: a folder of someone else's making is out of our reach.
    Mkdir("work/c/d");
    Put("work/c/d/e.txt", "e");
    chmod(Path("work/c").c_str(), 0500);
    std::filesystem::remove_all(Path("work/a"));
    blocked = "work/c/d";
  } else {
    GTEST_SKIP() << "no way here to make an entry that root cannot delete";
  }
  EXPECT_FALSE(DeleteFolderTree(Path("work")));
  EXPECT_TRUE(Exists(blocked));
  EXPECT_FALSE(Exists("work/b")); // the rest still went
  SetImmutable(Path("work/a/stuck.txt"), false);
  chmod(Path("work/c").c_str(), 0700);
}

TEST_F(FileUtils, DeleteFolderTreeReachesBelowTheLongestPath) {
  // Deeper than PATH_MAX allows a path to name: only a walk by descriptors gets there.
  Mkdir("deep");
  int fd = open(Path("deep").c_str(), O_RDONLY | O_DIRECTORY);
  const std::string level(200, 'd');
  for (int i = 0; i < 30 && fd >= 0; ++i) {
    ASSERT_EQ(mkdirat(fd, level.c_str(), 0755), 0);
    const int next = openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
  }
  ASSERT_GE(fd, 0);
  const int file = openat(fd, ".bottom", O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(file, 0);
  close(file);
  close(fd);
  EXPECT_TRUE(DeleteFolderTree(Path("deep")));
  EXPECT_FALSE(Exists("deep"));
}

TEST_F(FileUtils, SplitFileToPiecesCutsADiskSet) {
  std::string data(3000000, '\0');
  std::mt19937 random(7);
  for (char& c : data)
    c = char(random());
  Put("game.lzh", data);
  Mkdir("disk");
  EXPECT_EQ(SplitFileToPieces(Path("game.lzh"), Path("disk"), 640000, 1440000), 3);
  EXPECT_EQ(Get("disk/game.001"), data.substr(0, 640000));
  EXPECT_EQ(Get("disk/game.002"), data.substr(640000, 1440000));
  EXPECT_EQ(Get("disk/game.003"), data.substr(2080000));
  EXPECT_EQ(Get("disk/game.003").size(), 920000u);
  EXPECT_FALSE(Exists("disk/game.004"));
  // An exact multiple has no empty last piece; an empty file has no pieces at all.
  Put("even.bin", std::string(20, 'e'));
  EXPECT_EQ(SplitFileToPieces(Path("even.bin"), Path("disk/"), 10, 5), 3);
  EXPECT_EQ(Get("disk/even.003"), "eeeee");
  Put("empty.bin", "");
  EXPECT_EQ(SplitFileToPieces(Path("empty.bin"), Path("disk"), 10, 5), 0);
}

TEST_F(FileUtils, SplitFileToPiecesRefusesWhatItCannotDo) {
  Put("game.lzh", "abc");
  EXPECT_THROW(SplitFileToPieces(Path("game.lzh"), Path(""), 0, 10), EFileError);
  EXPECT_THROW(SplitFileToPieces(Path("game.lzh"), Path(""), 10, 0), EFileError);
  EXPECT_THROW(SplitFileToPieces(Path("none.lzh"), Path(""), 10, 10), EFileError);
  EXPECT_THROW(SplitFileToPieces(Path("game.lzh"), Path("no/such/folder"), 1, 1), EFileError);
  Mkdir("adir");
  EXPECT_THROW(SplitFileToPieces(Path("adir"), Path(""), 1, 1), EFileError);
}

TEST_F(FileUtils, CopyFileReplacingCopiesWholeAndLeavesTheCopyWritable) {
  // More than one read buffer, so the copy loop goes round.
  std::string data(200000, '\0');
  std::mt19937 random(11);
  for (char& c : data)
    c = char(random());
  Put("in/theme.mid", data);
  chmod(Path("in/theme.mid").c_str(), 0444);
  Put("out/theme.mid", "older and shorter");
  chmod(Path("out/theme.mid").c_str(), 0400);
  EXPECT_TRUE(CopyFileReplacing(Path("in/theme.mid"), Path("out/theme.mid")));
  EXPECT_EQ(Get("out/theme.mid"), data);
  struct stat st;
  ASSERT_EQ(stat(Path("out/theme.mid").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  // Nothing is left beside the target but the target.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")), {}), 1);
}

TEST_F(FileUtils, CopyFileReplacingRefusesAFileOntoItselfHoweverNamed) {
  Put("m/a.wav", "only copy");
  std::filesystem::create_hard_link(Path("m/a.wav"), Path("m/hard.wav"));
  std::filesystem::create_symlink(Path("m/a.wav"), Path("m/soft.wav"));
  for (const std::string& target :
       {Path("m/a.wav"), Path("m/../m/./a.wav"), Path("m/hard.wav"), Path("m/soft.wav")}) {
    EXPECT_TRUE(IsSameFile(Path("m/a.wav"), target)) << target;
    EXPECT_FALSE(CopyFileReplacing(Path("m/a.wav"), target)) << target;
    EXPECT_EQ(Get("m/a.wav"), "only copy");
  }
  EXPECT_FALSE(IsSameFile(Path("m/a.wav"), Path("m/none.wav")));
}

TEST_F(FileUtils, CopyFileReplacingReportsFailuresAndKeepsTheTarget) {
  Put("src.wav", "new");
  Put("dst.wav", "old");
  Mkdir("folder");
  EXPECT_THROW(CopyFileReplacing(Path("none.wav"), Path("dst.wav")), EFileError);
  EXPECT_THROW(CopyFileReplacing(Path("folder"), Path("dst.wav")), EFileError);
  EXPECT_THROW(CopyFileReplacing(Path("src.wav"), Path("no/such/dst.wav")), EFileError);
  // A folder in the target's place cannot be replaced by a file.
  EXPECT_THROW(CopyFileReplacing(Path("src.wav"), Path("folder")), EFileError);
  EXPECT_EQ(Get("dst.wav"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("folder")), {}), 0);
}

TEST_F(FileUtils, ReplacingAFileLeavesWhatStoodThereUntouched) {
  // Whatever stands at the target is replaced by a plain file, never opened for reading:
  // a pipe without a writer would block the save for good, a link is replaced itself.
  Put("dest/old.lmu", "old bytes");
  ASSERT_EQ(mkfifo(Path("dest/pipe.lmu").c_str(), 0600), 0);
  std::filesystem::create_symlink(Path("dest/old.lmu"), Path("dest/link.lmu"));
  const int reader = open(Path("dest/old.lmu").c_str(), O_RDONLY);
  ASSERT_GE(reader, 0);
  for (const char* name : {"dest/old.lmu", "dest/pipe.lmu", "dest/link.lmu"}) {
    WriteFileAtomically(Path(name), std::string("new bytes"));
    struct stat st;
    ASSERT_EQ(lstat(Path(name).c_str(), &st), 0) << name;
    EXPECT_TRUE(S_ISREG(st.st_mode)) << name;
    EXPECT_EQ(Get(name), "new bytes") << name;
  }
  // A reader that had the old file open still reads the old bytes to its end.
  char got[16] = {};
  EXPECT_EQ(read(reader, got, sizeof got), 9);
  EXPECT_STREQ(got, "old bytes");
  close(reader);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("dest")), {}), 3);
}

TEST_F(FileUtils, DrivesAreFolders) {
  Mkdir("empty");
  Put("full/x", "x");
  EXPECT_TRUE(IsDriveReady(Path("empty")));
  EXPECT_TRUE(IsDriveEmpty(Path("empty")));
  EXPECT_TRUE(IsDriveReady(Path("full")));
  EXPECT_FALSE(IsDriveEmpty(Path("full")));
  EXPECT_FALSE(IsDriveReady(Path("absent")));
  EXPECT_FALSE(IsDriveEmpty(Path("absent")));
  EXPECT_FALSE(IsFloppyDrive(Path("empty")));
  std::string drive = "unchanged";
  FindFloppyDrive(drive);
  EXPECT_EQ(drive, "unchanged");
}

} // namespace
