// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rib-construction settings of one document: 28 four-byte fields, all
// lengths in the chord's unit (millimetres when metric is 1, inches when 0).
#include <cstdint>
#include <type_traits>

#include "model/Styles.h"
#include "geom/Units.h"

namespace parvelin {

struct RibProperties {
    std::int32_t leadingEdgeStyle;       // LeadingEdgeStyle
    float leadingEdgeHeight;             // full height of the Rectangular piece
    float leadingEdgeDepth;              // size of the piece along the chord
    std::int32_t sparStyle;              // SparStyle
    float sparWidth;
    float sparHeight;
    float sparDistance;
    std::int32_t sparDistanceInPercent;  // 1: sparDistance is a percentage of the chord
    std::int32_t trailingEdgeStyle;      // TrailingEdgeStyle
    float trailingEdgeHeight;            // thickness of the trailing-edge sheeting
    float trailingEdgeWidth;             // chordwise depth of the trailing-edge region
    float trailingEdgeThickness;         // carried and edited; no computation reads it
    std::int32_t sheetingStyle;          // SheetingStyle
    float sheetingThickness;
    float height;                        // shown on the General page only
    float chord;
    std::int32_t heightInPercent;        // carried only
    std::int32_t metric;                 // 1 millimetres, 0 inches
    float washout;                       // shown on the General page only
    std::int32_t precision;              // decimals shown by the property pages, 0 to 4
    std::int32_t orientation;            // printer page orientation slot, carried only
    std::int32_t holeStyle;              // HoleStyle
    float holeMargin;                    // material kept along the skin
    float holeWeb;                       // least width of every web beside a hole
    float holeCornerRadius;              // slots and truss openings: corner radius
    float holeMinimum;                   // smallest hole cut (its inscribed diameter)
    float materialThickness;             // the rib sheet's thickness
    float materialDensity;               // kg/m^3, whatever the unit

    // The style fields as their typed values (the record stores the codes).
    LeadingEdgeStyle leadingEdge() const { return static_cast<LeadingEdgeStyle>(leadingEdgeStyle); }
    SparStyle spar() const { return static_cast<SparStyle>(sparStyle); }
    TrailingEdgeStyle trailingEdge() const { return static_cast<TrailingEdgeStyle>(trailingEdgeStyle); }
    SheetingStyle sheeting() const { return static_cast<SheetingStyle>(sheetingStyle); }
    HoleStyle holes() const { return static_cast<HoleStyle>(holeStyle); }
    void setStyle(LeadingEdgeStyle s) { leadingEdgeStyle = styleCode(s); }
    void setStyle(SparStyle s) { sparStyle = styleCode(s); }
    void setStyle(TrailingEdgeStyle s) { trailingEdgeStyle = styleCode(s); }
    void setStyle(SheetingStyle s) { sheetingStyle = styleCode(s); }
    void setStyle(HoleStyle s) { holeStyle = styleCode(s); }

    friend bool operator==(const RibProperties&, const RibProperties&) = default;
};

static_assert(std::is_trivially_copyable_v<RibProperties>);
static_assert(sizeof(RibProperties) == 112);

// Whether lengths are in millimetres: any unit code other than 0 (inches).
// The one place the unit is decided; the tool and the pages set only 0 or 1.
inline bool inMillimetres(const RibProperties& p) { return geom::unitOfFlag(p.metric) == geom::LengthUnit::Millimetres; }

// Every new document starts from this table.
inline constexpr RibProperties kDefaultRibProperties{
    /*leadingEdgeStyle*/ 0, /*leadingEdgeHeight*/ 10.0f, /*leadingEdgeDepth*/ 3.0f,
    /*sparStyle*/ 0, /*sparWidth*/ 5.0f, /*sparHeight*/ 5.0f, /*sparDistance*/ 30.0f,
    /*sparDistanceInPercent*/ 0,
    /*trailingEdgeStyle*/ 0, /*trailingEdgeHeight*/ 15.0f, /*trailingEdgeWidth*/ 25.0f,
    /*trailingEdgeThickness*/ 2.0f,
    /*sheetingStyle*/ 0, /*sheetingThickness*/ 2.0f,
    /*height*/ 2.0f, /*chord*/ 100.0f, /*heightInPercent*/ 0, /*metric*/ 1, /*washout*/ 0.0f,
    /*precision*/ 3, /*orientation*/ 0,
    /*holeStyle*/ 0, /*holeMargin*/ 3.0f, /*holeWeb*/ 4.0f, /*holeCornerRadius*/ 2.0f, /*holeMinimum*/ 6.0f,
    /*materialThickness*/ 2.0f, /*materialDensity*/ 160.0f,
};

// The lengths of the holes and the sheet, which have their defaults in
// millimetres, as a design in `metric`'s unit starts them (inches: the
// millimetre values over 25.4); the style and the density are kept.
struct HoleLengthDefault {
    float RibProperties::*field;
    float millimetres;
};
inline constexpr HoleLengthDefault kHoleLengthDefaults[] = {
    {&RibProperties::holeMargin, 3.0f},       {&RibProperties::holeWeb, 4.0f},
    {&RibProperties::holeCornerRadius, 2.0f}, {&RibProperties::holeMinimum, 6.0f},
    {&RibProperties::materialThickness, 2.0f},
};
inline float holeLengthDefault(float millimetres, bool metric) {
    return metric ? millimetres : static_cast<float>(millimetres / geom::kMillimetresPerInch);
}
inline void setHoleDefaultsForUnit(RibProperties& p) {
    for (const HoleLengthDefault& d : kHoleLengthDefaults) p.*d.field = holeLengthDefault(d.millimetres, inMillimetres(p));
    p.holeStyle = 0;
    p.materialDensity = kDefaultRibProperties.materialDensity;
}

} // namespace parvelin
