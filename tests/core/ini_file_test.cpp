#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <filesystem>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/ini_file.h"
#include "file_test_env.h"

namespace {

// A file as an author's editor might leave it: a comment before the first section, an
// unknown section, odd spacing and case, a quoted value and a key without a value.
const std::string kSample = "; written by hand\r\n"
                            "[KOVAX]\r\n"
                            "GameTitle = My Game \r\n"
                            "mapeditmode=2\r\n"
                            "; zoom comes next\r\n"
                            "Quoted=\"  padded  \"\r\n"
                            "\r\n"
                            "[Extra]\r\n"
                            "Unknown=\xE9t\xE9\r\n"
                            "just a line\r\n";

TEST(IniFile, ReadsWithWindowsRules) {
  const TIniFile ini = TIniFile::FromBytes(kSample);
  EXPECT_EQ(ini.ReadString("kovax", "GAMETITLE", "x"), "My Game");
  EXPECT_EQ(ini.ReadInteger("KOVAX", "MapEditMode", -1), 2);
  EXPECT_EQ(ini.ReadString("KOVAX", "Quoted", ""), "  padded  ");
  EXPECT_EQ(ini.ReadString("extra", "unknown", ""), "\xE9t\xE9");
  EXPECT_EQ(ini.ReadString("KOVAX", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Extra", "just a line", "dflt"), "dflt");
  EXPECT_FALSE(ini.ValueExists("KOVAX", "Unknown")); // keys belong to their own section
  EXPECT_TRUE(ini.SectionExists("EXTRA"));
}

TEST(IniFile, IntegersAndBooleansFallBackOnAnythingElse) {
  const TIniFile ini = TIniFile::FromBytes(
      "[S]\nA=12abc\nB= -7 \nC=0x1F\nD=$10\nE=99999999999\nF=\nG=0\nH=true\nI=3\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "B", 5), -7);
  EXPECT_EQ(ini.ReadInteger("S", "C", 5), 31);
  EXPECT_EQ(ini.ReadInteger("S", "D", 5), 16);
  EXPECT_EQ(ini.ReadInteger("S", "E", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "F", 5), 5);
  EXPECT_FALSE(ini.ReadBool("S", "G", true));
  EXPECT_TRUE(ini.ReadBool("S", "H", true));
  EXPECT_FALSE(ini.ReadBool("S", "H", false));
  EXPECT_TRUE(ini.ReadBool("S", "I", false));
}

TEST(IniFile, WritingChangesOnlyTheLinesConcerned) {
  TIniFile ini = TIniFile::FromBytes(kSample);
  EXPECT_EQ(ini.ToBytes(), kSample);
  ini.WriteInteger("KOVAX", "MAPEDITMODE", 1); // keeps the file's spelling of the key
  ini.WriteInteger("kovax", "MapEditZoom", 3); // after the section's last key
  ini.WriteBool("New", "FullPackageFlag", true);
  ini.DeleteKey("Kovax", "Quoted");
  EXPECT_EQ(ini.ToBytes(), "; written by hand\r\n"
                           "[KOVAX]\r\n"
                           "GameTitle = My Game \r\n"
                           "mapeditmode=1\r\n"
                           "; zoom comes next\r\n"
                           "MapEditZoom=3\r\n"
                           "\r\n"
                           "[Extra]\r\n"
                           "Unknown=\xE9t\xE9\r\n"
                           "just a line\r\n"
                           "[New]\r\n"
                           "FullPackageFlag=1\r\n");
}

TEST(IniFile, DeletingAKeyRemovesEveryCopyOfIt) {
  TIniFile ini = TIniFile::FromBytes("[A]\nk=1\nj=2\nK=3\n");
  ini.DeleteKey("a", "K");
  EXPECT_FALSE(ini.ValueExists("A", "k"));
  EXPECT_EQ(ini.ToBytes(), "[A]\r\nj=2\r\n");
}

TEST(IniFile, ABareLineFeedFileIsWrittenBackWithCrLf) {
  TIniFile ini = TIniFile::FromBytes("[A]\nk=v\n");
  ini.WriteString("A", "k", "w");
  EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=w\r\n");
}

TEST(IniFile, ALineBreakInAValueCannotStartAnotherSection) {
  TIniFile ini;
  ini.WriteString("KOVAX", "GameTitle", "Game\r\n[Setup]\nDiskNumber=9");
  EXPECT_EQ(ini.ToBytes(), "[KOVAX]\r\nGameTitle=Game  [Setup] DiskNumber=9\r\n");
  EXPECT_FALSE(TIniFile::FromBytes(ini.ToBytes()).SectionExists("Setup"));
}

class IniFileOnDisk : public FileTestEnv {
protected:
  size_t EntriesIn(const std::string& relative) {
    return size_t(std::distance(std::filesystem::directory_iterator(Path(relative)), {}));
  }
};

TEST_F(IniFileOnDisk, AnUnchangedFileIsNotRewrittenAndAChangeKeepsTheRest) {
  Put("p/KOVAX.ini", kSample);
  chmod(Path("p/KOVAX.ini").c_str(), 0640);
  {
    TIniFile ini(Path("p/KOVAX.ini"));
    ini.WriteString("KOVAX", "GameTitle", " My Game "); // the line as it already is
    EXPECT_FALSE(ini.Modified());
    ini.UpdateFile();
  }
  EXPECT_EQ(Get("p/KOVAX.ini"), kSample);
  TIniFile ini(Path("p/KOVAX.ini"));
  ini.WriteString("Extra", "Unknown", "x");
  ini.UpdateFile();
  std::string expected = kSample;
  expected.replace(expected.find("\xE9t\xE9"), 3, "x");
  EXPECT_EQ(Get("p/KOVAX.ini"), expected);
  struct stat st;
  ASSERT_EQ(stat(Path("p/KOVAX.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(EntriesIn("p"), 1u); // no temporary file is left beside it
}

TEST_F(IniFileOnDisk, AFileThatCannotBeReadIsAnErrorNotAnEmptyFile) {
  Mkdir("p/KOVAX.ini");
  EXPECT_THROW(TIniFile{Path("p/KOVAX.ini")}, EFileError);
  EXPECT_FALSE(TIniFile(Path("p/absent.ini")).SectionExists("KOVAX"));
}

TEST_F(IniFileOnDisk, AFailedWriteRaisesAndLeavesTheOldFileAsItWas) {
  const std::string old = "[KOVAX]\r\nGameTitle=Old\r\n";
  Put("p/KOVAX.ini", old);
  TIniFile ini(Path("p/KOVAX.ini"));
  ini.WriteString("KOVAX", "GameTitle", std::string(4000, 'N'));
  // A file size limit makes the write itself fail half-way, as a full disk would.
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 100;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "the save reported success";
  } catch (const EWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file " + Path("p/KOVAX.ini"));
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(Get("p/KOVAX.ini"), old);
  EXPECT_EQ(EntriesIn("p"), 1u);
  EXPECT_TRUE(ini.Modified()); // still to be saved

  // A rename that fails (a folder in the way) is reported the same way.
  Mkdir("q/KOVAX.ini/inside");
  TIniFile blocked = TIniFile::FromBytes(old);
  EXPECT_THROW(WriteFileAtomically(Path("q/KOVAX.ini"), blocked.ToBytes()), EFileError);
  EXPECT_EQ(EntriesIn("q"), 1u);
  EXPECT_TRUE(Exists("q/KOVAX.ini/inside"));
}

} // namespace
