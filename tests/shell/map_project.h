// A project laid out with the data core as a new project is made: the root named after
// the game and map 1 of 100 x 100, saved into the project folder. Tests add maps and
// areas of their own. Editor mode is on, as in the editor.
#pragma once

#include <string>

#include "core/editor_mode.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "shell_test_env.h"

class MapProjectEnv : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    Mkdir("game");
    ProjectPath = Path("game/");
    WriteGameTitle(ProjectPath, "Quest");
  }

  // The tree and map 1 of a fresh project, saved; Tree stays as saved.
  void MakeFreshProject() {
    tree.Clear();
    TXelMapTreeItem* root = tree.AddMap(0, 0);
    root->Name = "Untitled";
    tree.ActiveId = 0;
    TXelMapTreeItem* first = AddEntry(0, 1, "MAP0001", mkMap);
    first->MusicMode = first->BackgroundMode = 1;
    first->TeleportMode = first->EscapeMode = first->SaveMode = 1;
    TXelMap map;
    map.SetWidth(100);
    map.SetHeight(100);
    map.SaveTempMap(1);
    first->Changed = true;
    tree.ActiveId = 1;
    tree.SaveMapTree();
  }

  // An entry under Parent; a map gets a project file of the size given, whose lower
  // layer holds its Id in every cell so that tests can tell the maps apart.
  TXelMapTreeItem* AddEntry(int32_t parent, int32_t id, const std::string& name, uint8_t kind,
                            int width = 20, int height = 15) {
    TXelMapTreeItem* item = tree.AddMap(parent, id);
    item->Name = name;
    item->Kind = kind;
    if (kind == mkMap) {
      TXelMap map;
      map.SetWidth(width);
      map.SetHeight(height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          map.LowerLayer.SetCell(x, y, uint16_t(id));
      map.SaveProjectMap(id);
    }
    return item;
  }

  TApplicationTagScope editorMode{EditorModeTag};
  TXelMapTree tree;
};
