// Game disks of a generated project: the archive made by the real archiver library and
// checked by the independent extractor (lhasa), installed by the stand-in setup program,
// every failure reported as stopped, and the floppy branch with a scripted drive.
#include "shell/game_disk.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <map>
#include <random>

#include "core/settings.h"
#include "core/unlha_library.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/file_operation.h"
#include "framework/harness/widget_harness.h"
#include "platform/child_process.h"
#include "shell/game_disk_editor.h"
#include "shell/project_dialogs.h"
#include "shell/project_pack.h"
#include "shell_test_env.h"

namespace fs = std::filesystem;

namespace {

// Relative path -> "<folder>", or the file's size and a digest of its bytes (a failure
// then names the file without printing it).
using TTree = std::map<std::string, std::string>;

std::string Digest(const std::string& bytes) {
  return std::to_string(bytes.size()) + " #" + std::to_string(std::hash<std::string>()(bytes));
}

TTree ReadTree(const std::string& folder) {
  TTree tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    tree[fs::relative(entry.path(), folder).string()] =
        entry.is_directory() ? "<folder>" : Digest(ReadWholeFile(entry.path()));
  return tree;
}

std::string Bytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes)
    c = char(rng() % 7 == 0 ? rng() : 'a' + rng() % 4);
  return bytes;
}

std::vector<std::string> BoxTexts(const TScriptedMessageBoxes& boxes) {
  std::vector<std::string> texts;
  for (const TRecordedBox& box : boxes.Boxes())
    texts.push_back(std::to_string(box.flags) + " " + box.text.toStdString());
  return texts;
}

// The real library, recording what it was asked; a forced result or a fake archive of a
// given size stand in for it where a test needs that.
class TRecordingArchiver : public TGameDiskArchiver {
public:
  int Run(const std::string& commandLine) override {
    Command = commandLine;
    ResponseFile = ReadWholeFile(GetGameDiskWorkFolder() + "Response.lst");
    if (Throw) throw std::runtime_error("archiver broke");
    if (Forced) return *Forced;
    if (!FakeArchive.empty()) {
      std::ofstream(GetGameDiskWorkFolder() + "Quest Game.lzh", std::ios::binary) << FakeArchive;
      return 0;
    }
    return Real.Run(commandLine);
  }
  TUnlhaArchiver Real{nullptr};
  std::string Command, ResponseFile, FakeArchive;
  std::optional<int> Forced;
  bool Throw = false;
};

// A floppy drive in a folder: a disk that was written stays in the drive for FullChecks
// more checks, then the author takes it out (onto the Shelf) and puts in an empty one.
class TScriptedDrive : public TGameDiskDrive {
public:
  bool IsFloppyDrive(const std::string&) override { return Floppy; }
  bool IsDriveEmpty(const std::string& path) override {
    if (fs::is_empty(path)) return true;
    if (FullChecks-- > 0) return false;
    Disks.push_back(Shelf + "/disk " + std::to_string(Disks.size() + 1));
    fs::rename(fs::path(path).parent_path(), Disks.back());
    fs::create_directory(path);
    return true;
  }
  std::string FindFloppyDrive() override { return Floppy ? "/media/floppy" : ""; }
  bool Floppy = false;
  int FullChecks = 0;
  std::string Shelf;
  std::vector<std::string> Disks;
};

