// A script converter with everything it reads: the database tables, a map tree, a map
// and a monster group, empty until the user fills them.
#pragma once

#include "core/database.h"
#include "core/event_script_converter.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/monster_records.h"

struct TConverterScene {
  TConverterScene() {
    converter.MapTree = &tree;
    converter.Map = &map;
    converter.MonsterGroup = &group;
  }
  TConverterScene(const TConverterScene&) = delete;
  TConverterScene& operator=(const TConverterScene&) = delete;

  TXelDataBase database;
  TXelMapTree tree;
  TXelMap map{1};
  TXelMonGroupItem group{1};
  TEventScriptConverter converter;
};
