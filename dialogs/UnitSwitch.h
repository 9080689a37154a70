// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Switching a design between millimetres and inches, and a length box
// between a length and a percent of the chord: the numbers change, the rib
// keeps its size. The record holds floats; a number converted there and back
// must come back as the number the builder typed (150.5 mm -> 5.925197 in ->
// 150.5 mm), not as one a float's rounding away from it.
#include "model/RibProperties.h"
#include "geom/Units.h"

namespace parvelin::dialogs {

using geom::kMillimetresPerInch;

// The factor that takes a length from one unit to the other (1 when they agree).
double unitFactor(bool fromMillimetres, bool toMillimetres);

// `value` times `factor`, narrowed to float; beyond the float range it is
// infinite (the pages then refuse it as they refuse any infinite length).
float scaled(float value, double factor);

// `value` times `factor` as the float that converts back to `value` and
// is written with the fewest digits, among the few floats next to the
// product; the product itself when none of them converts back. A number
// typed with up to six digits thus comes back exactly from any conversion
// and its inverse, which a plain product misses for about one in eight.
float convertedLength(float value, double factor);

// Every length of the record in the other unit: the chord, the stock and
// spar sizes, the sheeting thicknesses, and the spar distance and board
// height when they are lengths rather than percents. Percents, angles,
// styles, switches and the precision stay; `metric` becomes the new unit.
// Nothing changes when the record is already in that unit.
void switchUnit(RibProperties& p, bool toMillimetres);

} // namespace parvelin::dialogs
