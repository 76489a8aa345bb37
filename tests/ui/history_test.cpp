// The history holds to its bound: the oldest step falls out first, and undo
// and redo walk back and forth over exactly what it keeps.
#include "ui/history.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(History, KeepsTheLastStepsWithinItsBound) {
  History history(2);
  Snapshot state;
  for (int step = 1; step <= 3; ++step) {
    history.record(state);
    state.game.played_ms = step;
  }
  for (const int expected : {2, 1, 1}) {
    history.undo(state);
    EXPECT_EQ(state.game.played_ms, expected);
  }
  EXPECT_FALSE(history.can_undo());
  EXPECT_TRUE(history.redo(state) && history.redo(state));
  EXPECT_EQ(state.game.played_ms, 3);
  EXPECT_FALSE(history.redo(state));

  History none(0);
  none.record(state);
  EXPECT_FALSE(none.undo(state));
}

}  // namespace
}  // namespace quorlen
