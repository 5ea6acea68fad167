#include "core/sound_record.h"

void TXelMusic::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&FileName, false); break;
    case 2: d.Int(&FadeIn, 0); break;
    case 3: d.Int(&Volume, 100); break;
    case 4: d.Int(&Tempo, 100); break;
    case 5: d.Int(&Balance, 50); break;
    default: break;
  }
  // clang-format on
}

void TXelMusic::Clear() {
  ClearFields<TXelMusic>();
  FileName = SoundOffName;
}

void TXelMusic::Assign(const TCatalogBaseItem& source) {
  if (const auto* music = dynamic_cast<const TXelMusic*>(&source)) {
    FileName = music->FileName;
    FadeIn = music->FadeIn;
    Volume = music->Volume;
    Tempo = music->Tempo;
    Balance = music->Balance;
  } else {
    TCatalogBaseItem::Assign(source);
  }
}

void TXelSound::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&FileName, false); break;
    case 3: d.Int(&Volume, 100); break;
    case 4: d.Int(&Tempo, 100); break;
    case 5: d.Int(&Balance, 50); break;
    default: break;
  }
  // clang-format on
}

void TXelSound::Clear() {
  ClearFields<TXelSound>();
  FileName = SoundOffName;
}

void TXelSound::Assign(const TCatalogBaseItem& source) {
  if (const auto* sound = dynamic_cast<const TXelSound*>(&source)) {
    FileName = sound->FileName;
    Volume = sound->Volume;
    Tempo = sound->Tempo;
    Balance = sound->Balance;
  } else {
    TCatalogBaseItem::Assign(source);
  }
}
