// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device coordinates are 32-bit integers made by truncation toward zero.
// Converting a non-finite or out-of-range double to int is undefined in C++,
// so every device coordinate goes through this saturating conversion.
#include <cmath>
#include <cstdint>
#include <limits>

namespace parvelin {

inline std::int32_t deviceCoord(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (value <= lo) return std::numeric_limits<std::int32_t>::min();
    if (value >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);  // truncates toward zero
}

// A device coordinate moved by a few pixels, saturating at the ends of the range.
inline std::int32_t deviceOffset(std::int32_t value, int offset) {
    return deviceCoord(static_cast<double>(value) + offset);
}

} // namespace parvelin
