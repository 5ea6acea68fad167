// Load and save of a generated database of about 20 MB, beside copying the same bytes as
// one block (the floor for any reader or writer): a reload into the records a database
// keeps, the first load of a project's file into a new database, and the save to disk beside
// writing and syncing the same bytes.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "bench/bench_folder.h"
#include "bench/bench_sync_write.h"

#include "core/database.h"
#include "core/project_path.h"
#include "core/stream.h"
#include "core/system_records.h"
#include "tests/core/database_generator.h"

namespace {

TXelDataBase& Generated() {
  static TXelDataBase* db = [] {
    auto* made = new TXelDataBase;
    TDataBaseGenerator(2024).Fill(*made, 3000);
    return made;
  }();
  return *db;
}

const std::vector<uint8_t>& GeneratedBytes() {
  static const std::vector<uint8_t> bytes = [] {
    TMemoryStream s;
    Generated().SaveToStream(s);
    return s.Bytes();
  }();
  return bytes;
}

void BM_SaveDataBase(benchmark::State& state) {
  TXelDataBase& db = Generated();
  const size_t size = GeneratedBytes().size();
  // One buffer written over by every save, as SaveDataBaseFile keeps its own.
  TMemoryStream s;
  for (auto _ : state) {
    s.SetSize(0);
    db.SaveToStream(s);
    benchmark::DoNotOptimize(s.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_SaveDataBase)->Unit(benchmark::kMillisecond);

// Opening a project: the main window's database, as made at start, loaded from the
// project's file as opening a project loads it (the file resolved, read from disk and
// parsed; every record made afresh), in a process that has not loaded a database before.
// Each load runs in a child forked from this process, before any database was freed here
// (it runs ahead of the reload below), so its records take fresh memory as they do in the
// editor; the child reports its time.
void BM_FirstLoadDataBase(benchmark::State& state) {
  TBenchFolder folder;
  const auto& bytes = GeneratedBytes();
  WriteAndSync((folder.Root() / DataBaseFileName).string(), bytes.data(), bytes.size());
  for (auto _ : state) {
    int channel[2];
    if (pipe(channel) != 0) std::abort();
    const pid_t child = fork();
    if (child == 0) {
      TXelDataBase db;
      ProjectPath = folder.AsProjectPath();
      const auto start = std::chrono::steady_clock::now();
      db.LoadProjectDataBase();
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (db.Players().GetCount() > 1) {
        [[maybe_unused]] const ssize_t n = write(channel[1], &seconds, sizeof seconds);
      }
      _exit(0);
    }
    close(channel[1]);
    double seconds = 0;
    const bool got = read(channel[0], &seconds, sizeof seconds) == sizeof seconds;
    close(channel[0]);
    waitpid(child, nullptr, 0);
    if (!got) {
      state.SkipWithError("the child did not load the database");
      return;
    }
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_FirstLoadDataBase)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LoadDataBase(benchmark::State& state) {
  const auto& bytes = GeneratedBytes();
  TXelDataBase db;
  TMemoryStream s(bytes.data(), bytes.size());
  for (auto _ : state) {
    db.Reset(); // a changed file: everything is parsed
    s.SetPosition(0);
    db.LoadFromStream(s);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadDataBase)->Unit(benchmark::kMillisecond);

void BM_SaveDataBaseFile(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = (folder.Root() / "KOVAX.ldb").string();
  TXelDataBase& db = Generated();
  db.SaveDataBaseFile(path);
  for (auto _ : state)
    db.SaveDataBaseFile(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * GeneratedBytes().size()));
}
BENCHMARK(BM_SaveDataBaseFile)->Unit(benchmark::kMillisecond);

void BM_WriteAndSyncDataBaseBytes(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = (folder.Root() / "KOVAX.ldb").string();
  const auto& bytes = GeneratedBytes();
  WriteAndSync(path, bytes.data(), bytes.size());
  for (auto _ : state)
    WriteAndSync(path, bytes.data(), bytes.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_WriteAndSyncDataBaseBytes)->Unit(benchmark::kMillisecond);

void BM_CopyBlockFloor(benchmark::State& state) {
  const auto& bytes = GeneratedBytes();
  std::vector<uint8_t> target(bytes.size());
  for (auto _ : state) {
    std::memcpy(target.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CopyBlockFloor)->Unit(benchmark::kMillisecond);

} // namespace
