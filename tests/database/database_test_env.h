// The scratch project of the database-window tests: a project folder holding a
// generated KOVAX.ldb, opened as the editor opens one (editor mode, the project as the
// current folder, the database loaded into the process-wide tables), and the file's
// bytes for checking what a save did or did not write.
#pragma once

#include <unistd.h>

#include <optional>
#include <string>

#include "core/database.h"
#include "core/database_generator.h"
#include "core/editor_mode.h"
#include "core/file_test_env.h"

class DataBaseTestEnv : public FileTestEnv {
protected:
  // Entries per generated list: enough for a walk over every 100th entry to visit
  // more than the first.
  static constexpr int EntryCount = 240;

  void SetUp() override {
    FileTestEnv::SetUp();
    char* cwd = getcwd(nullptr, 0);
    savedCwd_ = cwd ? cwd : "/";
    free(cwd);
    tag_.emplace(EditorModeTag);
    Mkdir("Project");
    {
      // The file is written by a database of its own, so the tables under test start
      // from a real load, as when the editor opens a project.
      TXelDataBase writer;
      TDataBaseGenerator(45).Fill(writer, EntryCount);
      writer.SaveDataBaseFile(Path("Project/") + DataBaseFileName);
    }
    database_ = std::make_unique<TXelDataBase>();
    GlobalDataBase = database_.get();
    ProjectPath = Path("Project/");
    ASSERT_EQ(chdir(ProjectPath.c_str()), 0);
    ASSERT_TRUE(database_->LoadProjectDataBase()) << database_->LastLoadError();
  }

  void TearDown() override {
    GlobalDataBase = nullptr;
    database_.reset();
    tag_.reset();
    if (chdir(savedCwd_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << savedCwd_;
    FileTestEnv::TearDown();
  }

  TXelDataBase& DataBase() { return *database_; }
  std::string FileBytes() const { return Get(std::string("Project/") + DataBaseFileName); }

private:
  std::string savedCwd_;
  std::optional<TApplicationTagScope> tag_;
  std::unique_ptr<TXelDataBase> database_;
};
