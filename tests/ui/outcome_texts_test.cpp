#include "ui/outcome_texts.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(OutcomeTexts, ValidationTextsNameTheUnitAndForLinesTheCells) {
  EXPECT_EQ(validation_text({3, 7, 20, 26}),
            "   Validation failed for column 3 - The number 7 is getting repeated   20  26");
  EXPECT_EQ(validation_text({13, 2, 4, 76}),
            "   Validation failed for row 4 - The number 2 is getting repeated   4  76");
  EXPECT_EQ(validation_text({23, 9, 31, 50}),
            "   Validation failed for 3x3 box 5 - The number 9 is getting repeated.   ");
}

TEST(OutcomeTexts, DifficultyLevels) {
  EXPECT_EQ(difficulty_caption(0), "Difficulty     : 0 (Easy)");
  EXPECT_EQ(difficulty_caption(1), "Difficulty     : 1 (Medium)");
  EXPECT_EQ(difficulty_caption(2), "Difficulty     : 2 (Difficult)");
  EXPECT_EQ(difficulty_caption(3), "Difficulty     : 3 (Very Difficult)");
  EXPECT_EQ(difficulty_caption(INT32_MAX), "Difficulty     : 2147483647 (Very Difficult)");
  EXPECT_EQ(guessed_caption(12), "Yes  12");
}

}  // namespace
}  // namespace quorlen
