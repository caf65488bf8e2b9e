#include "credits_timing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "credits_table.h"

namespace zorvan {
namespace {

// One tick followed by its paint, as the dialog's messages arrive.
bool Step(CreditsClock& clock) {
  const bool took = TickCreditsClock(clock);
  ApplyLineStyle(clock);
  return took;
}

TEST(CreditsTable, HasItsShapeAndMarkers) {
  const int headings[] = {0, 9, 22, 34};
  int headingCount = 0, nameCount = 0, blankCount = 0;
  for (int row = 0; row < kCreditsRows; ++row) {
    const char* text = CreditsTable[row];
    const std::size_t length = std::strlen(text);
    if (length == 0) {
      ++blankCount;
      continue;
    }
    const char marker = text[length - 1];
    ASSERT_TRUE(marker == kHeadingMarker || marker == kNameMarker) << row;
    if (marker == kHeadingMarker) {
      EXPECT_EQ(headings[headingCount], row);
      ++headingCount;
    } else {
      ++nameCount;
    }
  }
  EXPECT_EQ(4, headingCount);
  EXPECT_EQ(3 + 9 + 8 + 3, nameCount);
  EXPECT_EQ(50 - 4 - 23, blankCount);
  EXPECT_STREQ("Tavelin Pro Ver 6.0\t", CreditsTable[0]);
  EXPECT_STREQ("*** Developers ***\t", CreditsTable[9]);
  EXPECT_STREQ("*** Testers ***\t", CreditsTable[22]);
  EXPECT_STREQ("*** Contributions ***\t", CreditsTable[34]);
  for (int row = 39; row < 50; ++row) EXPECT_STREQ("", CreditsTable[row]) << row;
}

TEST(CreditsClock, RowZeroComesAtTheFifteenthTick) {
  CreditsClock clock;
  StartCreditsClock(clock);
  for (int tick = 1; tick <= 14; ++tick) {
    EXPECT_FALSE(Step(clock)) << tick;
    EXPECT_EQ(nullptr, clock.currentLine);
  }
  EXPECT_TRUE(Step(clock));
  EXPECT_EQ(CreditsTable[0], clock.currentLine);
  EXPECT_EQ(1, clock.drawnRows);
  EXPECT_EQ(kHeadingHeight, clock.lineHeight);
}

// How many ticks each row lasts, over two passes.
TEST(CreditsClock, HeadingsSeventeenNamesFifteenAndAPassOf766Ticks) {
  CreditsClock clock;
  StartCreditsClock(clock);
  while (!Step(clock)) {
  }
  int row = 0, ticksInRow = 1, ticksInPass = 1;
  std::vector<int> lengths;
  for (int tick = 0; tick < 2 * 766; ++tick) {
    if (Step(clock)) {
      lengths.push_back(ticksInRow);
      ticksInRow = 0;
      row = (row + 1) % kCreditsRows;
      if (row == 0) {
        EXPECT_EQ(766, ticksInPass);
        ticksInPass = 0;
      }
    }
    ++ticksInRow;
    ++ticksInPass;
    EXPECT_LE(clock.drawnRows, clock.lineHeight);
  }
  ASSERT_GE(lengths.size(), 50u);
  EXPECT_EQ(17, lengths[0]);  // heading
  EXPECT_EQ(17, lengths[1]);  // the blank row after it
  EXPECT_EQ(15, lengths[2]);  // the first name row
  EXPECT_EQ(15, lengths[5]);  // blank after names
  EXPECT_EQ(17, lengths[9]);
  EXPECT_EQ(17, lengths[10]);
  EXPECT_EQ(15, lengths[49]);  // the last blank; row 0 follows directly
}

TEST(CreditsClock, RowZeroFollowsRowFortyNine) {
  CreditsClock clock;
  StartCreditsClock(clock);
  clock.nextRow = 49;
  clock.tickCount = 15;
  EXPECT_TRUE(Step(clock));
  EXPECT_EQ(CreditsTable[49], clock.currentLine);
  EXPECT_EQ(0, clock.nextRow);
}

}  // namespace
}  // namespace zorvan
