#include "core/vocabulary_record.h"

#include <algorithm>
#include <iterator>

namespace {

// Field ids of the shop and inn sets: shop k from 41 + 13k, inn k from 80 + 5k.
constexpr int FirstShopId = 41;
constexpr int ShopIdStep = 13;
constexpr int FirstInnId = 80;

// Whether the record itself holds field Id.
constexpr bool IsRecordTermId(int id) {
  if (id >= 1 && id <= 37) return true;
  if (id >= 101 && id <= 108) return true;
  if (id >= 123 && id <= 140) return true;
  constexpr int OtherIds[] = {92, 93, 95, 110, 112, 114, 115, 117, 146, 147, 148, 151, 152, 153};
  return std::find(std::begin(OtherIds), std::end(OtherIds), id) != std::end(OtherIds);
}

} // namespace

void TXelVocabularyShop::Clear() {
  for (auto& text : Texts)
    text.clear();
}

void TXelVocabularyInn::Clear() {
  for (auto& text : Texts)
    text.clear();
}

TXelVocabularyShop* TXelVocabulary::GetShop(int index) {
  if (index < 0 || index >= ShopCount) return nullptr;
  return &shops_[static_cast<size_t>(index)];
}

TXelVocabularyInn* TXelVocabulary::GetInn(int index) {
  if (index < 0 || index >= InnCount) return nullptr;
  return &inns_[static_cast<size_t>(index)];
}

std::string* TXelVocabulary::Text(int id) {
  if (id < 1 || id > LastId) return nullptr;
  if (IsRecordTermId(id)) return &terms_[static_cast<size_t>(id)];
  if (id >= FirstShopId && id < FirstShopId + ShopCount * ShopIdStep) {
    const int shop = (id - FirstShopId) / ShopIdStep;
    const int index = (id - FirstShopId) % ShopIdStep;
    if (index < TXelVocabularyShop::Count)
      return &shops_[static_cast<size_t>(shop)].Texts[static_cast<size_t>(index)];
    return nullptr;
  }
  if (id >= FirstInnId && id < FirstInnId + InnCount * TXelVocabularyInn::Count) {
    const int inn = (id - FirstInnId) / TXelVocabularyInn::Count;
    const int index = (id - FirstInnId) % TXelVocabularyInn::Count;
    return &inns_[static_cast<size_t>(inn)].Texts[static_cast<size_t>(index)];
  }
  return nullptr;
}

const std::string* TXelVocabulary::Text(int id) const {
  return const_cast<TXelVocabulary*>(this)->Text(id);
}

void TXelVocabulary::GetVarData(int id, TCatalogVarData& d, bool) {
  if (std::string* text = Text(id)) d.Str(text, false);
}

void TXelVocabulary::Clear() {
  ClearFields<TXelVocabulary>();
}
