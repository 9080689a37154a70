// SPDX-License-Identifier: GPL-3.0-or-later
#include "airfoil/NacaSection.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "model/ImportReader.h"
#include "text/NumberText.h"
#include "geom/Constants.h"

namespace parvelin {
namespace {

// The five-digit mean lines' constants for a design lift coefficient of 0.3
// (first digit 2), by the position digit 1..5 (largest camber at 5 % to
// 25 % of the chord), as published with the sections.
struct FiveDigitLine {
    double r;
    double k1;
    double k2OverK1;  // reflexed lines only
};
constexpr std::array<FiveDigitLine, 5> kStandardLines{{
    {0.0580, 361.400, 0.0},   // 210
    {0.1260, 51.640, 0.0},    // 220
    {0.2025, 15.957, 0.0},    // 230
    {0.2900, 6.643, 0.0},     // 240
    {0.3910, 3.230, 0.0},     // 250
}};
// The reflexed lines (third digit 1) exist for positions 2..5.
constexpr std::array<FiveDigitLine, 4> kReflexedLines{{
    {0.1300, 51.990, 0.000764},  // 221
    {0.2170, 15.793, 0.00677},   // 231
    {0.3180, 6.520, 0.0303},     // 241
    {0.4410, 3.191, 0.1355},     // 251
}};
// The constants above give this design lift coefficient; another one scales
// the line.
constexpr double kTableDesignLift = 0.3;

int digitAt(std::string_view digits, std::size_t i) { return digits[i] - '0'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '-' || c == '_'; }

// Rounds as the file's "%.6f" text does, and reads it back as Open does.
float fileValue(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    float read = 0.0f;
    std::from_chars(buffer, result.ptr, read);
    return read;
}

void appendFixed6(std::string& out, float value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

// The designation's digits, after blanks and an optional "NACA" in any
// case; false when anything else stands there.
bool designationDigits(std::string_view text, std::string& digits) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (text.size() - i >= 4) {
        std::string prefix(text.substr(i, 4));
        for (char& c : prefix) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (prefix == "NACA") i += 4;
    }
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            digits += c;
        else if (!isBlank(c))
            return false;
    }
    return digits.size() == 4 || digits.size() == 5;
}

// A four-digit section's camber and its place; the problem, or empty.
std::string fourDigitCamber(const std::string& digits, NacaDesignation& section) {
    section.series = NacaSeries::FourDigit;
    section.maxCamber = digitAt(digits, 0) / 100.0;
    section.maxCamberAt = digitAt(digits, 1) / 10.0;
    if (section.maxCamber > 0.0 && section.maxCamberAt == 0.0)
        return "A cambered four-digit section needs the position of its camber (second digit 1 to 9).";
    if (section.maxCamber == 0.0) section.maxCamberAt = 0.0;
    return {};
}

// A five-digit section's mean line from the published constants; the
// problem, or empty.
std::string fiveDigitLine(const std::string& digits, NacaDesignation& section) {
    section.series = NacaSeries::FiveDigit;
    const int lift = digitAt(digits, 0);
    const int position = digitAt(digits, 1);
    const int reflex = digitAt(digits, 2);
    if (lift == 0)
        return "The first digit of a five-digit section (the design lift coefficient in steps of 0.15) must be 1 to 9.";
    if (reflex > 1 || position < 1 || position > 5 || (reflex == 1 && position == 1))
        return "Five-digit mean lines are published for 210 to 250 and the reflexed 221 to 251.";
    section.designLift = 0.15 * lift;
    section.reflexed = reflex == 1;
    const FiveDigitLine& line =
        section.reflexed ? kReflexedLines[static_cast<std::size_t>(position - 2)] : kStandardLines[static_cast<std::size_t>(position - 1)];
    section.r = line.r;
    section.k1 = line.k1;
    section.k2OverK1 = line.k2OverK1;
    section.maxCamberAt = 0.05 * position;
    return {};
}

} // namespace

std::optional<NacaDesignation> parseNacaDesignation(std::string_view text, std::string& error) {
    std::string digits;
    if (!designationDigits(text, digits)) {
        error = "A NACA section is named by four or five digits, such as 2412 or 23012.";
        return std::nullopt;
    }
    NacaDesignation section;
    section.digits = digits;
    const std::size_t n = digits.size();
    section.thickness = (digitAt(digits, n - 2) * 10 + digitAt(digits, n - 1)) / 100.0;
    if (section.thickness <= 0.0) {
        error = "The last two digits give the thickness in percent of the chord; 00 is no section.";
        return std::nullopt;
    }
    std::string problem = n == 4 ? fourDigitCamber(digits, section) : fiveDigitLine(digits, section);
    if (!problem.empty()) {
        error = std::move(problem);
        return std::nullopt;
    }
    return section;
}

double nacaHalfThickness(double t, double x, bool closedTrailingEdge) {
    const double a4 = closedTrailingEdge ? -0.1036 : -0.1015;
    return 5.0 * t * (0.2969 * std::sqrt(x) + x * (-0.1260 + x * (-0.3516 + x * (0.2843 + x * a4))));
}

