// Status codes that the calculation hands back to its COM wrapper. The values
// are the COM HRESULTs the interface reports; this header has no Windows
// dependency so the core builds and is tested natively.
#pragma once
#include <cstdint>

namespace zorvan {

using Status = std::int32_t;

inline constexpr Status kStatusOk = 0;
// CTL_E_INVALIDPROPERTYVALUE: a property write outside the accepted range.
inline constexpr Status kInvalidPropertyValue = static_cast<Status>(0x800A017Cu);

}  // namespace zorvan
