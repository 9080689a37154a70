// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The point type of the rib geometry: model coordinates, as fractions of the
// chord (x 0 at the nose and 1 at the trailing edge, y above the chord line),
// held in single precision.
#include <limits>
#include <span>

namespace parvelin::geom {

struct Point {
    float modelX = 0.0f;
    float modelY = 0.0f;

    friend bool operator==(const Point&, const Point&) = default;
};

using Points = std::span<const Point>;

// A point computed from the stored ones in double precision: model
// coordinates (fractions of the chord) or lengths in the chord's unit.
struct ModelPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const ModelPoint&, const ModelPoint&) = default;
};

// Rounds a model coordinate formed in double precision to the single
// precision it is stored in. Beyond the float range the result is an
// infinity of the same sign (as IEEE rounding gives), made explicit because
// an out-of-range conversion is not defined by the language.
inline float modelFloat(double value) {
    // The halfway point between the largest float and the next power of two:
    // from there on, rounding to nearest gives infinity.
    constexpr double overflow = 0x1.ffffffp127;
    if (value >= overflow) return std::numeric_limits<float>::infinity();
    if (value <= -overflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace parvelin::geom
