// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/WingPanel.h"

#include <array>
#include <cmath>

namespace parvelin::wing {
namespace {

// A last step shorter than this share of the rib spacing reaches the tip.
constexpr double kSliverSteps = 1e-3;

constexpr std::array<WingSideTraits, 3> kSides{{
    {WingSide::Left, "left", "Left", "L"},
    {WingSide::Right, "right", "Right", "R"},
    {WingSide::Both, "both", "Both", "LR"},
}};

bool positive(double value) { return std::isfinite(value) && value > 0.0; }

// Straight-line interpolation that gives both ends exactly.
double lerp(double root, double tip, double t) { return (1.0 - t) * root + t * tip; }

} // namespace

const WingSideTraits& traits(WingSide side) {
    for (const WingSideTraits& t : kSides)
        if (t.side == side) return t;
    return kSides.back();
}

bool wingSideNamed(const std::string& name, WingSide& side) {
    for (const WingSideTraits& t : kSides)
        if (name == t.name) {
            side = t.side;
            return true;
        }
    return false;
}

int ribCountOf(const WingPanel& panel) {
    if (panel.ribSpacing == 0.0) return panel.ribCount;
    if (!positive(panel.ribSpacing) || !positive(panel.span)) return 0;
    const double steps = panel.span / panel.ribSpacing;
    if (steps > kMaxRibs) return kMaxRibs + 1;
    // A last step shorter than a thousandth of the spacing counts as reaching
    // the tip: 300 / 30 gives 11 ribs, not 12 with a sliver at the end.
    const double whole = std::floor(steps + kSliverSteps);
    const int count = static_cast<int>(whole) + 1;
    return steps - whole > kSliverSteps ? count + 1 : count;
}

std::string validatePanel(const WingPanel& panel) {
    if (!positive(panel.span)) return "The span must be a length above 0.";
    if (!positive(panel.rootChord)) return "The root chord must be a length above 0.";
    if (!positive(panel.tipChord)) return "The tip chord must be a length above 0.";
    if (panel.ribSpacing != 0.0 && !positive(panel.ribSpacing))
        return "The rib spacing must be a length above 0 (or 0 to give the number of ribs).";
    const int count = ribCountOf(panel);
    if (count < kMinRibs) return "A wing panel needs at least 2 ribs (root and tip).";
    if (count > kMaxRibs) return "A wing panel has at most 500 ribs.";
    if (!std::isfinite(panel.sweep)) return "The sweep must be a number.";
    if (!std::isfinite(panel.sparRoot) || !std::isfinite(panel.sparTip))
        return "The spar positions must be numbers.";
    if (panel.sparRoot < 0.0 || panel.sparTip < 0.0) return "The spar positions must not be negative.";
    if (!std::isfinite(panel.washout) || std::abs(panel.washout) > kMaxWashoutDegrees)
        return "The washout must lie between -45 and 45 degrees.";
    return {};
}

std::vector<RibStation> ribStations(const WingPanel& panel) {
    if (!validatePanel(panel).empty()) return {};
    const int count = ribCountOf(panel);
    const double sparRoot = panel.sparInPercent ? panel.sparRoot * 0.01 * panel.rootChord : panel.sparRoot;
    const double sparTip = panel.sparInPercent ? panel.sparTip * 0.01 * panel.tipChord : panel.sparTip;
    std::vector<RibStation> ribs;
    ribs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        RibStation r;
        r.number = i + 1;
        if (i == count - 1)
            r.station = panel.span;
        else if (panel.ribSpacing > 0.0)
            r.station = i * panel.ribSpacing;
        else
            r.station = panel.span * i / (count - 1);
        r.fraction = i == count - 1 ? 1.0 : r.station / panel.span;
        r.chord = lerp(panel.rootChord, panel.tipChord, r.fraction);
        r.leadingEdge = r.fraction * panel.sweep;
        // The spar's front edge is a straight line in plan from its root
        // point to its tip point; so is the leading edge, so the distance
        // between them changes linearly too.
        r.sparDistance = lerp(sparRoot, sparTip, r.fraction);
        r.washout = r.fraction * panel.washout;
        ribs.push_back(r);
    }
    return ribs;
}

} // namespace parvelin::wing
