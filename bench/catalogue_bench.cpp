// The catalogue's hot paths with a full grid (220 games on 1366 x 768), each beside a
// reference measured in the same run:
//   relayout of 220 buttons (simulated windows, real store)   vs  the grid arithmetic alone
// (The relayout of real windows is part of the start-up figure of the Windows run.)
//   renumbering 220 records in one transaction                 vs  220 separate commits
#include <benchmark/benchmark.h>

#include <memory>

#include "app/program_state.h"
#include "app/texts.h"
#include "catalogue/game_store.h"
#include "dock/grid.h"
#include "dock/layout.h"
#include "platform/sim/sim_platform.h"
#include "../tests/support/temp_dir.h"

namespace tolvar {
namespace {

constexpr int fullGrid = 220;

struct FullStore {
  testing_support::TempDir dir;
  std::string path = dir.file(texts::storeFileName);
  RecordStore store{gameFieldSpec()};
  FullStore() {
    RecordStore::createStore(path, gameFieldSpec());
    store.openStore(path);
    const std::string picture(3126, 'p');  // the size of a 32 x 32 24-bit BMP
    RecordStore::Transaction fill(store);
    for (int i = 1; i <= fullGrid; ++i) {
      store.appendRecord({FieldValue::ofInteger(i), FieldValue::ofText("game" + std::to_string(i)),
                          FieldValue::ofText("D:\\Games\\game.exe"), FieldValue::ofBytes(picture),
                          FieldValue::ofBytes(picture)});
    }
    fill.commit();
  }
};

// Every number changes (as after a delete near the front): SQLite skips writing a page
// whose content stays the same, so renumbering an already numbered store costs nothing.
void renumber(RecordStore& store, int& base) {
  base = base == 0 ? 1000 : 0;
  store.goToFirst();
  for (int i = 1; i <= store.recordCount(); ++i) {
    store.writeField(texts::fieldNumber, FieldValue::ofInteger(base + i));
    store.skipRecord();
  }
}

void BM_RenumberOneTransaction(benchmark::State& state) {
  FullStore full;
  int base = 0;
  for (auto _ : state) {
    RecordStore::Transaction relayout(full.store);
    renumber(full.store, base);
    relayout.commit();
  }
}
BENCHMARK(BM_RenumberOneTransaction)->Unit(benchmark::kMillisecond);

void BM_Reference_RenumberSeparateCommits(benchmark::State& state) {
  FullStore full;
  int base = 0;
  for (auto _ : state) renumber(full.store, base);
}
BENCHMARK(BM_Reference_RenumberSeparateCommits)->Unit(benchmark::kMillisecond);

void BM_Relayout220(benchmark::State& state) {
  testing_support::TempDir dir;
  SimPlatform platform{dir.str()};
  auto program = std::make_unique<ProgramState>();
  FullStore full;
  program->barHandle = platform.barWindow();
  program->screenWidth = 1366;
  program->screenHeight = 768;
  program->gridColumns = 22;
  program->gridRows = 10;
  full.store.closeStore();
  program->store.openStore(full.path);
  for (int i = 0; i < fullGrid; ++i) createAndPlaceButton(*program, platform, edgeTop);
  for (auto _ : state) {
    // Shuffle the stored numbers so that each relayout really rewrites them.
    state.PauseTiming();
    int base = 0;
    renumber(program->store, base);
    state.ResumeTiming();
    relayoutAllButtons(*program, platform, edgeTop);
  }
}
BENCHMARK(BM_Relayout220)->Unit(benchmark::kMillisecond);

void BM_Reference_GridArithmetic220(benchmark::State& state) {
  const GridMetrics m{1366, 768, 50, 65, 10, 22, 10};
  for (auto _ : state) {
    for (int i = 1; i <= fullGrid; ++i) benchmark::DoNotOptimize(buttonOrigin(edgeTop, m, i));
    benchmark::DoNotOptimize(dockedBarRect(edgeTop, m, fullGrid));
  }
}
BENCHMARK(BM_Reference_GridArithmetic220)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolvar

BENCHMARK_MAIN();
