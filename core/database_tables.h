// The fifteen tables of the game database, shared by the whole process. The database
// object sets them when it is created and resets them to nothing when it is freed;
// until then every pointer is null, and code that only looks at a table (such as the
// trimming of per-condition arrays on save) must cope with that.
#pragma once

class TXelPlayer;
class TXelSkill;
class TXelItem;
class TXelMonster;
class TXelMonGroup;
class TXelGround;
class TXelAttrib;
class TXelStatus;
class TXelAnimation;
class TXelChipSet;
class TXelVocabulary;
class TXelSystem;
class TXelSwitch;
class TXelVariable;
class TXelCommonEvent;

extern TXelPlayer* PlayerList;
extern TXelSkill* SkillList;
extern TXelItem* ItemList;
extern TXelMonster* MonsterList;
extern TXelMonGroup* MonGroupList;
extern TXelGround* GroundList;
extern TXelAttrib* AttribList;
extern TXelStatus* StatusList;
extern TXelAnimation* AnimationList;
extern TXelChipSet* ChipSetList;
extern TXelVocabulary* VocabularyData;
extern TXelSystem* SystemData;
extern TXelSwitch* SwitchList;
extern TXelVariable* VariableList;
extern TXelCommonEvent* CommonEventList;

// Counts every time the tables were set, reset or read anew: what keeps a view of them
// (the editor's catalog models) compares it to know when to look again.
extern unsigned long DataBaseGeneration;
