// The stand-in game runtime "KOVAX.exe": the command lines it accepts, its log of how it
// was started, and its check of the project's data files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "child_process.h"
#include "platform/runtime/project_check.h"
#include "platform/runtime/runtime_log.h"
#include "platform/runtime/runtime_request.h"
#include "sound_test_files.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

// A project folder (its name has a blank, as project paths may) with the template
// database, a map tree and one map, each beginning with its header string.
class RuntimeProject : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = Temp / "My Game";
    fs::create_directories(Folder);
    fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/KOVAX.exe.dat", Folder + "/KOVAX.exe");
    fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/KOVAX.ldb.dat", Folder + "/KOVAX.ldb");
    WriteFileBytes(Folder + "/KOVAX.lmt", std::string("\x0AXelMapTree\x00", 12));
    WriteFileBytes(Folder + "/Map0001.lmu", std::string("\x0AXelMapUnit\x00", 12));
    Log = Temp / "runtime.log";
  }

  TChildResult Run(const Args& args, const std::string& exitMs = "20") {
    return RunChild(Folder + "/KOVAX.exe", args, Folder,
                    {{"VELMORA_RUNTIME_LOG", Log}, {"VELMORA_RUNTIME_EXIT_MS", exitMs}});
  }

  std::vector<std::vector<std::string>> LogLines() {
    std::vector<std::vector<std::string>> lines;
    const std::string text = ReadWholeFile(Log);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
      lines.push_back(ParseRuntimeLogLine(text.substr(start, end - start + 1)));
    return lines;
  }

  TTempDir Temp;
  std::string Folder, Log;
};

} // namespace

TEST(RuntimeArguments, AcceptsExactlyTheTestPlayAndBattleTestCommandLines) {
  EXPECT_EQ(ParseRuntimeArguments({"TestPlay", "HideTitle", "FullScreen"}),
            (TRuntimeRequest{TRuntimeTest::TestPlay, false, true, 0}));
  EXPECT_EQ(ParseRuntimeArguments({"TestPlay", "ShowTitle", "Window"}),
            (TRuntimeRequest{TRuntimeTest::TestPlay, true, false, 0}));
  EXPECT_EQ(ParseRuntimeArguments({"BattleTest", "HideTitle", "Window", "12"}),
            (TRuntimeRequest{TRuntimeTest::BattleTest, false, false, 12}));
  EXPECT_EQ(ParseRuntimeArguments({"BattleTest", "HideTitle", "FullScreen", "99999"}),
            (TRuntimeRequest{TRuntimeTest::BattleTest, false, true, 99999}));

  const std::vector<Args> refused = {
      {},
      {"TestPlay"},
      {"TestPlay", "HideTitle"},
      {"TestPlay", "HideTitle", "FullScreen", "1"},
      {"testplay", "HideTitle", "FullScreen"},
      {"TestPlay", "Hidetitle", "FullScreen"},
      {"TestPlay", "HideTitle", "Fullscreen"},
      {"TestPlay", "FullScreen", "HideTitle"},
      {"BattleTest", "ShowTitle", "Window", "1"},
      {"BattleTest", "HideTitle", "Window"},
      {"BattleTest", "HideTitle", "Window", "0"},
      {"BattleTest", "HideTitle", "Window", "-1"},
      {"BattleTest", "HideTitle", "Window", "01"},
      {"BattleTest", "HideTitle", "Window", "1x"},
      {"BattleTest", "HideTitle", "Window", "100000"},
      {"BattleTest", "HideTitle", "Window", "1", "2"},
  };
  for (const Args& args : refused)
    EXPECT_FALSE(ParseRuntimeArguments(args)) << ::testing::PrintToString(args);

  EXPECT_EQ(
      DescribeRuntimeRequest(*ParseRuntimeArguments({"BattleTest", "HideTitle", "Window", "7"})),
      (std::vector<std::string>{"A battle test against monster group 7 was asked for.",
                                "Screen: a window was asked for."}));
}

