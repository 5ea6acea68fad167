#include "core/unlha_library.h"

#include <dlfcn.h>

#include <string>

#include "core/file_utils.h"

void* UnlhaLibrary = nullptr;
TUnlhaProc UnlhaProc = nullptr;

namespace {

struct TUnloadAtExit {
  ~TUnloadAtExit() { FreeUnlhaLibrary(); }
} UnloadAtExit;

} // namespace

bool LoadUnlhaLibrary() {
  if (UnlhaLibrary) return true;
  const std::string path = GetProgramFolder() + UnlhaFileName;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
  auto entry = reinterpret_cast<TUnlhaProc>(dlsym(library, "Unlha"));
  if (!entry) {
    dlclose(library);
    return false;
  }
  UnlhaLibrary = library;
  UnlhaProc = entry;
  return true;
}

void FreeUnlhaLibrary() {
  if (!UnlhaLibrary) return;
  UnlhaProc = nullptr;
  dlclose(UnlhaLibrary);
  UnlhaLibrary = nullptr;
}
