#include <gtest/gtest.h>
#include <string>
#include <tuple>

#include "core/file_utils.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "file_test_env.h"

namespace {

class SettingsStores : public FileTestEnv {};

TEST_F(SettingsStores, DefaultsWithNothingStored) {
  EXPECT_TRUE(FullScreenOption.Get());
  EXPECT_FALSE(ShowTitleOption.Get());
  EXPECT_EQ(GetRuntimePackagePath(), "");
  EXPECT_EQ(GetProjectBasePath(), Path("prog/"));
  EXPECT_EQ(GetOpenedProjectFolder(), Path("prog/"));
  EXPECT_EQ(ReadGameTitle(Path("noproject")), "Untitled");
  // Reading never creates a file.
  EXPECT_FALSE(Exists("config/Orvane"));
  EXPECT_FALSE(Exists("prog/velmora-studio.ini"));
}

TEST_F(SettingsStores, UserValuesAreSavedAtOnceAsOneZeroInTheUserFile) {
  FullScreenOption.Set(false);
  ShowTitleOption.Set(true);
  EXPECT_FALSE(FullScreenOption.Get());
  EXPECT_TRUE(ShowTitleOption.Get());
  EXPECT_EQ(Get("config/Orvane/VELMORA.ini"),
            "[VELMORA]\r\nFullScreenFlag=0\r\nShowTitleFlag=1\r\n");
  Settings().WriteString("Form1_Placement", "1,2,3");
  Settings().DeleteValue("ShowTitleFlag");
  EXPECT_EQ(Get("config/Orvane/VELMORA.ini"),
            "[VELMORA]\r\nFullScreenFlag=0\r\nForm1_Placement=1,2,3\r\n");
  EXPECT_FALSE(ShowTitleOption.Get());
}

TEST_F(SettingsStores, AnOptionReadsItsDefaultUntilSetAndSpellsItsValueAsBefore) {
  const TOption<bool> flag{"Pages", "Flag", true};
  const TOption<int> tab{"Pages", "Tab", 3};
  const TOption<std::string> name{"Other", "Name", "none"};
  EXPECT_EQ(std::tuple(flag.Get(), tab.Get(), name.Get()), std::tuple(true, 3, "none"));
  flag.Set(false);
  tab.Set(-12);
  name.Set("Caf\xE9");
  EXPECT_EQ(std::tuple(flag.Get(), tab.Get(), name.Get()), std::tuple(false, -12, "Caf\xE9"));
  EXPECT_EQ(Get("config/Orvane/VELMORA.ini"),
            "[Pages]\r\nFlag=0\r\nTab=-12\r\n[Other]\r\nName=Caf\xE9\r\n");
}

TEST_F(SettingsStores, ReadingAndWritingBackEveryOptionLeavesTheFileAsItWas) {
  // Spelt as a person or an older version may have left it: other cases, blanks, a
  // comment, a key no option knows.
  const std::string file = "; kept\r\n[velmora]\r\nfullscreenflag = 0\r\nShowTitleFlag=1\r\n"
                           "RuntimePackagePath=/opt/rtp/\r\nApplicationPath= /prog/ \r\n"
                           "Form1_Placement=1,2,3\r\n\r\n";
  Put("config/Orvane/VELMORA.ini", file);
  FullScreenOption.Set(FullScreenOption.Get());
  ShowTitleOption.Set(ShowTitleOption.Get());
  RuntimePackageOption.Set(RuntimePackageOption.Get());
  ApplicationPathOption.Set(ApplicationPathOption.Get());
  EXPECT_EQ(Get("config/Orvane/VELMORA.ini"), file);
  EXPECT_EQ(std::tuple(FullScreenOption.Get(), ShowTitleOption.Get(), ApplicationPathOption.Get()),
            std::tuple(false, true, "/prog/"));
  // The program ini's options, in the program's own file.
  const std::string program = "[Velmora]\r\nprojectbasepath=/data/\r\nOpenedProjectFolder=\r\n";
  Put("prog/velmora-studio.ini", program);
  ProjectBaseOption.Set(ProjectBaseOption.Get());
  OpenedProjectOption.Set(OpenedProjectOption.Get());
  EXPECT_EQ(Get("prog/velmora-studio.ini"), program);
  EXPECT_EQ(std::tuple(GetProjectBasePath(), GetOpenedProjectFolder()), std::tuple("/data/", ""));
}

TEST_F(SettingsStores, RuntimePackagePathComesFromTheUserOrTheInstallDefaults) {
  // The build writes the package's place beside the program.
  Put("prog/velmora-studio.defaults.ini", "[VELMORA]\r\nRuntimePackagePath=/opt/rtp\r\n");
  EXPECT_EQ(GetRuntimePackagePath(), "/opt/rtp/");
  Settings().WriteString("RuntimePackagePath", "/home/me/rtp/");
  EXPECT_EQ(GetRuntimePackagePath(), "/home/me/rtp/");
  // A relative path goes with the program folder, wherever that was copied.
  for (const char* relative : {"rtp", "rtp/", "..\\shared\\rtp"}) {
    Settings().WriteString("RuntimePackagePath", relative);
    EXPECT_EQ(GetRuntimePackagePath(),
              GetProgramFolder() + (relative[0] == '.' ? "../shared/rtp/" : "rtp/"))
        << relative;
  }
  // Present but empty in the user's file: empty, the defaults do not step in.
  Settings().WriteString("RuntimePackagePath", "");
  EXPECT_EQ(GetRuntimePackagePath(), "");
  EXPECT_TRUE(Settings().ValueExists("RuntimePackagePath"));
}

TEST_F(SettingsStores, ProgramIniLiesBesideAWritableProgram) {
  ProjectBaseOption.Set("/data/projects/");
  OpenedProjectOption.Set("/data/projects/Game1/");
  EXPECT_EQ(Get("prog/velmora-studio.ini"), "[VELMORA]\r\nProjectBasePath=/data/projects/\r\n"
                                            "OpenedProjectFolder=/data/projects/Game1/\r\n");
  EXPECT_EQ(GetProjectBasePath(), "/data/projects/");
  EXPECT_EQ(GetOpenedProjectFolder(), "/data/projects/Game1/");
}

TEST_F(SettingsStores, AnInstalledProgramKeepsItsIniAndProjectsWithTheUser) {
  OverrideProgramFile(Path("usr/bin/velmora-studio")); // a folder we cannot write into
  EXPECT_FALSE(Exists("home/VelmoraProjects"));
  EXPECT_EQ(GetProjectBasePath(), Path("home/VelmoraProjects/"));
  EXPECT_TRUE(Exists("home/VelmoraProjects"));
  OpenedProjectOption.Set("/x/");
  EXPECT_EQ(Get("config/Orvane/velmora-studio.ini"), "[VELMORA]\r\nOpenedProjectFolder=/x/\r\n");
}

TEST_F(SettingsStores, ProjectIniKeepsWhatTheGameRuntimeWrote) {
  Put("p/Kovax.INI", "[kovax]\r\nMapEditMode=2\r\n; by the runtime\r\n");
  ProjectPath = Path("p/");
  WriteFullPackageFlag(false); // no key yet: the file stays as it is
  EXPECT_EQ(Get("p/Kovax.INI"), "[kovax]\r\nMapEditMode=2\r\n; by the runtime\r\n");
  WriteFullPackageFlag(true);
  WriteGameTitle(Path("p"), "Caf\xE9 Quest");
  EXPECT_EQ(Get("p/Kovax.INI"),
            "[kovax]\r\nMapEditMode=2\r\nFullPackageFlag=1\r\nGameTitle=Caf\xE9 Quest\r\n"
            "; by the runtime\r\n");
  EXPECT_FALSE(Exists("p/KOVAX.ini")); // the existing spelling was used
  EXPECT_EQ(ReadGameTitle(Path("p/")), "Caf\xE9 Quest");
  WriteFullPackageFlag(false);
  EXPECT_EQ(Get("p/Kovax.INI"),
            "[kovax]\r\nMapEditMode=2\r\nGameTitle=Caf\xE9 Quest\r\n; by the runtime\r\n");
}

TEST_F(SettingsStores, WriteFullPackageFlagFalseCreatesNoFile) {
  Mkdir("p");
  ProjectPath = Path("p/");
  WriteFullPackageFlag(false);
  EXPECT_FALSE(Exists("p/KOVAX.ini"));
  WriteGameTitle(Path("p"), "New");
  EXPECT_EQ(Get("p/KOVAX.ini"), "[KOVAX]\r\nGameTitle=New\r\n");
}

} // namespace
