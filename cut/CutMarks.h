// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the marks of a cut file may stand: inside the part they mark, never
// across one of its cuts. A laser engraves the MARK layer, so a line or a
// label that crossed the outline would score the rib's edge or the sheet
// beside it. Model coordinates throughout (fractions of the chord, y up).
#include <string>
#include <vector>

#include "clip/CutOutline.h"

namespace parvelin {

// Width taken by a label of cap height `height`: sans-serif capitals and
// digits are about 0.7 of the height wide, spacing included.
inline constexpr double kLabelCharacterWidth = 0.7;
inline double labelTextWidth(double height, std::size_t characters) {
    return kLabelCharacterWidth * height * static_cast<double>(characters);
}

// Whether `point` lies inside the closed polygon (even-odd rule).
bool pointInside(const ModelPolygon& polygon, ModelPoint point);

// Whether the box lies wholly inside the polygon: its centre inside and no
// edge of the polygon entering it.
bool boxInside(const ModelPolygon& polygon, double left, double bottom, double right, double top);

// The parts of the segment from `a` to `b` that lie inside the polygon, as
// segments in order.
std::vector<std::pair<ModelPoint, ModelPoint>> clipSegment(const ModelPolygon& polygon, ModelPoint a, ModelPoint b);

struct LabelPlace {
    std::string text;   // the label as placed: the full one, or a shorter form
    ModelPoint at;      // left end of the base line
    double height = 0;  // cap height; 0 when no form fits inside the part
};

// The largest readable label inside the part: each of `forms` (longest
// first) is tried from `largest` down to `smallest` cap height, at every
// station along the chord, centred in the outline's depth there; the first
// form and height that fit with a clearance of a third of the height win,
// at the station with the most depth. Height 0 when none fits.
LabelPlace placeLabelInside(const ModelPolygon& outline, const std::vector<std::string>& forms, double largest,
                            double smallest);

} // namespace parvelin