class GameDisk : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    // Blanks in every path the archiver is handed.
    Mkdir("tmp dir");
    setenv("TMPDIR", Path("tmp dir").c_str(), 1);
    InstallProgramFiles();
    // As start-up does, from the program folder.
    ASSERT_TRUE(LoadUnlhaLibrary());
    ProjectPath = Path("my games/Quest Game/");
    const char* files[] = {"KOVAX.exe",         "KOVAX.ldb",        "KOVAX.lmt",
                           "Map0001.lmu",       "Map0002.lmu",      "Map0010.lmu",
                           "ChipSet/world.png", "CharSet/hero.png", "Music/theme.mid",
                           "System/frame.png"};
    for (unsigned k = 0; k < std::size(files); ++k)
      Put("my games/Quest Game/" + std::string(files[k]), Bytes(3000 + 700 * k, k));
    for (const char* folder : {"Backdrop", "Battle", "FaceSet", "GameOver", "Monster", "Movie",
                               "Panorama", "Picture", "Sound", "Title"})
      Mkdir("my games/Quest Game/" + std::string(folder));
    WriteGameTitle(ProjectPath, "The Quest");
    Project = ReadTree(ProjectPath);
    Ini = Get("my games/Quest Game/KOVAX.ini");
    // Not part of a game.
    Put("my games/Quest Game/notes.txt", "mine");
    Put("my games/Quest Game/Map0001.bak", "old");
  }

  bool Make(const std::string& destination, bool includeRtp) {
    TFileOperation operation;
    TFileOperationCopier copier(operation);
    TMessageBoxPrompts prompts(nullptr);
    return TGameDiskMaker({Archiver, copier, Drive, prompts}).Start(destination, includeRtp);
  }

  void InstallProgramFiles() {
    for (const char* name : {"Setup.exe.dat", "libunlha32.so", "UNLHA32.TXT"})
      fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/" + name, Path("prog/") + name,
                    fs::copy_options::overwrite_existing);
  }

  TTree Extract(const std::string& archive) {
    Mkdir("x");
    const std::string command = "lhasa t '" + archive + "' && lhasa xqfw=x '" + archive + "'";
    const TChildResult result = RunChild("/bin/sh", {"-c", command}, root_);
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    return ReadTree(Path("x"));
  }

  // The project's untouched ini and everything a disk of it holds.
  std::string Ini;
  TTree Project;
  TRecordingArchiver Archiver;
  TScriptedDrive Drive;
  TScriptedMessageBoxes Boxes;
};

const std::string Completed = "64 The preparation of the game disk was completed";
const std::string Stopped = "16 The preparation of the game disk was stopped";
std::string SetupIni(int diskNumber) {
  return "[Setup]\r\nProjectName=Quest Game\r\nGameTitle=The Quest\r\nDiskNumber=" +
         std::to_string(diskNumber) + "\r\n";
}
const std::string ProjectList =
    "Backdrop\r\nBattle\r\nCharSet\r\nChipSet\r\nFaceSet\r\nGameOver\r\n"
    "Monster\r\nMovie\r\nMusic\r\nPanorama\r\nPicture\r\nSound\r\n"
    "System\r\nTitle\r\n";

} // namespace

TEST_F(GameDisk, ToAFolderHoldsTheSetupAndTheWholeArchiveThatSetupInstalls) {
  ASSERT_TRUE(Make(Path("disk out"), false));
  EXPECT_EQ(BoxTexts(Boxes), std::vector<std::string>{Completed});
  const std::string work = GetGameDiskWorkFolder();
  EXPECT_EQ(Archiver.Command,
            "a -+ -r2 -d \"" + work + "Quest Game.lzh\" @\"" + work + "Response.lst\"");
  EXPECT_EQ(Archiver.ResponseFile, "\"" + ProjectPath + "\"\r\n" + ProjectList +
                                       "KOVAX.exe\r\nKOVAX.ldb\r\nKOVAX.ini\r\nKOVAX.lmt\r\n"
                                       "Map????.lmu\r\n");
  EXPECT_FALSE(fs::exists(work));
  EXPECT_EQ(Get("my games/Quest Game/KOVAX.ini"), Ini);

  EXPECT_EQ(Get("disk out/Setup.ini"), SetupIni(0));
  TTree disk = ReadTree(Path("disk out"));
  disk.erase("Quest Game.lzh");
  EXPECT_EQ(disk, (TTree{{"Setup.ini", Digest(Get("disk out/Setup.ini"))},
                         {"Setup.exe", Digest(Get("prog/Setup.exe.dat"))},
                         {"UNLHA32.DLL", Digest(Get("prog/libunlha32.so"))},
                         {"UNLHA32.TXT", Digest(Get("prog/UNLHA32.TXT"))}}));
  EXPECT_EQ(Extract(Path("disk out/Quest Game.lzh")), Project);

  // The setup program on the disk puts the game where the player says.
  const TChildResult setup =
      RunChild(Path("disk out/Setup.exe"), {Path("installed")}, Path("disk out"));
  ASSERT_EQ(setup.ExitCode, 0) << setup.Output;
  EXPECT_EQ(ReadTree(Path("installed")), Project);
  // Installed with ordinary modes: the player and the game may read everything.
  for (const auto& entry : fs::recursive_directory_iterator(Path("installed"))) {
    const bool program = entry.is_directory() || entry.path().filename() == "KOVAX.exe";
    EXPECT_EQ(fs::status(entry.path()).permissions() & fs::perms::all,
              program ? fs::perms(0755) : fs::perms(0644))
        << entry.path();
  }
}

