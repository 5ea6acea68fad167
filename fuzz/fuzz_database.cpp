// Loads whole database files from arbitrary bytes: every input raises the read error or
// loads; what loads saves and reloads to stable bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 524288

#include <cstdlib>

#include "core/database.h"
#include "core/errors.h"
#include "core/stream.h"
#include "core/system_records.h"
#include "fuzz_seeds.h"
#include "tests/core/database_generator.h"

namespace {

std::vector<uint8_t> Save(TXelDataBase& db) {
  db.System().SaveCount = 0; // every save raises it; keep the bytes comparable
  TMemoryStream s;
  db.SaveToStream(s);
  return s.Bytes();
}

void Load(TXelDataBase& db, const std::vector<uint8_t>& bytes) {
  TMemoryStream s(bytes);
  db.LoadFromStream(s);
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TXelDataBase db;
  FuzzSeeds seeds{Save(db)};
  TDataBaseGenerator(7).Fill(db, 2);
  seeds.push_back(Save(db));
  // Several small ones, so that the run starts among quick inputs rather than spending
  // itself on mutants of the large one.
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    TXelDataBase small;
    TDataBaseGenerator(seed).Fill(small, 1);
    seeds.push_back(Save(small));
  }
  // A full database of realistic size: every table filled.
  TXelDataBase full;
  TDataBaseGenerator(8).Fill(full, 60);
  seeds.push_back(Save(full));
  return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Made for each input: a database kept from input to input would keep the records it
  // reuses, and libFuzzer would then run its leak check after every input that needed more.
  TXelDataBase db;
  TMemoryStream in(data, size);
  try {
    db.LoadFromStream(in);
  } catch (const EReadError&) {
    return 0;
  }
  // A big database is only loaded: its round trip would cost several loads and saves.
  if (size > 65536) return 0;
  // Per-id arrays may be cut once more on the first re-save (to the loaded table counts);
  // from then on the bytes must be stable.
  const auto first = Save(db);
  Load(db, first);
  const auto second = Save(db);
  if (second == first) return 0; // stable already: another round would repeat this one
  Load(db, second);
  if (Save(db) != second) std::abort();
  return 0;
}
