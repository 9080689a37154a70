// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One wing panel in plan: its span, the chords at root and tip, where its
// ribs stand, the sweep, the spar line and the washout. Every rib takes its
// chord, leading-edge position, spar distance and washout by straight-line
// interpolation over its span station.
#include <string>
#include <vector>

namespace parvelin::wing {

inline constexpr int kMinRibs = 2;
inline constexpr int kMaxRibs = 500;
// Washout beyond this many degrees either way is refused as a typing error.
inline constexpr double kMaxWashoutDegrees = 45.0;

// Which panels are built: each rib of a left panel is labelled "L", of a
// right panel "R"; both panels make every rib twice.
enum class WingSide { Left, Right, Both };

struct WingSideTraits {
    WingSide side;
    const char* name;     // command-line and project-file word
    const char* label;    // the dialog's choice
    const char* letters;  // the suffixes of the rib labels, in order
};
const WingSideTraits& traits(WingSide side);
// The side with this name ("left", "right", "both"); false when none has it.
bool wingSideNamed(const std::string& name, WingSide& side);

struct WingPanel {
    double span = 500.0;        // root rib to tip rib, in the chord's unit
    double rootChord = 150.0;
    double tipChord = 100.0;
    int ribCount = 11;          // taken when ribSpacing is 0
    double ribSpacing = 0.0;    // above 0: a rib every ribSpacing from the root, and one at the tip
    double sweep = 0.0;         // the tip's leading edge this far aft of the root's
    double sparRoot = 30.0;     // spar's front edge at the root: percent of the chord or distance from the LE
    double sparTip = 30.0;      // the same at the tip
    bool sparInPercent = true;
    double washout = 0.0;       // degrees, nose down at the tip; 0 at the root
    WingSide side = WingSide::Both;

    friend bool operator==(const WingPanel&, const WingPanel&) = default;
};

// Where one rib stands and what it takes from the panel.
struct RibStation {
    int number = 0;            // 1 at the root
    double station = 0.0;      // distance from the root rib
    double fraction = 0.0;     // station / span: 0 at the root, 1 at the tip
    double chord = 0.0;
    double leadingEdge = 0.0;  // the leading edge's offset aft of the root's in plan
    double sparDistance = 0.0; // spar's front edge from the leading edge, a length
    double washout = 0.0;      // degrees
};

// The first thing wrong with the panel's values, in words for the user;
// empty when the panel can be built.
std::string validatePanel(const WingPanel& panel);

// The number of ribs the panel gets (with a spacing: one every spacing from
// the root, plus the tip rib when the last one falls short of the tip).
// Counts beyond the limit are given as kMaxRibs + 1.
int ribCountOf(const WingPanel& panel);

// The rib stations from root to tip; empty when validatePanel refuses the panel.
std::vector<RibStation> ribStations(const WingPanel& panel);

} // namespace parvelin::wing
