// Fifteen-digit decimal text of a double, as the tax computation takes it.
//
// The text is the value rounded to 15 significant digits (to nearest), in
// general notation: plain for decimal exponents -4 to 14, exponent notation
// with an upper-case 'E' otherwise; '.' as the point, no separators, no
// trailing zeros. It does not depend on the process locale or on any C
// runtime's printf. A text with more than 15 counted characters (the sign
// and the point are not counted), or in exponent notation, is replaced by
// the text "E", which reads back as 0. A NaN is written "NaN" and reads back
// as a NaN.
#pragma once

namespace zorvan {

inline constexpr int kPlainDecimalBufferSize = 24;

// Writes the kept text, or "E", into text (24 bytes, NUL-terminated).
void FormatPlainDecimal(double value, char (&text)[kPlainDecimalBufferSize]);

// Reads a text that FormatPlainDecimal wrote back as a double. A text that
// does not start with a number ("E") reads as 0.
double ReadPlainDecimal(const char* text);

// What ReadPlainDecimal(FormatPlainDecimal(value)) gives, without building
// the text when it need not: the computation's fast path.
double PlainDecimalValue(double value);

}  // namespace zorvan
