// Looks up arbitrary material names as the game data gives them, in a project and a
// run-time package that also hold files just outside their material folders. Whatever
// lookup finds must be a file directly inside the project's or the package's folder of
// that kind; what it does not find leaves no path at all. Images found are loaded as the
// editor loads them.
#include <limits.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "core/bitmap.h"
#include "core/errors.h"
#include "core/material.h"
#include "core/material_image.h"
#include "fuzz_seeds.h"
#include "fuzz_world.h"
#include "tests/core/image_bytes.h"

namespace {

struct TKind {
  const char* Folder;
  TExtensionTable Extensions;
};
const TKind kKinds[] = {{"Music", MusicExtensions},
                        {"Sound", SoundExtensions},
                        {"CharSet", ImageExtensions},
                        {"Movie", MovieExtensions}};

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// Made once: real folders, since lookup goes through the disk as the editor does.
struct TMaterialWorld {
  TFuzzWorld& files = TFuzzWorld::Get();
  std::string roots[2];
  TMaterialWorld() {
    const ImageBytes png = SimplePng(3, 2, 2, {}, FilterRows(PatternRows(3, 2, 3, 1), 3, {0}));
    const std::string image(png.begin(), png.end());
    for (const char* root : {"proj", "rtp"}) {
      for (const TKind& kind : kKinds)
        files.Mkdir(std::string(root) + "/" + kind.Folder + "/Sub");
      files.Put(std::string(root) + "/secret.wav", "outside");
      files.Put(std::string(root) + "/CharSet.png", image);
      files.Put(std::string(root) + "/Music/Sub/Deep.mid", "deep");
      files.Put(std::string(root) + "/Music/Sub.mid", "sub");
    }
    files.Put("outside.png", image);
    files.Put("proj/Music/Battle.mid", "b");
    files.Put("proj/Music/Town", "no extension");
    files.Put("rtp/Sound/Knock.wav", "k");
    files.Put("rtp/Sound/..wav", "dots");
    files.Put("proj/CharSet/Hero.png", image);
    files.Put("rtp/CharSet/Caf\xC3\xA9.PNG", image);
    files.Put("proj/Movie/Intro.avi", "m");
    roots[0] = RealPath(files.Path("proj"));
    roots[1] = RealPath(files.Path("rtp"));
  }
};

TMaterialWorld& World() {
  static TMaterialWorld world;
  return world;
}

bool InsideFolderOf(const std::string& found, const std::string& folder) {
  const std::string real = RealPath(found);
  for (const std::string& root : World().roots) {
    const std::string prefix = RealPath(root + "/" + folder) + "/";
    if (prefix.size() > 1 && real.compare(0, prefix.size(), prefix) == 0 &&
        real.find('/', prefix.size()) == std::string::npos)
      return true;
  }
  return false;
}

std::vector<uint8_t> Seed(uint8_t kind, const std::string& name) {
  std::vector<uint8_t> seed = {kind};
  seed.insert(seed.end(), name.begin(), name.end());
  return seed;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  return {Seed(0, "Battle"),   Seed(0, "battle"),      Seed(0, "Town"),
          Seed(0, "Sub"),      Seed(0, "../secret"),   Seed(0, "Sub/Deep"),
          Seed(1, "Knock"),    Seed(1, "."),           Seed(1, "..\\secret"),
          Seed(2, "Hero"),     Seed(2, "caf\xC9"),     Seed(2, "../../outside"),
          Seed(3, "Intro"),    Seed(3, "/etc/passwd"), Seed(2, std::string("Hero\0.png", 9)),
          Seed(1, "Knock\x81")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  World();
  const TKind& kind = kKinds[data[0] % std::size(kKinds)];
  const std::string name(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string path = "unchanged";
  if (!FindMaterialFile(name, kind.Folder, kind.Extensions, path)) {
    if (!path.empty()) std::abort(); // a name that finds nothing is never a path
    return 0;
  }
  if (!InsideFolderOf(path, kind.Folder)) std::abort();
  if (kind.Extensions.data() == ImageExtensions) {
    TBitmap bitmap;
    try {
      LoadMaterialBitmap(bitmap, name, kind.Folder);
    } catch (const Exception&) {
      std::abort(); // every image put there is a good one
    }
    if (bitmap.Empty()) std::abort();
  }
  return 0;
}
