#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/board.h"
#include "board/units.h"
#include "solver/solver.h"

namespace quorlen {
namespace {

std::vector<int> cells_of(int unit) { return {kUnitCells[unit].begin() + 1, kUnitCells[unit].end()}; }

TEST(Units, CellsRunDownTheColumns) {
  EXPECT_EQ(cell_column(10), 2);
  EXPECT_EQ(cell_row(10), 1);
  EXPECT_EQ(cell_column(81), 9);
  EXPECT_EQ(cell_row(81), 9);
  EXPECT_EQ(grid_index(0, 1), 9);  // top cell of the second column
}

TEST(Units, ListsFollowTheFixedPositionOrder) {
  EXPECT_EQ(cells_of(2), (std::vector<int>{10, 11, 12, 13, 14, 15, 16, 17, 18}));
  EXPECT_EQ(cells_of(10), (std::vector<int>{1, 10, 19, 28, 37, 46, 55, 64, 73}));
  EXPECT_EQ(cells_of(11), (std::vector<int>{2, 11, 20, 29, 38, 47, 56, 65, 74}));
  EXPECT_EQ(cells_of(18), (std::vector<int>{9, 18, 27, 36, 45, 54, 63, 72, 81}));
  EXPECT_EQ(cells_of(19), (std::vector<int>{1, 2, 3, 10, 11, 12, 19, 20, 21}));
  EXPECT_EQ(cells_of(20), (std::vector<int>{4, 5, 6, 13, 14, 15, 22, 23, 24}));
  EXPECT_EQ(cells_of(22), (std::vector<int>{28, 29, 30, 37, 38, 39, 46, 47, 48}));
  EXPECT_EQ(cells_of(27), (std::vector<int>{61, 62, 63, 70, 71, 72, 79, 80, 81}));
}

TEST(Units, EveryCellLiesInOneUnitOfEachKind) {
  for (int kind = 0; kind < 3; ++kind) {
    std::vector<int> seen(82, 0);
    for (int unit = 1 + 9 * kind; unit <= 9 + 9 * kind; ++unit) {
      for (int cell : cells_of(unit)) ++seen[cell];
    }
    EXPECT_TRUE(std::all_of(seen.begin() + 1, seen.end(), [](int n) { return n == 1; })) << "kind " << kind;
  }
}

TEST(Masks, SingleDigitRecognisesOnlyOneBitOneToNine) {
  int sum = 0;
  for (int d = 1; d <= 9; ++d) {
    EXPECT_EQ(single_digit(digit_mask(d)), d);
    sum += digit_mask(d);
  }
  EXPECT_EQ(sum, kAllDigits);
  for (int mask : {0, 1, 6, 1022, 1023, 1024, -2}) EXPECT_EQ(single_digit(mask), 0) << mask;
}

TEST(Masks, LatestPosIntersectsBitsOneToNine) {
  EXPECT_EQ(latest_pos(1022, 1022), 1022);
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(latest_pos(1022, digit_mask(d)), digit_mask(d));
  EXPECT_EQ(latest_pos(0, 1022), 0);
  EXPECT_EQ(latest_pos(6, 12), 4);
  EXPECT_EQ(latest_pos(1023, 6), 6);    // bit 0 never counts
  EXPECT_EQ(latest_pos(-2, 1022), 0);   // a negative operand holds no digit
  EXPECT_EQ(latest_pos(-3586, 1022), 0);
  EXPECT_EQ(latest_pos(1024, 1022), 1022);  // 1024 and more hold every digit
  EXPECT_EQ(latest_pos(4608, 40), 40);
}

// The intersection as the solver has always worked it out: from bit 9
// down, comparing and subtracting powers of two.
int intersect_by_subtraction(int pos, int num) {
  int result = 0;
  for (int bit = 9; bit >= 1; --bit) {
    const int t = 1 << bit;
    if (pos >= t && num >= t) result += t;
    if (pos >= t) pos -= t;
    if (num >= t) num -= t;
  }
  return result;
}

TEST(Masks, LatestPosAgreesWithSubtractionForEveryOperandThatCanOccur) {
  // Masks are 16-bit; the allowed masks of a unit with repeated digits go
  // down to 1022 - 9 * 512.
  std::vector<int> operands;
  for (int x = -4096; x <= 4700; ++x) operands.push_back(x);
  for (int x : {-32768, -16385, -16384, 8191, 8192, 16384, 32767}) operands.push_back(x);
  for (int num : {0, 1, 2, 6, 512, 1022, 1023, 1024, 2047, -2, -1023}) {
    for (int pos : operands) {
      ASSERT_EQ(latest_pos(pos, num), intersect_by_subtraction(pos, num)) << pos << " " << num;
      ASSERT_EQ(latest_pos(num, pos), intersect_by_subtraction(num, pos)) << num << " " << pos;
    }
  }
  for (int pos = -1100; pos <= 1100; pos += 3) {
    for (int num = -1100; num <= 1100; num += 7) ASSERT_EQ(latest_pos(pos, num), intersect_by_subtraction(pos, num));
  }
}

TEST(Counters, SaturateInsteadOfWrapping) {
  std::int32_t counter = INT32_MAX - 1;
  saturating_increment(counter);
  saturating_increment(counter);
  EXPECT_EQ(counter, INT32_MAX);
}

}  // namespace
}  // namespace quorlen
