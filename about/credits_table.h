// The rows of the About box's hidden credits display. The last character
// of a non-empty row marks its kind and is never drawn: a tab a heading, a
// form feed a name. An empty row is blank.
#pragma once

namespace zorvan {

inline constexpr int kCreditsRows = 50;
inline constexpr char kHeadingMarker = '\t';
inline constexpr char kNameMarker = '\f';

extern const char* const CreditsTable[kCreditsRows];

}  // namespace zorvan
