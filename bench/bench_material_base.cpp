// The material manager's folder list: a click on a folder whose project and package
// folders hold 2,000 materials each refills the material list (target: at most 100 ms).
// Its peer is the listing alone, without the list control. Offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/bitmap.h"
#include "core/material.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/pickers/form_material_base.h"

namespace {

constexpr int MaterialsPerFolder = 2000;
const char* const Folders[] = {"Battle", "Picture"};

// Project and package folders of both folders, each with its own names, so that every
// package name is listed too.
void MakeMaterials(const QString& root) {
  for (const char* folder : Folders)
    for (const char* side : {"proj", "rtp"}) {
      const QString dir = root + "/" + side + "/" + folder;
      QDir().mkpath(dir);
      for (int i = 1; i <= MaterialsPerFolder; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/%s%04d.png", side, i);
        std::ofstream((dir + name).toStdString());
      }
    }
}

QListWidget* Folder(TFormMaterialBase& form) {
  return form.findChild<QListWidget*>("IconListBox1");
}

void BM_FolderClick(benchmark::State& state) {
  TFormMaterialBase form;
  form.show();
  QListWidget* folders = Folder(form);
  const int rows[] = {folders->row(folders->findItems("Battle", Qt::MatchExactly).value(0)),
                      folders->row(folders->findItems("Picture", Qt::MatchExactly).value(0))};
  int next = 0;
  for (auto _ : state) {
    folders->setCurrentRow(rows[next]);
    next = 1 - next;
  }
  const auto* materials = form.findChild<QListWidget*>("IconListBox2");
  if (materials->count() != 2 * MaterialsPerFolder) state.SkipWithError("the list is not full");
}
BENCHMARK(BM_FolderClick)->Unit(benchmark::kMillisecond);

void BM_ListMaterialFilesAlone(benchmark::State& state) {
  std::vector<std::string> items;
  int next = 0;
  for (auto _ : state) {
    ListMaterialFiles(items, Folders[next], ImageExtensions);
    next = 1 - next;
  }
}
BENCHMARK(BM_ListMaterialFilesAlone)->Unit(benchmark::kMillisecond);

// An imported true-colour picture of the largest size (640 x 480, a noisy gradient of
// some 100,000 colours) reduced to a palette chosen from it by median cut.
void BM_ImportPaletteReduction(benchmark::State& state) {
  TBitmap source;
  source.Reset(TPixelFormat::pf24bit, 640, 480);
  uint32_t seed = 7;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      seed = seed * 1103515245u + 12345u;
      uint8_t* p = source.ScanLine(y) + 3 * x;
      p[0] = uint8_t(x * 255 / 639), p[1] = uint8_t(y * 255 / 479), p[2] = uint8_t(seed >> 24);
    }
  for (auto _ : state) {
    TBitmap reduced = source;
    reduced.SetPixelFormat(TPixelFormat::pf8bit);
    benchmark::DoNotOptimize(reduced.Palette());
  }
}
BENCHMARK(BM_ImportPaletteReduction)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir root;
  if (!root.isValid()) return 2;
  // Settings and temporary files stay in the scratch folder.
  setenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit().constData(), 1);
  setenv("TMPDIR", root.path().toLocal8Bit().constData(), 1);
  QApplication application(argc, argv);
  MakeMaterials(root.path());
  ProjectPath = (root.path() + "/proj/").toStdString();
  Settings().WriteString("RuntimePackagePath", (root.path() + "/rtp/").toStdString());
  PathResolver().Clear();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
