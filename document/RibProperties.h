#pragma once
// The rib-construction settings of one document: 21 four-byte fields, all
// lengths in the chord's unit (millimetres when metric is 1, inches when 0).
#include <cstdint>
#include <type_traits>

namespace parvelin {

struct RibProperties {
    std::int32_t leadingEdgeStyle;       // 0 none, 1 Round, 2 Square, 3 LE Stock, 4 Rectangular
    float leadingEdgeHeight;             // full height of the Rectangular piece
    float leadingEdgeDepth;              // size of the piece along the chord
    std::int32_t sparStyle;              // 0 none, 1 Stick, 2 Stock
    float sparWidth;
    float sparHeight;
    float sparDistance;
    std::int32_t sparDistanceInPercent;  // 1: sparDistance is a percentage of the chord
    std::int32_t trailingEdgeStyle;      // 0 none, 1 sheeted top and bottom, 2 sheeted bottom, 3 TE Stock
    float trailingEdgeHeight;            // thickness of the trailing-edge sheeting
    float trailingEdgeWidth;             // chordwise depth of the trailing-edge region
    float trailingEdgeThickness;         // carried and edited; no computation reads it
    std::int32_t sheetingStyle;          // 0 none, 1 Top, 2 Top front only, 3 Front only, 4 Fully sheeted
    float sheetingThickness;
    float height;                        // shown on the General page only
    float chord;
    std::int32_t heightInPercent;        // carried only
    std::int32_t metric;                 // 1 millimetres, 0 inches
    float washout;                       // shown on the General page only
    std::int32_t precision;              // decimals shown by the property pages, 0 to 4
    std::int32_t orientation;            // printer page orientation slot, carried only

    friend bool operator==(const RibProperties&, const RibProperties&) = default;
};

static_assert(std::is_trivially_copyable_v<RibProperties>);
static_assert(sizeof(RibProperties) == 84);

// Whether lengths are in millimetres: any unit code other than 0 (inches).
// The one place the unit is decided; the tool and the pages set only 0 or 1.
inline bool inMillimetres(const RibProperties& p) { return p.metric != 0; }

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
};

} // namespace parvelin
