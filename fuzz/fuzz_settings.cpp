// Arbitrary bytes as one of the ini files the editor keeps its settings in (the user's
// store, the installer's defaults, the program ini, a project's ini), read and changed
// through the settings functions the editor calls. Whatever the file held, a value the
// editor writes is the value it reads back, and a file it did not change stays as it was.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "core/file_utils.h"
#include "core/option.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "fuzz_seeds.h"
#include "fuzz_world.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void CheckUserStore(uint8_t pick) {
  (void)GetRuntimePackagePath();
  (void)ShowTitleOption.Get();
  (void)Settings().ValueExists("ApplicationPath");
  const bool flag = !FullScreenOption.Get();
  FullScreenOption.Set(flag);
  if (FullScreenOption.Get() != flag) std::abort();
  if (pick & 1) {
    Settings().DeleteValue("FullScreenFlag");
    if (Settings().ValueExists("FullScreenFlag")) std::abort(); // the defaults are empty
  }
}

void CheckDefaults() {
  // Read only: the editor never writes the installer's file.
  const std::string before = FileBytes(TSettings::DefaultsFileName());
  (void)GetRuntimePackagePath();
  (void)FullScreenOption.Get();
  (void)Settings().ReadInteger("IncludeRtpOption", 0);
  if (FileBytes(TSettings::DefaultsFileName()) != before) std::abort();
}

void CheckProgramIni(uint8_t pick) {
  (void)GetProjectBasePath();
  const std::string folder = "/games/Project" + std::to_string(pick) + "/";
  OpenedProjectOption.Set(folder);
  if (GetOpenedProjectFolder() != folder) std::abort();
}

void CheckProjectIni(uint8_t pick) {
  const std::string before = FileBytes(GetProjectIniPath(ProjectPath));
  (void)ReadGameTitle(ProjectPath);
  (void)MapEditModeOption.Get();
  (void)MapEditZoomOption.Get();
  if (FileBytes(GetProjectIniPath(ProjectPath)) != before) std::abort();
  MapEditModeOption.Set(pick % 3);
  MapEditZoomOption.Set(pick % 4);
  if (MapEditModeOption.Get() != pick % 3 || MapEditZoomOption.Get() != pick % 4) std::abort();
  const std::string title = "Tale " + std::to_string(pick);
  WriteGameTitle(ProjectPath, title);
  if (ReadGameTitle(ProjectPath) != title) std::abort();
  WriteFullPackageFlag(pick & 1);
}

std::vector<uint8_t> Seed(uint8_t file, const std::string& text) {
  std::vector<uint8_t> seed = {file, 5};
  seed.insert(seed.end(), text.begin(), text.end());
  return seed;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  return {Seed(0, "[VELMORA]\r\nRuntimePackagePath=/opt/rtp\r\nFullScreenFlag=0\r\n"
                  "Form_Placement=10,20,640,480\r\n"),
          Seed(0, "; user\n[velmora]\nfullscreenflag = \"1\"\n[VELMORA]\nShowTitleFlag=0x1\n"),
          Seed(1, "[VELMORA]\r\nRuntimePackagePath=/usr/share/rtp\r\nIncludeRtpOption=1\r\n"),
          Seed(2, "[VELMORA]\r\nProjectBasePath=/home/a/Projects/\r\nOpenedProjectFolder=x\r\n"),
          Seed(3, "[KOVAX]\r\nGameTitle=Untitled\r\nMapEditMode=1\r\nMapEditZoom=2\r\n"
                  "FullPackageFlag=1\r\n[Other]\r\nkept=yes\r\n"),
          Seed(3, "\xEF\xBB\xBF[kovax]\r\ngametitle='Caf\xE9'\r\nMapEditMode=$1F\r\n[KOVAX\r\n")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TFuzzWorld& world = TFuzzWorld::Get();
  const uint8_t file = data[0] % 4, pick = data[1];
  static const std::string paths[4] = {TSettings::FileName(), TSettings::DefaultsFileName(),
                                       GetProgramIniPath(), ProjectPath + ProjectIniName};
  // Only the file picked holds the input; the others start empty.
  for (const std::string& path : paths)
    world.Put(path.substr(world.Root().size()), "");
  world.Put(paths[file].substr(world.Root().size()), data + 2, size - 2);
  try {
    switch (file) {
    case 0:
      CheckUserStore(pick);
      break;
    case 1:
      CheckDefaults();
      break;
    case 2:
      CheckProgramIni(pick);
      break;
    default:
      CheckProjectIni(pick);
    }
  } catch (const EFileError&) {
    std::abort(); // every file here is readable and writable
  }
  return 0;
}
