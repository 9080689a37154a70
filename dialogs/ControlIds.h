// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of the property sheet's pages, controls and pictures. Every
// control's object name is "control" followed by its number, so a control can
// be found by the number it has in the dialog resources.
#include <QString>

namespace parvelin::dialogs {

inline QString controlName(int id) { return QStringLiteral("control%1").arg(id); }
inline QString pageName(int id) { return QStringLiteral("page%1").arg(id); }
inline QString pictureName(int id) { return QStringLiteral("picture%1").arg(id); }

// Dialog resources of the five pages.
inline constexpr int kGeneralPage = 109;
inline constexpr int kLeadingEdgePage = 111;
inline constexpr int kSparsPage = 108;
inline constexpr int kTrailingEdgePage = 110;
inline constexpr int kSheetingPage = 107;
inline constexpr int kHolesPage = 112;

namespace general {
inline constexpr int kChord = 1000;
inline constexpr int kHeight = 1001;
inline constexpr int kWashout = 1002;
inline constexpr int kMetric = 1003;
inline constexpr int kInches = 1006;
inline constexpr int kHeightPercent = 1007;
inline constexpr int kHeightFixed = 1008;
inline constexpr int kChordUnit = 1018;
inline constexpr int kHeightUnit = 1019;
inline constexpr int kWashoutUnit = 1020;
inline constexpr int kPrecision = 1025;
inline constexpr int kLandscape = 1026;
inline constexpr int kPortrait = 1027;
} // namespace general

namespace leadingEdge {
inline constexpr int kLeStock = 1027;
inline constexpr int kRound = 1010;
inline constexpr int kRectangular = 1012;
inline constexpr int kSquare = 1011;
inline constexpr int kNone = 1014;
inline constexpr int kDepth = 1000;
inline constexpr int kHeight = 1001;
inline constexpr int kUnit = 1018;
} // namespace leadingEdge

namespace spars {
inline constexpr int kStick = 1004;
inline constexpr int kStock = 1005;
inline constexpr int kNone = 1008;
inline constexpr int kWidth = 1000;
inline constexpr int kHeight = 1001;
inline constexpr int kDistance = 1013;
inline constexpr int kPercent = 1007;
inline constexpr int kFixed = 1006;
inline constexpr int kSizeUnit = 1018;
inline constexpr int kDistanceUnit = 1019;
} // namespace spars

namespace trailingEdge {
inline constexpr int kTeStock = 1005;
inline constexpr int kSheetedBottom = 1007;
inline constexpr int kSheetedTopAndBottom = 1006;
inline constexpr int kNone = 1009;
inline constexpr int kWidth = 1000;
inline constexpr int kHeight = 1008;  // the trailing-edge sheeting's thickness
inline constexpr int kUnit = 1018;
} // namespace trailingEdge

namespace sheeting {
inline constexpr int kFrontOnly = 1011;
inline constexpr int kTopFrontOnly = 1010;
inline constexpr int kTop = 1009;
inline constexpr int kFullySheeted = 1006;
inline constexpr int kNone = 1012;
inline constexpr int kThickness = 1008;
inline constexpr int kUnit = 1018;
} // namespace sheeting

namespace holes {
inline constexpr int kNone = 1030;
inline constexpr int kRound = 1031;
inline constexpr int kSlots = 1032;
inline constexpr int kTruss = 1033;
inline constexpr int kMargin = 1000;
inline constexpr int kWeb = 1001;
inline constexpr int kCornerRadius = 1002;
inline constexpr int kMinimum = 1003;
inline constexpr int kThickness = 1004;
inline constexpr int kDensity = 1005;
inline constexpr int kUnit = 1018;
inline constexpr int kThicknessUnit = 1019;
} // namespace holes

// Pictures of the pages (bitmap resources).
enum class StylePicture {
    GeneralRib = 118,
    LeStock = 109,
    LeRound = 110,
    LeSquare = 111,
    LeRectangular = 112,
    SparStock = 113,
    SparStick = 115,
    SparNone = 116,
    TeSheetedBottom = 119,
    TeStock = 120,
    TeSheetedTopAndBottom = 121,
    TeNone = 122,
    SheetingFully = 123,
    SheetingFrontOnly = 124,
    SheetingTopFrontOnly = 125,
    SheetingTop = 126,
    HolesNone = 130,
    HolesRound = 131,
    HolesSlots = 132,
    HolesTruss = 133,
};

inline constexpr const char* kSheetCaption = "Airfoil Properties";
inline constexpr const char* kMessageChordNotPositive = "The chord must be a positive number.";

} // namespace parvelin::dialogs
