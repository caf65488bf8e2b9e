#include "credits_timing.h"

#include <cstring>

#include "credits_table.h"

namespace zorvan {

void StartCreditsClock(CreditsClock& clock) {
  clock.drawnRows = 0;
  clock.nextRow = 0;
  clock.tickCount = 1;
  clock.lineHeight = kNameHeight;
  clock.currentLine = nullptr;
}

bool TickCreditsClock(CreditsClock& clock) {
  const int c = clock.tickCount;
  clock.tickCount = c + 1;
  bool took = false;
  if (c % clock.lineHeight == 0) {
    clock.currentLine = CreditsTable[clock.nextRow];
    clock.tickCount = 1;
    clock.nextRow = clock.nextRow + 1 > kCreditsRows - 1 ? 0 : clock.nextRow + 1;
    clock.drawnRows = 0;
    took = true;
  }
  ++clock.drawnRows;
  return took;
}

char ApplyLineStyle(CreditsClock& clock) {
  if (clock.currentLine == nullptr || clock.currentLine[0] == '\0') return 0;
  const char marker = clock.currentLine[std::strlen(clock.currentLine) - 1];
  if (marker == kHeadingMarker) clock.lineHeight = kHeadingHeight;
  else if (marker == kNameMarker) clock.lineHeight = kNameHeight;
  return marker;
}

}  // namespace zorvan