TEST_F(GameDisk, ThePackDialogTakesTheChosenFolderAndMakesTheDisk) {
  QWidget owner;
  TFormProjectPack dialog(&owner);
  ShowAndActivate(&dialog);
  auto* destination = FindControl<TDashBox>(&dialog, "DashBox1");
  EXPECT_EQ(destination->Text().toStdString(), Path("home/"));
  EXPECT_FALSE(FindControl<QCheckBox>(&dialog, "CheckBox1")->isChecked());
  OnNextModal<TFormProjectDiskPath>([this](TFormProjectDiskPath* path) {
    FindControl<QLineEdit>(path, "Edit1")->setText(QString::fromStdString(Path("disk out")));
    QTest::mouseClick(FindControl<QPushButton>(path, "ButtonOk"), Qt::LeftButton);
  });
  Boxes.Answer(IDYES); // make the folder
  dialog.DashBox1Click();
  EXPECT_EQ(destination->Text().toStdString(), Path("disk out/"));

  // While the disk is made the dialog is out of sight; its boxes stand over the owner.
  struct TWatchingBoxes : TScriptedMessageBoxes {
    QWidget* Dialog = nullptr;
    std::vector<bool> DialogShown;
    int Show(QWidget* parent, const QString& caption, const QString& text, int flags) override {
      DialogShown.push_back(Dialog->isVisible());
      return TScriptedMessageBoxes::Show(parent, caption, text, flags);
    }
  } working;
  working.Dialog = &dialog;
  QTest::mouseClick(FindControl<QPushButton>(&dialog, "ButtonStart"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(BoxTexts(Boxes), (std::vector<std::string>{"36 A folder doesn't exist. Create it?"}));
  EXPECT_EQ(BoxTexts(working), (std::vector<std::string>{Completed}));
  EXPECT_EQ(working.DialogShown, (std::vector<bool>{false}));
  EXPECT_EQ(working.Boxes()[0].parent, &owner);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Get("disk out/Setup.ini"), SetupIni(0));
  EXPECT_EQ(Extract(Path("disk out/Quest Game.lzh")), Project);
}

TEST_F(GameDisk, WithThePackageTheArchiveCarriesItAndTheFlag) {
  Put("rtp/System/frame.png", "package frame");
  Put("rtp/Sound/step.wav", "package step");
  Put("rtp/libtunara.so", "sound library");
  Put("rtp/readme.txt", "not for games");
  Mkdir("rtp/Title");
  Settings().WriteString("RuntimePackagePath", Path("rtp/"));

  ASSERT_TRUE(Make(Path("disk out"), true));
  EXPECT_EQ(BoxTexts(Boxes), std::vector<std::string>{Completed});
  EXPECT_TRUE(IncludeRtpOption.Get());
  const std::string rtp = "\"" + Path("rtp/") + "\"\r\n";
  EXPECT_EQ(Archiver.ResponseFile, rtp + ProjectList + "\"" + ProjectPath + "\"\r\n" + ProjectList +
                                       "KOVAX.exe\r\nKOVAX.ldb\r\nKOVAX.ini\r\nKOVAX.lmt\r\n"
                                       "Map????.lmu\r\n" +
                                       rtp + "libtunara.so\r\n");
  // The project's own file wins over the package's of the same name.
  TTree expected = Project;
  expected["Sound/step.wav"] = Digest("package step");
  expected["libtunara.so"] = Digest("sound library");
  expected["KOVAX.ini"] = Digest(Ini + "FullPackageFlag=1\r\n");
  EXPECT_EQ(Extract(Path("disk out/Quest Game.lzh")), expected);
  EXPECT_EQ(Get("my games/Quest Game/KOVAX.ini"), Ini);
}

TEST_F(GameDisk, EveryFailureStopsAndLeavesNoTrace) {
  Settings().WriteString("RuntimePackagePath", Path("rtp/"));
  Mkdir("rtp");
  struct TCase {
    const char* name;
    std::function<void()> arrange;
    // procfs takes no new files, even from root, so it stands for a read-only disk.
    std::string destination = "disk out";
  };
  const std::vector<TCase> cases = {
      {"read-only destination", [] {}, "/proc/self/"},
      {"no setup program", [this] { fs::remove(Path("prog/Setup.exe.dat")); }},
      {"no archiver text", [this] { fs::remove(Path("prog/UNLHA32.TXT")); }},
      {"archiver result 1", [this] { Archiver.Forced = 1; }},
      {"archiver exception", [this] { Archiver.Throw = true; }},
      {"no package folder", [] { Settings().WriteString("RuntimePackagePath", ""); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    InstallProgramFiles();
    Archiver.Forced.reset();
    Archiver.Throw = false;
    c.arrange();
    TScriptedMessageBoxes boxes;
    const std::string destination = c.destination[0] == '/' ? c.destination : Path(c.destination);
    EXPECT_FALSE(Make(destination, true));
    const std::vector<std::string> texts = BoxTexts(boxes);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), Stopped);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), Completed), 0);
    EXPECT_FALSE(fs::exists(GetGameDiskWorkFolder()));
    EXPECT_EQ(Get("my games/Quest Game/KOVAX.ini"), Ini);
  }
}

