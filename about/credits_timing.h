// The tick arithmetic of the credits scroller, apart from any drawing:
// which row is current, how many of its pixel rows are drawn, and when
// the next row starts. One tick scrolls the display up by one pixel.
#pragma once

namespace zorvan {

inline constexpr int kHeadingHeight = 17;
inline constexpr int kNameHeight = 15;

struct CreditsClock {
  const char* currentLine = nullptr;  // the row being drawn, or none
  int drawnRows = 0;                  // pixel rows of it drawn so far
  int nextRow = 0;                    // the row to take next, 0..49
  int lineHeight = kNameHeight;       // pixel rows given to the current line
  int tickCount = 1;                  // ticks within the current line
};

// A fresh start: a black lead-in, then row 0.
void StartCreditsClock(CreditsClock& clock);
// One tick; true when it took the next row.
bool TickCreditsClock(CreditsClock& clock);
// What painting the current line decides: a heading is 17 pixel rows high,
// a name 15; a blank row keeps the height of the row before it. Returns the
// kind's marker, or 0 for a blank row or none.
char ApplyLineStyle(CreditsClock& clock);

}  // namespace zorvan