TEST(RuntimeLog, FieldsSurviveTabsLineBreaksAndBackslashes) {
  const std::vector<std::string> fields = {"/a b", "C:\\x\ty", "line\nbreak\r", "", "end"};
  const std::string line = FormatRuntimeLogLine(fields);
  EXPECT_EQ(line, "/a b\tC:\\\\x\\ty\tline\\nbreak\\r\t\tend\n");
  EXPECT_EQ(ParseRuntimeLogLine(line), fields);
  EXPECT_EQ(ParseRuntimeLogLine("a\\qb"), (std::vector<std::string>{"a\\qb"}));

  TTempDir dir;
  ASSERT_TRUE(AppendRuntimeLog(dir / "log", "one\n"));
  ASSERT_TRUE(AppendRuntimeLog(dir / "log", "two\n"));
  EXPECT_EQ(ReadWholeFile(dir / "log"), "one\ntwo\n");
  EXPECT_FALSE(AppendRuntimeLog(dir / "missing/log", "x\n"));
}

TEST_F(RuntimeProject, DataFileCheckNamesEveryBadHeader) {
  EXPECT_TRUE(CheckProjectFiles(Folder, TRuntimeTest::TestPlay).empty());
  WriteFileBytes(Folder + "/MAP0002.LMU", std::string("\x0AXelMapTree", 11));
  WriteFileBytes(Folder + "/Map0003.lmu", "");
  WriteFileBytes(Folder + "/Map03.lmu", "not a map file, and not named like one");
  fs::remove(Folder + "/KOVAX.lmt");
  EXPECT_EQ(CheckProjectFiles(Folder, TRuntimeTest::TestPlay),
            (std::vector<std::string>{"KOVAX.lmt is missing or cannot be read.",
                                      "MAP0002.LMU is not a map file.",
                                      "Map0003.lmu is not a map file."}));
  // A battle test reads the database only; the exact spelling wins over another case.
  WriteFileBytes(Folder + "/kovax.LDB", "garbage");
  EXPECT_TRUE(CheckProjectFiles(Folder, TRuntimeTest::BattleTest).empty());
  // A length byte that runs past the end of the file is not a header either.
  WriteFileBytes(Folder + "/KOVAX.ldb", "\x7FXelDataBase");
  EXPECT_EQ(CheckProjectFiles(Folder, TRuntimeTest::BattleTest),
            (std::vector<std::string>{"KOVAX.ldb is not a database file."}));
}

TEST_F(RuntimeProject, LogsExactlyItsCommandLineAndEndsWhenClosed) {
  const std::string program = Folder + "/KOVAX.exe";
  auto play = Run({"TestPlay", "HideTitle", "FullScreen"});
  EXPECT_EQ(play.ExitCode, 0) << play.Output;
  auto battle = Run({"BattleTest", "HideTitle", "Window", "3"});
  EXPECT_EQ(battle.ExitCode, 0) << battle.Output;
  auto refused = Run({"TestPlay", "Window"});
  EXPECT_EQ(refused.ExitCode, 2);
  EXPECT_NE(refused.Output.find("only accepts"), std::string::npos) << refused.Output;

  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 3u);
  const std::string folder = fs::canonical(Folder).string();
  EXPECT_EQ(lines[0],
            (std::vector<std::string>{folder, program, "TestPlay", "HideTitle", "FullScreen"}));
  EXPECT_EQ(lines[1],
            (std::vector<std::string>{folder, program, "BattleTest", "HideTitle", "Window", "3"}));
  EXPECT_EQ(lines[2], (std::vector<std::string>{folder, program, "TestPlay", "Window"}));
}

TEST_F(RuntimeProject, FindsTheDataFilesInAnyCase) {
  for (const char* name : {"KOVAX.ldb", "KOVAX.lmt", "Map0001.lmu"}) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    fs::rename(Folder + "/" + name, Folder + "/" + lower);
  }
  for (const Args& args :
       {Args{"TestPlay", "HideTitle", "Window"}, Args{"BattleTest", "HideTitle", "Window", "1"}}) {
    auto result = Run(args);
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    EXPECT_EQ(result.Output.find("missing"), std::string::npos) << result.Output;
  }
}

TEST_F(RuntimeProject, DamagedDatabaseIsReportedByTheExitStatus) {
  WriteFileBytes(Folder + "/KOVAX.ldb", "garbage");
  auto result = Run({"BattleTest", "HideTitle", "FullScreen", "1"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Output.find("KOVAX.ldb is not a database file."), std::string::npos)
      << result.Output;
}
