// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a machine file makes the machine do, as plain moves for the preview
// and the checks: travel (beam off, or the wire above the work) and cutting.
// Every length here is in millimetres: G-code files are written in G21.
#include <string>
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::machine {

using wing::Polygon;
using wing::Vec2;

enum class MoveKind { Travel, Cut };

// One straight move. A laser uses `to` only; a four-axis hot wire moves its
// first tower's carriage to `to` and the second's to `toSecond` at once.
struct PathMove {
    MoveKind kind = MoveKind::Travel;
    Vec2 to;
    Vec2 toSecond;
};

struct ToolPath {
    Vec2 start;                  // where the machine stands before the first move
    Vec2 startSecond;
    std::vector<PathMove> moves;
};

// A setting a machine file cannot be made with: the setting's name as the
// command line gives it ("feed", "power") and what is wrong, in words for
// the user. An empty message: every setting is sound.
struct SettingProblem {
    std::string setting;
    std::string message;
    explicit operator bool() const { return !message.empty(); }
};

// A coordinate as G-code takes it: fixed point, three decimals (a
// micrometre), no trailing zeros, never "-0", independent of the locale.
std::string gcodeNumber(double value);
// The value that text stands for: rounded to the micrometre.
double gcodeRounded(double value);

} // namespace parvelin::machine
