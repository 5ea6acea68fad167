// The vocabulary of the database: every text the game shows in battles, shops and
// inns, the command and statistic names, and the save, load and end-game texts. Every
// text is a field of its own id, always written, even when empty.
#pragma once

#include <array>
#include <string>

#include "core/catalog_item.h"

// The eleven messages of one shop style.
class TXelVocabularyShop {
public:
  static constexpr int Count = 11;
  void Clear();
  std::array<std::string, Count> Texts;
};

// The five messages of one inn style.
class TXelVocabularyInn {
public:
  static constexpr int Count = 5;
  void Clear();
  std::array<std::string, Count> Texts;
};

class TXelVocabulary : public TCatalogBaseItem {
public:
  static constexpr int ShopCount = 3;
  static constexpr int InnCount = 2;
  static constexpr int LastId = 153;

  TXelVocabulary() { TXelVocabulary::Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return LastId; }
  void Clear() override;

  // Nothing outside 0..2 (shops) and 0..1 (inns).
  TXelVocabularyShop* GetShop(int index);
  TXelVocabularyInn* GetInn(int index);
  // The text of field Id, wherever it is held; nothing for an id the record does not
  // know.
  std::string* Text(int id);
  const std::string* Text(int id) const;

private:
  // Texts of the record itself, by field id; only the known ids are used.
  std::array<std::string, LastId + 1> terms_;
  std::array<TXelVocabularyShop, ShopCount> shops_;
  std::array<TXelVocabularyInn, InnCount> inns_;
};
