// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The style codes of the four components and of the lightening holes as typed values, and the one table
// of their traits: the label the property pages show, whether the component
// draws an outline for it, and what the other components read from it.
// RibProperties stores the codes as 32-bit integers; a code outside the
// table has no traits: no label, nothing drawable, every flag off.
#include <cstdint>
#include <span>

namespace parvelin {

enum class LeadingEdgeStyle : std::int32_t { None = 0, Round = 1, Square = 2, LeStock = 3, Rectangular = 4 };
enum class SparStyle : std::int32_t { None = 0, Stick = 1, Stock = 2 };
enum class TrailingEdgeStyle : std::int32_t { None = 0, SheetedTopAndBottom = 1, SheetedBottom = 2, TeStock = 3 };
enum class SheetingStyle : std::int32_t { None = 0, Top = 1, TopFrontOnly = 2, FrontOnly = 3, FullySheeted = 4 };
enum class HoleStyle : std::int32_t { None = 0, Round = 1, Slots = 2, Truss = 3 };

struct LeadingEdgeTraits {
    LeadingEdgeStyle style;
    const char* label;
    bool drawable;
    // The sheeting stops behind the stock, this many depths from the nose
    // (0: no stock; the sheeting runs on to the nose).
    int sheetingStopDepths;
    // The stock has a flat back face the sheeting comes down to and goes up
    // from; the height box of the page applies to it.
    bool flatBackFace;
};

struct SparTraits {
    SparStyle style;
    const char* label;
    bool drawable;
};

struct TrailingEdgeTraits {
    TrailingEdgeStyle style;
    const char* label;
    bool drawable;
    // The upper sheeting starts at the trailing-edge piece's front face.
    bool upperSheetingStopsAtPiece;
    // The lower sheeting ends at the piece's front face.
    bool lowerSheetingStopsAtPiece;
};

struct SheetingTraits {
    SheetingStyle style;
    const char* label;
    bool drawable;
    bool sheetsAftUpper;  // the upper surface behind the spar
    bool sheetsLower;     // the lower surface
};

struct HoleTraits {
    HoleStyle style;
    const char* label;
    bool drawable;        // the rib has lightening holes
    bool roundsCorners;   // the holes' corners are rounded by the corner radius
};

inline constexpr LeadingEdgeTraits kLeadingEdgeStyles[] = {
    {LeadingEdgeStyle::None, "No Leading Edge", false, 0, false},
    {LeadingEdgeStyle::Round, "Round", true, 2, false},
    {LeadingEdgeStyle::Square, "Square", true, 1, false},
    {LeadingEdgeStyle::LeStock, "LE Stock", true, 1, true},
    {LeadingEdgeStyle::Rectangular, "Rectangular", true, 1, true},
};
inline constexpr SparTraits kSparStyles[] = {
    {SparStyle::None, "No Spars", false},
    {SparStyle::Stick, "Stick", true},
    {SparStyle::Stock, "Stock", true},
};
inline constexpr TrailingEdgeTraits kTrailingEdgeStyles[] = {
    {TrailingEdgeStyle::None, "No trailing edge", false, false, false},
    {TrailingEdgeStyle::SheetedTopAndBottom, "Sheeted top and bottom", true, true, true},
    {TrailingEdgeStyle::SheetedBottom, "Sheeted bottom", true, false, true},
    {TrailingEdgeStyle::TeStock, "TE Stock", true, true, true},
};
inline constexpr SheetingTraits kSheetingStyles[] = {
    {SheetingStyle::None, "No Sheeting", false, false, false},
    {SheetingStyle::Top, "Top", true, true, false},
    {SheetingStyle::TopFrontOnly, "Top, Front only", true, false, false},
    {SheetingStyle::FrontOnly, "Front only", true, false, true},
    {SheetingStyle::FullySheeted, "Fully sheeted", true, true, true},
};

inline constexpr HoleTraits kHoleStyles[] = {
    {HoleStyle::None, "No holes", false, false},
    {HoleStyle::Round, "Round holes", true, false},
    {HoleStyle::Slots, "Slots following the skin", true, true},
    {HoleStyle::Truss, "Truss", true, true},
};

constexpr std::span<const LeadingEdgeTraits> styleTable(LeadingEdgeStyle) { return kLeadingEdgeStyles; }
constexpr std::span<const SparTraits> styleTable(SparStyle) { return kSparStyles; }
constexpr std::span<const TrailingEdgeTraits> styleTable(TrailingEdgeStyle) { return kTrailingEdgeStyles; }
constexpr std::span<const SheetingTraits> styleTable(SheetingStyle) { return kSheetingStyles; }
constexpr std::span<const HoleTraits> styleTable(HoleStyle) { return kHoleStyles; }

// The row of a style, or the empty traits (no label, every flag off) for a
// code outside the table.
template <typename Style> constexpr auto traitsOf(Style style) {
    using Traits = typename decltype(styleTable(style))::value_type;
    for (const Traits& row : styleTable(style))
        if (row.style == style) return row;
    Traits none{};
    none.style = style;
    return none;
}

template <typename Style> constexpr bool isDrawable(Style style) { return traitsOf(style).drawable; }
template <typename Style> constexpr const char* styleLabel(Style style) { return traitsOf(style).label; }
template <typename Style> constexpr std::int32_t styleCode(Style style) { return static_cast<std::int32_t>(style); }

} // namespace parvelin
