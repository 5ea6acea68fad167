#include "core/database_tables.h"

TXelPlayer* PlayerList = nullptr;
TXelSkill* SkillList = nullptr;
TXelItem* ItemList = nullptr;
TXelMonster* MonsterList = nullptr;
TXelMonGroup* MonGroupList = nullptr;
TXelGround* GroundList = nullptr;
TXelAttrib* AttribList = nullptr;
TXelStatus* StatusList = nullptr;
TXelAnimation* AnimationList = nullptr;
TXelChipSet* ChipSetList = nullptr;
TXelVocabulary* VocabularyData = nullptr;
TXelSystem* SystemData = nullptr;
TXelSwitch* SwitchList = nullptr;
TXelVariable* VariableList = nullptr;
TXelCommonEvent* CommonEventList = nullptr;
unsigned long DataBaseGeneration = 0;
