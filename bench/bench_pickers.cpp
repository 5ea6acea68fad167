// Opening the picture and music pickers over 3,000 materials in the project and 3,000 in
// the run-time package, 1,000 of them shared, so that 5,000 are listed: creating the
// form, showing it and drawing its first preview (the target is 100 ms). As a peer,
// listing the folder alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/image_file.h"
#include "core/material.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"
#include "tests/core/game_sheets.h"

namespace {

constexpr int kPerFolder = 3000;
constexpr int kPackageFirst = 2000;

// Project names 0..2999, package names 2000..4999: 1,000 shared, 5,000 in the list.
struct TPickerFixture {
  TPickerFixture() {
    std::string dir = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) std::abort();
    root = dir;
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1); // no settings of the user are read
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_pickers";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    TBitmap picture = MakeGameBitmap(640, 480, 3);
    for (const char* side : {"proj", "rtp"}) {
      std::filesystem::create_directories(root / side / "Picture");
      std::filesystem::create_directories(root / side / "Music");
    }
    const std::filesystem::path first = root / "proj" / "Picture" / "Scene1500.png";
    SaveBitmapToImageFile(picture, first.string());
    for (int i = 0; i < kPerFolder; ++i) {
      for (auto [side, number] : {std::pair{"proj", i}, {"rtp", i + kPackageFirst}}) {
        const std::string base = "Scene" + std::to_string(number);
        const auto image = root / side / "Picture" / (base + ".png");
        // Links: the list reads names, the preview one picture.
        if (image != first) std::filesystem::create_hard_link(first, image);
        std::ofstream(root / side / "Music" / (base + ".mid")) << "MThd";
      }
    }
    ProjectPath = dir + "/proj/";
    Settings().WriteString("RuntimePackagePath", dir + "/rtp");
  }
  ~TPickerFixture() { std::filesystem::remove_all(root); }

  std::filesystem::path root;
  std::unique_ptr<QApplication> app;
};

TPickerFixture& Fixture() {
  static TPickerFixture fixture;
  return fixture;
}

template <class Form> void OpenPicker(benchmark::State& state, void (*fill)(Form&)) {
  Fixture();
  for (auto _ : state) {
    Form form;
    fill(form);
    form.show();
    // The first preview is drawn into an image, as the screen would get it.
    benchmark::DoNotOptimize(form.grab());
    form.hide();
  }
}

void BM_OpenPicturePicker(benchmark::State& state) {
  OpenPicker<TFormSelPicture>(state, [](TFormSelPicture& form) { form.FileName = "Scene1500"; });
}
BENCHMARK(BM_OpenPicturePicker)->Unit(benchmark::kMillisecond);

void BM_OpenMusicPicker(benchmark::State& state) {
  OpenPicker<TFormSelMusic>(state, [](TFormSelMusic& form) { form.Music.FileName = "Scene2500"; });
}
BENCHMARK(BM_OpenMusicPicker)->Unit(benchmark::kMillisecond);

// The peer: the listing alone, which every opening does once.
void BM_ListPictureFolder(benchmark::State& state) {
  Fixture();
  std::vector<std::string> items;
  for (auto _ : state) {
    ListMaterialFiles(items, "Picture", ImageExtensions);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(BM_ListPictureFolder)->Unit(benchmark::kMillisecond);

} // namespace
