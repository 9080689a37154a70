// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NACA four- and five-digit sections made from their published equations:
// the thickness distribution, the mean lines (the five-digit standard and
// reflexed ones with their tabulated constants), and the outline in the
// Selig order of a coordinate file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CoordinateFile.h"

namespace parvelin {

// Points on each surface, nose and trailing edge included.
inline constexpr int kNacaDefaultPoints = 81;
inline constexpr int kNacaMinPoints = 10;
inline constexpr int kNacaMaxPoints = 2500;

// Where a file name may stand, "naca:2412" stands for the section itself.
inline constexpr std::string_view kNacaInputPrefix = "naca:";

enum class NacaSeries { FourDigit, FiveDigit };

struct NacaDesignation {
    NacaSeries series = NacaSeries::FourDigit;
    std::string digits;       // "2412", "23012"
    double thickness = 0.0;   // largest thickness, fraction of the chord
    // Four-digit: the largest camber and where it lies.
    double maxCamber = 0.0;
    double maxCamberAt = 0.0;
    // Five-digit: the design lift coefficient (0.15 a step of the first
    // digit), the mean line's constants for a design lift coefficient of
    // 0.3, and for a reflexed line k2/k1.
    double designLift = 0.0;
    bool reflexed = false;
    double r = 0.0;
    double k1 = 0.0;
    double k2OverK1 = 0.0;

    // "NACA 23012"
    std::string name() const { return "NACA " + digits; }
};

// Reads "2412", "23012", "NACA 23112", "naca0012" (blanks and the NACA
// prefix in any case are allowed). Nothing, with `error` saying why, for any
// other text, a zero thickness, or a five-digit mean line without published
// constants (second and third digits other than 10..50 or 21..51).
std::optional<NacaDesignation> parseNacaDesignation(std::string_view text, std::string& error);

// Half the thickness at x (fraction of the chord) for a section of
// thickness t; a closed trailing edge uses -0.1036 for the last
// coefficient instead of the standard -0.1015.
double nacaHalfThickness(double t, double x, bool closedTrailingEdge);

struct MeanLinePoint {
    double y = 0.0;
    double slope = 0.0;  // dy/dx
};

// The mean line's height and slope at x.
MeanLinePoint nacaMeanLine(const NacaDesignation& section, double x);

struct NacaOptions {
    int points = kNacaDefaultPoints;  // on each surface, kNacaMinPoints..kNacaMaxPoints
    bool closedTrailingEdge = false;
};

// The outline in Selig order: from the trailing edge over the upper surface
// to the nose and back along the lower surface, at cosine-spaced stations,
// each coordinate rounded to the six decimals the file holds. Both
// trailing-edge points lie at x = 1; when another point would lie behind it
// (the thickness stands perpendicular to a sloping mean line), every x is
// scaled so that none does: Open reads no point beyond the chord.
std::vector<CoordinatePair> nacaSectionPoints(const NacaDesignation& section, const NacaOptions& options);

// The coordinate file: the name line, then one "x y" line per point with
// six decimals, independent of the locale.
std::string nacaSeligText(const NacaDesignation& section, const NacaOptions& options);

// The section as Open would read its file: name, points in file order and
// in drawing order (without Open's size limit).
CoordinateFileContents nacaSectionContents(const NacaDesignation& section, const NacaOptions& options);

// The designation of a "naca:2412" input, or nothing for a file name.
std::optional<std::string_view> nacaInputDesignation(std::string_view input);

// An airfoil for a wing's tip, a browser or a job: "naca:DESIGNATION" made
// here, any other path read as tolerantly as the program reads any airfoil
// (Import, then Open). Nothing, with `error` saying why, when neither works.
std::optional<CoordinateFileContents> readSectionOrNaca(const std::string& input, std::string& error);

} // namespace parvelin
