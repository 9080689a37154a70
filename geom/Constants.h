// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every constant the rib geometry and its views use, named once.
#include <numbers>

namespace parvelin::geom {

// The program's value of pi, to ten decimals. The sheeting's corner
// bisectors, the turned square of the leading edge and the view angle are
// built on it; their results are kept exactly as that value gives them.
inline constexpr double kProgramPi = 3.1415926535;
inline constexpr double kQuarterTurn = kProgramPi / 4;
inline constexpr double kRadiansPerDegree = kProgramPi / 180;
// Exact pi, for folding angles into a half turn.
inline constexpr double kPi = std::numbers::pi;

// One millimetre in inches, as the single-precision factor printing scales by.
inline constexpr float kInchesPerMillimetre = 0.03937008f;

// A percentage of the chord as a fraction (single precision).
inline constexpr float kPercent = 0.01f;

// The nose region: the first 2.5 % of the chord (a double-precision bound).
inline constexpr double kNoseRegion = 0.025;

} // namespace parvelin::geom
