// A project folder and a run-time package folder in the scratch world, for the tests of
// material lookup and of everything that lists or loads materials.
#pragma once

#include "core/project_path.h"
#include "core/settings.h"
#include "file_test_env.h"

class MaterialTestEnv : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    Mkdir("proj");
    Mkdir("rtp");
    ProjectPath = Path("proj/");
    Settings().WriteString("RuntimePackagePath", Path("rtp"));
  }
};