MeanLinePoint nacaMeanLine(const NacaDesignation& s, double x) {
    if (s.series == NacaSeries::FourDigit) {
        const double m = s.maxCamber;
        const double p = s.maxCamberAt;
        if (m == 0.0) return {};
        if (x < p) return {m / (p * p) * (2.0 * p * x - x * x), 2.0 * m / (p * p) * (p - x)};
        const double q = (1.0 - p) * (1.0 - p);
        return {m / q * ((1.0 - 2.0 * p) + 2.0 * p * x - x * x), 2.0 * m / q * (p - x)};
    }
    const double scale = s.designLift / kTableDesignLift;
    const double r = s.r;
    const double k = s.k1 / 6.0 * scale;
    if (!s.reflexed) {
        if (x < r) return {k * (x * x * x - 3.0 * r * x * x + r * r * (3.0 - r) * x), k * (3.0 * x * x - 6.0 * r * x + r * r * (3.0 - r))};
        return {k * r * r * r * (1.0 - x), -k * r * r * r};
    }
    const double k21 = s.k2OverK1;
    const double tail = k21 * (1.0 - r) * (1.0 - r) * (1.0 - r) + r * r * r;
    const double d = x - r;
    if (x < r) return {k * (d * d * d - tail * x + r * r * r), k * (3.0 * d * d - tail)};
    return {k * (k21 * d * d * d - tail * x + r * r * r), k * (3.0 * k21 * d * d - tail)};
}

std::vector<CoordinatePair> nacaSectionPoints(const NacaDesignation& section, const NacaOptions& options) {
    const int n = std::clamp(options.points, kNacaMinPoints, kNacaMaxPoints);
    struct Surfaces {
        double xu, yu, xl, yl;
    };
    std::vector<Surfaces> stations(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        // Cosine spacing: close together at the nose and the trailing edge.
        const double x = i + 1 == n ? 1.0 : 0.5 * (1.0 - std::cos(geom::kPi * i / (n - 1)));
        const double yt = nacaHalfThickness(section.thickness, x, options.closedTrailingEdge);
        const MeanLinePoint mean = nacaMeanLine(section, x);
        // The thickness stands perpendicular to the mean line.
        const double theta = std::atan(mean.slope);
        const double s = std::sin(theta);
        const double c = std::cos(theta);
        stations[static_cast<std::size_t>(i)] = {x - yt * s, mean.y + yt * c, x + yt * s, mean.y - yt * c};
    }
    double maxX = 1.0;
    for (const Surfaces& st : stations) maxX = std::max({maxX, st.xu, st.xl});

    // Both trailing-edge points stand at x = 1, as the published tables
    // give them, and every other point ahead of it.
    auto xAt = [&](double x, int station) {
        if (station + 1 == n) return 1.0f;
        return std::min(fileValue(x / maxX), 0.999999f);
    };
    std::vector<CoordinatePair> points;
    points.reserve(static_cast<std::size_t>(2 * n - 1));
    for (int i = n - 1; i >= 0; --i) {
        const Surfaces& st = stations[static_cast<std::size_t>(i)];
        points.push_back({xAt(st.xu, i), fileValue(st.yu)});
    }
    for (int i = 1; i < n; ++i) {
        const Surfaces& st = stations[static_cast<std::size_t>(i)];
        points.push_back({xAt(st.xl, i), fileValue(st.yl)});
    }
    // A closed trailing edge is one point, written at both ends of the file.
    return points;
}

std::string nacaSeligText(const NacaDesignation& section, const NacaOptions& options) {
    std::string text = section.name() + "\n";
    for (const CoordinatePair& p : nacaSectionPoints(section, options)) {
        text += p.modelX < 0.0f ? "" : " ";
        appendFixed6(text, p.modelX);
        text += p.modelY < 0.0f ? " " : "  ";
        appendFixed6(text, p.modelY);
        text += '\n';
    }
    return text;
}

CoordinateFileContents nacaSectionContents(const NacaDesignation& section, const NacaOptions& options) {
    CoordinateFileContents contents;
    contents.name = section.name();
    contents.accepted = nacaSectionPoints(section, options);
    contents.pairLines = contents.accepted.size();
    contents.drawingOrder = reorderToDrawingOrder(contents.accepted);
    return contents;
}

std::optional<std::string_view> nacaInputDesignation(std::string_view input) {
    if (input.size() < kNacaInputPrefix.size()) return std::nullopt;
    for (std::size_t i = 0; i < kNacaInputPrefix.size(); ++i) {
        char c = input[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kNacaInputPrefix[i]) return std::nullopt;
    }
    return input.substr(kNacaInputPrefix.size());
}

std::optional<CoordinateFileContents> readSectionOrNaca(const std::string& input, std::string& error) {
    if (const std::optional<std::string_view> designation = nacaInputDesignation(input)) {
        const std::optional<NacaDesignation> section = parseNacaDesignation(*designation, error);
        if (!section) return std::nullopt;
        return nacaSectionContents(*section, NacaOptions{});
    }
    return readAirfoilSection(input, error);
}

} // namespace parvelin
