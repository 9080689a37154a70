// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tolerances more than one part of the geometry compares against, each
// named once with the reason for its size. A tolerance with a single user is
// named beside that user instead.

namespace parvelin::geom {

// Two parameters along a segment (0 to 1) closer than this are one crossing:
// far below the 1e-7 a float coordinate resolves on a unit chord, far above
// the double's own rounding of a quotient near 1.
inline constexpr double kSameParameter = 1e-12;

// A sum of two unit vectors shorter than this has no direction: the path
// turned straight back on itself (the vectors cancel to rounding, 1e-16,
// long before this).
inline constexpr double kCancelledLength = 1e-12;

// Slack for a quotient of lengths that should be a whole number of cells,
// sheets or columns, or a length that should just fit: rounding of lengths in
// millimetres (1e-13 relative) must not add a whole cell or refuse an exact
// fit. A billionth of a millimetre is far below anything a cutter resolves.
inline constexpr double kFitSlack = 1e-9;

// One score counts as better than another only past this relative margin, so
// that two layouts equal to rounding keep the first found.
inline constexpr double kRelativeMargin = 1e-12;

// The smallest divisor a division by a length or determinant may meet: below
// it the quotient would overflow, and the case is degenerate anyway.
inline constexpr double kSmallestDivisor = 1e-300;

} // namespace parvelin::geom
