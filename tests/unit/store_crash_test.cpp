// Kills a process at random moments while it changes the store, then checks that the
// store reopens with every record whole and exactly the games of the last committed
// action, or of the one after it if that commit had landed: never a torn record, a
// half-swapped pair, a lost or a doubled game.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
// (<chrono> is kept out: its micro sign has no GBK form and the tests compile as GBK.)

#include "app/texts.h"
#include "catalogue/game_store.h"
#include "../support/temp_dir.h"

namespace tolvar {
namespace {

using testing_support::TempDir;

std::string picture(int id, char kind) {
  // Several kilobytes, so that a record spans pages and a torn write would show.
  return std::string(2000 + (id % 7) * 500, static_cast<char>('A' + id % 26)) + kind + std::to_string(id);
}

std::vector<FieldValue> gameRecord(int number, int id) {
  return {FieldValue::ofInteger(number), FieldValue::ofText("g" + std::to_string(id)),
          FieldValue::ofText("D:\\Games\\" + std::to_string(id) + "\\game.exe"),
          FieldValue::ofBytes(picture(id, 'n')), FieldValue::ofBytes(picture(id, 'h'))};
}

void renumber(RecordStore& store) {
  store.goToFirst();
  for (int i = 1; i <= store.recordCount(); ++i) {
    store.writeField(texts::fieldNumber, FieldValue::ofInteger(i));
    store.skipRecord();
  }
}

// One user-level action on the model (game ids in record order) and, when given, on the
// store, in one transaction as the program does it.
void step(std::mt19937& rng, std::vector<int>& model, int& nextId, RecordStore* store) {
  const unsigned r = rng() % 10;
  const int k = static_cast<int>(model.size());
  if (k < 3 || r < 4) {
    const int id = nextId++;
    model.push_back(id);
    if (store) {
      RecordStore::Transaction append(*store);
      store->appendRecord(gameRecord(k + 1, id));
      append.commit();
    }
  } else if (r < 7) {
    const int s = static_cast<int>(rng() % k) + 1;
    const int t = static_cast<int>(rng() % k) + 1;
    std::swap(model[s - 1], model[t - 1]);
    if (store) swapGameRecords(*store, s, t);
  } else if (r < 9) {
    const int n = static_cast<int>(rng() % k) + 1;
    model.erase(model.begin() + (n - 1));
    if (store) {
      RecordStore::Transaction remove(*store);
      store->goToRecord(n);
      store->deleteCurrent();
      store->purgeDeleted();
      renumber(*store);
      remove.commit();
    }
  } else if (store) {
    RecordStore::Transaction relayout(*store);
    renumber(*store);
    relayout.commit();
  }
}

std::vector<int> modelAfter(unsigned seed, int initial, int actions) {
  std::mt19937 rng(seed);
  std::vector<int> model;
  for (int i = 0; i < initial; ++i) model.push_back(i);
  int nextId = initial;
  for (int i = 0; i < actions; ++i) step(rng, model, nextId, nullptr);
  return model;
}

// Reads the store back; each record must be whole and belong to one game id.
std::vector<int> readGames(RecordStore& store, std::string* fault) {
  std::vector<int> ids;
  store.goToFirst();
  for (int n = 1; n <= store.recordCount(); ++n) {
    const std::string name = readTextField(store, texts::fieldName);
    const int id = std::atoi(name.c_str() + 1);
    const auto expected = gameRecord(n, id);
    if (store.readField(texts::fieldNumber).integer != n) *fault = "number of record " + std::to_string(n);
    if (readTextField(store, texts::fieldPath) != expected[2].data ||
        readBytesField(store, texts::fieldNormalImage) != expected[3].data ||
        readBytesField(store, texts::fieldHotImage) != expected[4].data) {
      *fault = "record " + std::to_string(n) + " is not whole";
    }
    ids.push_back(id);
    store.skipRecord();
  }
  return ids;
}

TEST(StoreCrash, KilledAtRandomMomentsLosesNothingAndTearsNothing) {
  constexpr int trials = 40;
  constexpr int initialGames = 5;
  std::mt19937 outer(20261211);
  for (int trial = 0; trial < trials; ++trial) {
    TempDir dir;
    const std::string path = dir.file("Gameinfo.edb");
    {
      ASSERT_TRUE(RecordStore::createStore(path, gameFieldSpec()));
      RecordStore store{gameFieldSpec()};
      ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
      for (int i = 0; i < initialGames; ++i) store.appendRecord(gameRecord(i + 1, i));
    }
    const unsigned seed = outer();
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      RecordStore store{gameFieldSpec()};
      if (store.openStore(path) != StoreOpenResult::opened) _exit(2);
      std::mt19937 rng(seed);
      std::vector<int> model;
      for (int i = 0; i < initialGames; ++i) model.push_back(i);
      int nextId = initialGames;
      for (int32_t done = 1; done < 1000000; ++done) {
        step(rng, model, nextId, &store);
        if (write(fds[1], &done, sizeof done) != sizeof done) _exit(3);
      }
      _exit(0);
    }
    close(fds[1]);
    usleep(static_cast<useconds_t>(1000 * (5 + outer() % 120)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child ended on its own, status " << status;
    int32_t committed = 0;
    int32_t value = 0;
    while (read(fds[0], &value, sizeof value) == sizeof value) committed = value;
    close(fds[0]);

    RecordStore store{gameFieldSpec()};
    ASSERT_EQ(store.openStore(path), StoreOpenResult::opened) << "trial " << trial;
    std::string fault;
    const std::vector<int> games = readGames(store, &fault);
    EXPECT_EQ(fault, "") << "trial " << trial << " after " << committed << " actions";
    const auto before = modelAfter(seed, initialGames, committed);
    const auto after = modelAfter(seed, initialGames, committed + 1);
    EXPECT_TRUE(games == before || games == after)
        << "trial " << trial << ": store does not match the state after action " << committed << " or "
        << committed + 1;
  }
}

}  // namespace
}  // namespace tolvar
