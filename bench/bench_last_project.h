// The projects the start-up benchmarks reopen, laid out by the editor itself in a scratch
// folder: the settings, temporary and home folders and the projects' base folder live
// there, and the program folder is given.
#pragma once

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/file_utils.h"
#include "core/image_file.h"
#include "core/map.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "platform/rtp_generator/rtp_materials.h"
#include "platform/rtp_generator/template_files.h"
#include "shell/data_module.h"
#include "shell/form_xel_main.h"
#include "shell/project_manager.h"
#include "tests/core/generated_map.h"

inline constexpr int BenchMapSide = 500;
inline constexpr int BenchEventCount = 1000;

inline void PutBenchFile(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// The main window as the program makes it at start, with the tool glyphs it takes.
struct TStartedEditor {
  TStartedEditor() {
    DataModule1 = &dataModule;
    form = std::make_unique<TFormXelMain>();
  }
  ~TStartedEditor() {
    form.reset();
    DataModule1 = nullptr;
  }
  TDataModule1 dataModule;
  std::unique_ptr<TFormXelMain> form;
};

// Points this process (and the programs it starts) at Root's folders and at the program in
// ProgramFolder, which gets the runtime and the template database that new projects copy
// when it lacks them.
inline void UseScratchFolders(const std::filesystem::path& root,
                              const std::filesystem::path& programFolder) {
  namespace fs = std::filesystem;
  for (const char* sub : {"tmp", "home", "base"})
    fs::create_directories(root / sub);
  fs::create_directories(programFolder);
  setenv("TMPDIR", (root / "tmp").c_str(), 1);
  setenv("HOME", (root / "home").c_str(), 1);
  OverrideProgramFile((programFolder / "velmora-studio").string());
  // The runtime is only copied into new projects, never run here.
  if (!fs::exists(programFolder / "KOVAX.exe.dat"))
    PutBenchFile(programFolder / "KOVAX.exe.dat", "runtime");
  if (!fs::exists(programFolder / TemplateDataBaseName)) {
    const std::vector<uint8_t> database = MakeTemplateDataBase();
    PutBenchFile(programFolder / TemplateDataBaseName,
                 std::string(database.begin(), database.end()));
  }
  ProjectBaseOption.Set((root / "base").string() + "/");
}

// A new project Name in the base folder, made as the editor makes one, its window placement
// kept maximised. With BigMap its first map becomes the generated 500 x 500 one (1,000
// events) drawn with the generated run-time package's chipset and character set, which go
// into its folders.
inline void MakeBenchProject(const std::filesystem::path& root, const std::string& name,
                             bool bigMap) {
  namespace fs = std::filesystem;
  fs::create_directories(root / "base" / name);
  OpenedProjectOption.Set(""); // the editor made here reopens nothing
  {
    TStartedEditor editor;
    editor.form->ProjectManager->NewProject(name, "Untitled");
    editor.form->showMaximized();
  }
  if (bigMap) {
    const fs::path project = root / "base" / name;
    SaveBitmapToImageFile(DrawChipSet(),
                          (project / "ChipSet" / RtpName::ChipSet).string() + ".png");
    SaveBitmapToImageFile(DrawCharSet(),
                          (project / "CharSet" / RtpName::CharSet).string() + ".png");
    TXelMap map(1);
    GenerateMap(map, BenchMapSide, BenchMapSide, BenchEventCount, RtpName::CharSet);
    map.SaveToFile((project / "Map0001.lmu").string());
  }
  ProjectPath.clear();
}
