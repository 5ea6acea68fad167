// The stand-in setup program of a game disk. The extractor is replaced by a small script
// that records how it was called and "extracts" the archive's bytes as KOVAX.exe, so the
// tests see exactly which archive the setup program put together and where it went.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "child_process.h"
#include "sound_test_files.h"

namespace fs = std::filesystem;

namespace {

class SetupDisk : public ::testing::Test {
protected:
  void SetUp() override {
    Disk = Temp / "disk";
    fs::create_directories(Disk);
    fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/Setup.exe.dat", Disk + "/Setup.exe");
    Extractor = Temp / "fake-lha";
    WriteFileBytes(Extractor, "#!/bin/sh\n"
                              "echo \"$1\" >> \"" +
                                  Temp.Path +
                                  "/calls\"\n"
                                  "[ \"$1\" = t ] && exit 0\n"
                                  "dir=${1#xfw=}\n"
                                  "cp \"$2\" \"$dir/KOVAX.exe\"\n");
    fs::permissions(Extractor, fs::perms::owner_all);
  }

  TChildResult Run(const std::vector<std::string>& args = {}) {
    return RunChild(Disk + "/Setup.exe", args, Temp.Path,
                    {{"VELMORA_SETUP_LHA", Extractor}, {"HOME", Temp / "home"}});
  }

  TTempDir Temp;
  std::string Disk, Extractor;
};

} // namespace

TEST_F(SetupDisk, InstallsTheWholeArchiveIntoTheHomeFolderByDefault) {
  WriteFileBytes(Disk + "/Setup.ini",
                 "[Setup]\r\nProjectName=Quest\r\nGameTitle=The Quest\r\nDiskNumber=0\r\n");
  WriteFileBytes(Disk + "/Quest.lzh", "whole archive");
  const auto result = Run();
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_EQ(result.Output, "Setup: The Quest was installed in " + Temp.Path + "/home/Quest\n");
  const std::string game = Temp / "home/Quest/KOVAX.exe";
  EXPECT_EQ(ReadWholeFile(game), "whole archive");
  EXPECT_NE(fs::status(game).permissions() & fs::perms::owner_exec, fs::perms::none);
  // Tested first, then extracted into a private folder (not the target itself).
  const std::string calls = ReadWholeFile(Temp / "calls");
  ASSERT_EQ(calls.rfind("t\nxfw=", 0), 0u) << calls;
  EXPECT_EQ(calls.find(Temp.Path + "/home"), std::string::npos) << calls;
}

TEST_F(SetupDisk, JoinsFloppyPiecesInOrderIntoTheGivenFolder) {
  WriteFileBytes(Disk + "/Setup.ini", "[Other]\nProjectName=Wrong\n[setup]\n projectname = Quest \n"
                                      "DISKNUMBER=3\n");
  WriteFileBytes(Disk + "/Quest.001", "one,");
  WriteFileBytes(Disk + "/Quest.002", "two,");
  WriteFileBytes(Disk + "/Quest.003", "three");
  const auto result = Run({Temp / "games/q"});
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_EQ(result.Output, "Setup: Quest was installed in " + Temp.Path + "/games/q\n");
  EXPECT_EQ(ReadWholeFile(Temp / "games/q/KOVAX.exe"), "one,two,three");

  fs::remove(Disk + "/Quest.002");
  const auto missing = Run({Temp / "games/r"});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Output, "Setup: the piece Quest.002 is missing.\n");
}

TEST_F(SetupDisk, RefusesBadSettingsAndMissingFiles) {
  EXPECT_EQ(Run().Output, "Setup: Setup.ini is missing beside the setup program.\n");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[Setup]\r\nProjectName=../evil\r\n",
       "Setup: Setup.ini names no valid project (ProjectName=../evil).\n"},
      {"[Setup]\r\nProjectName=..\r\n",
       "Setup: Setup.ini names no valid project (ProjectName=..).\n"},
      {"[Setup]\r\nGameTitle=X\r\n", "Setup: Setup.ini names no valid project (ProjectName=).\n"},
      {"[Setup]\r\nProjectName=Q\r\nDiskNumber=2x\r\n",
       "Setup: Setup.ini has an invalid DiskNumber (2x).\n"},
      {"[Setup]\r\nProjectName=Q\r\n", "Setup: the archive Q.lzh is missing.\n"},
  };
  for (const auto& [ini, message] : cases) {
    WriteFileBytes(Disk + "/Setup.ini", ini);
    const auto result = Run();
    EXPECT_EQ(result.ExitCode, 1) << ini;
    EXPECT_EQ(result.Output, message) << ini;
  }
  EXPECT_FALSE(fs::exists(Temp / "home"));
}
