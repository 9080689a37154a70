// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wing's structure as solids in millimetres: every rib as it is cut,
// extruded by the sheet's thickness at its span station, turned by its
// washout and moved aft by the sweep; the spar, the leading- and
// trailing-edge stock and the sheeting as bars from rib to rib through the
// places the ribs leave for them. Or a single rib, lying flat, ready to print.
//
// Axes: x aft along the chord from the root rib's leading edge, y along the
// span towards the tip of the right panel (the left panel lies at -y), z up.
#include <string>
#include <vector>

#include "mesh/Mesh.h"
#include "wing/RibSet.h"

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::mesh {

// What a solid of the model is.
enum class PartKind { Rib, Spar, LeadingEdge, TrailingEdge, Sheeting };

struct PartKindTraits {
    PartKind kind;
    const char* name;  // the solid's name ("spar"); ribs are named by their label
};
const PartKindTraits& traits(PartKind kind);

struct Part {
    std::string name;  // "R3 L", "spar", "spar 2 R", "rib"
    PartKind kind = PartKind::Rib;
    int rib = -1;      // a rib: its index in the rib set (0 for the root)
    char side = ' ';   // 'L', 'R', or ' ' for a single rib
    TriangleMesh mesh; // millimetres
};

struct Model {
    std::vector<Part> parts;
    std::string error;  // empty when the model could be built
};

// Millimetres in one unit of the chord.
double millimetresPerUnit(const RibProperties& properties);

// The default sheet thickness in the chord's unit: 2 mm, or 2 mm in inches.
double defaultThickness(bool metric);

// The rib's cut outline (the airfoil less what its components take out) in
// the chord's unit, its leading edge at (0, 0); with holes, where the cut
// leaves any inside it.
Shape ribShape(const Rib& rib);

struct ModelOptions {
    double thickness = 2.0;                   // the ribs' sheet, in the chord's unit
    wing::WingSide side = wing::WingSide::Right;
    bool bars = true;                         // spar, leading and trailing edge
    bool sheeting = true;
};

// Every rib of the set in place, and the bars, for the sides asked for.
// `error` when the set is empty or the thickness is not above 0 or does not
// fit between the root and the tip.
Model wingModel(const wing::RibSet& set, const wing::WingPanel& panel, const ModelOptions& options);

// The document's rib extruded by `thickness` (the chord's unit), lying flat
// from z = 0 up.
Model ribModel(const AirfoilDocument& document, double thickness);

// The smallest box round every part.
Box3 bounds(const Model& model);

// The part a ray meets first (origin and direction in millimetres); -1 when
// it meets none. Only parts of the kinds in `kinds` count; all when empty.
int pickPart(const Model& model, const Vec3& origin, const Vec3& direction, const std::vector<PartKind>& kinds = {});

} // namespace parvelin::mesh