TEST_F(GameDisk, FloppiesGetOnePieceEachAndTheFirstTheSetup) {
  TSystemDrive system;
  EXPECT_EQ(DefaultGameDiskDestination(system), Path("home/"));
  Drive.Floppy = true;
  EXPECT_EQ(DefaultGameDiskDestination(Drive), "/media/floppy/");

  struct TCase {
    size_t archiveSize;
    int diskNumber;
    // The answer to every box in turn, the OK of the information boxes too.
    std::vector<int> answers;
    std::vector<std::string> boxes;
    // Each disk's files, pieces with their sizes.
    std::vector<std::string> disks;
  };
  const std::string need2 = "64 There's 2 of 1.44MB Floppy Disks Necessary";
  const std::string disk1 = "Quest Game.001 640000 Setup.exe Setup.ini UNLHA32.DLL UNLHA32.TXT";
  const std::string p1 = "65 Prepare 1 of formatted disks", p2 = "65 Prepare 2 of formatted disks";
  const std::vector<TCase> cases = {
      // The full first disk is still in the drive at the first check: asked again.
      {2000000, 2, {1, 1, 1, 1}, {need2, p1, p2, p2, Completed}, {disk1, "Quest Game.002 1360000"}},
      {500000,
       1,
       {1, 1},
       {"64 There's 1 of 1.44MB Floppy Disks Necessary", p1, Completed},
       {"Quest Game.001 500000 Setup.exe Setup.ini UNLHA32.DLL UNLHA32.TXT"}},
      {2000000, 2, {1, 1, IDCANCEL}, {need2, p1, p2, Stopped}, {disk1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.archiveSize);
    TScriptedMessageBoxes boxes;
    for (int answer : c.answers)
      boxes.Answer(answer);
    for (const char* folder : {"shelf", "floppy"}) {
      fs::remove_all(Path(folder));
      Mkdir(folder);
    }
    Drive.Shelf = Path("shelf");
    Drive.Disks.clear();
    Drive.FullChecks = 1;
    Archiver.FakeArchive = Bytes(c.archiveSize, 5);
    const bool completed = Make(Path("floppy"), false);
    EXPECT_EQ(completed, BoxTexts(boxes).back() == Completed);
    EXPECT_EQ(BoxTexts(boxes), c.boxes);

    // The disk still in the drive is the last one.
    Drive.Disks.push_back(Path("floppy"));
    std::vector<std::string> disks;
    std::string joined;
    for (const std::string& disk : Drive.Disks) {
      std::string& files = disks.emplace_back();
      for (const auto& [name, digest] : ReadTree(disk)) {
        files += (files.empty() ? "" : " ") + name;
        if (name.rfind("Quest Game.", 0) != 0) continue;
        joined += ReadWholeFile(disk + "/" + name);
        files += " " + std::to_string(fs::file_size(disk + "/" + name));
      }
    }
    EXPECT_EQ(disks, c.disks);
    EXPECT_EQ(ReadWholeFile(Drive.Disks[0] + "/Setup.ini"), SetupIni(c.diskNumber));
    EXPECT_TRUE(!completed || joined == Archiver.FakeArchive);
    EXPECT_FALSE(fs::exists(GetGameDiskWorkFolder()));
  }
}
