// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/WingDesign.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "document/DesignJson.h"

namespace parvelin::wing {
namespace {

using nlohmann::json;

// The panel's words as a refusal that fits after "could not be opened:".
std::string panelProblem(std::string message) {
    while (!message.empty() && message.back() == '.') message.pop_back();
    return "wing: " + message;
}

bool readReal(const json& object, const char* key, double& out, std::string& error) {
    const auto value = object.find(key);
    if (value == object.end()) {
        error = std::string("wing \"") + key + "\" is missing";
        return false;
    }
    if (!value->is_number() || !std::isfinite(value->get<double>())) {
        error = std::string("wing \"") + key + "\" is not a finite number";
        return false;
    }
    out = value->get<double>();
    return true;
}

bool readBool(const json& object, const char* key, bool& out, std::string& error) {
    const auto value = object.find(key);
    if (value == object.end() || !value->is_boolean()) {
        error = std::string("wing \"") + key + "\" is missing or is not true or false";
        return false;
    }
    out = value->get<bool>();
    return true;
}

} // namespace

std::string wingText(const WingDesign& wing, std::string& error) {
    error.clear();
    if (const std::string problem = validatePanel(wing.panel); !problem.empty()) {
        error = panelProblem(problem);
        return {};
    }
    if (wing.tipPoints.size() == 1 || wing.tipPoints.size() > kMaxRibDesignPoints) {
        error = "the tip airfoil has " + std::to_string(wing.tipPoints.size()) + " points; a rib design holds 2 to " +
                std::to_string(kMaxRibDesignPoints);
        return {};
    }
    json object = json::object();
    const WingPanel& p = wing.panel;
    object["span"] = p.span;
    object["rootChord"] = p.rootChord;
    object["tipChord"] = p.tipChord;
    object["ribCount"] = p.ribCount;
    object["ribSpacing"] = p.ribSpacing;
    object["sweep"] = p.sweep;
    object["sparRoot"] = p.sparRoot;
    object["sparTip"] = p.sparTip;
    object["sparInPercent"] = p.sparInPercent;
    object["washout"] = p.washout;
    object["side"] = traits(p.side).name;
    if (!wing.tipPoints.empty()) {
        json points = json::array();
        for (std::size_t i = 0; i < wing.tipPoints.size(); ++i) {
            const CoordinatePair& c = wing.tipPoints[i];
            if (!std::isfinite(c.modelX) || !std::isfinite(c.modelY)) {
                error = "point " + std::to_string(i + 1) + " of the tip airfoil is not a finite number";
                return {};
            }
            // A float widens to a double exactly, and the double's text reads
            // back to the same double, so the float comes back bit for bit.
            points.push_back({static_cast<double>(c.modelX), static_cast<double>(c.modelY)});
        }
        try {
            (void)json(wing.tipName).dump();  // throws for text that is not UTF-8
            object["tipAirfoil"] = {{"name", wing.tipName}, {"points", points}};
        } catch (const json::exception&) {
            error = "the tip airfoil's name is not UTF-8 text";
            return {};
        }
    }
    try {
        return object.dump();
    } catch (const json::exception&) {
        error = "the tip airfoil's name is not UTF-8 text";
        return {};
    }
}

namespace {

// The panel's values into `p`, then the panel's own checks; the problem, or empty.
std::string readPanel(const json& object, WingPanel& p) {
    std::string error;
    for (auto [key, field] : {std::pair{"span", &p.span}, std::pair{"rootChord", &p.rootChord},
                              std::pair{"tipChord", &p.tipChord}, std::pair{"ribSpacing", &p.ribSpacing},
                              std::pair{"sweep", &p.sweep}, std::pair{"sparRoot", &p.sparRoot},
                              std::pair{"sparTip", &p.sparTip}, std::pair{"washout", &p.washout}}) {
        if (!readReal(object, key, *field, error)) return error;
    }
    const auto count = object.find("ribCount");
    if (count == object.end() || !count->is_number_integer())
        return "wing \"ribCount\" is missing or is not a whole number";
    // Beyond the limit either way is refused below by the panel's checks;
    // clamping first keeps the conversion defined.
    const std::int64_t wide = count->is_number_unsigned() && count->get<std::uint64_t>() > 1000000u
                                  ? 1000000
                                  : count->get<std::int64_t>();
    p.ribCount = static_cast<int>(std::clamp<std::int64_t>(wide, -1, kMaxRibs + 1));
    if (!readBool(object, "sparInPercent", p.sparInPercent, error)) return error;
    const auto side = object.find("side");
    if (side == object.end() || !side->is_string() || !wingSideNamed(side->get<std::string>(), p.side))
        return "wing \"side\" is not \"left\", \"right\" or \"both\"";
    if (const std::string problem = validatePanel(p); !problem.empty()) return panelProblem(problem);
    return {};
}

// The "tipAirfoil" object's name and points into `wing`; the problem, or empty.
std::string readTipAirfoil(const json& tip, WingDesign& wing) {
    if (!tip.is_object()) return "wing \"tipAirfoil\" is not an object";
    const auto name = tip.find("name");
    if (name == tip.end() || !name->is_string()) return "tip airfoil \"name\" is missing or is not text";
    wing.tipName = name->get<std::string>();
    const auto points = tip.find("points");
    if (points == tip.end() || !points->is_array()) return "tip airfoil \"points\" is missing or is not a list";
    if (points->size() < 2 || points->size() > kMaxRibDesignPoints)
        return "the tip airfoil has " + std::to_string(points->size()) + " points; it needs 2 to " +
               std::to_string(kMaxRibDesignPoints);
    if (const std::size_t bad = readJsonPoints(*points, wing.tipPoints); bad != 0)
        return "tip airfoil point " + std::to_string(bad) + " is not a pair of finite numbers";
    return {};
}

} // namespace

std::optional<WingDesign> parseWing(std::string_view text, std::string& error) {
    error.clear();
    json object;
    try {
        object = json::parse(text.begin(), text.end());
    } catch (const json::exception&) {
        error = "\"wing\" is not JSON text";
        return std::nullopt;
    }
    if (!object.is_object()) {
        error = "\"wing\" is not an object";
        return std::nullopt;
    }
    WingDesign wing;
    error = readPanel(object, wing.panel);
    if (error.empty())
        if (const auto tip = object.find("tipAirfoil"); tip != object.end()) error = readTipAirfoil(*tip, wing);
    if (!error.empty()) return std::nullopt;
    return wing;
}

namespace {

// The wing of a design that was read: a bad wing refuses the whole file.
WingDesignRead withItsWing(RibDesignRead rib) {
    WingDesignRead result;
    result.rib = std::move(rib);
    if (!result.rib.loaded || result.rib.design.wing.empty()) return result;
    std::string error;
    result.wing = parseWing(result.rib.design.wing, error);
    if (!result.wing) {
        result.rib.loaded = false;
        result.rib.error = error;
    }
    return result;
}

} // namespace

WingDesignRead parseDesignWithWing(std::string_view bytes) { return withItsWing(parseRibDesign(bytes)); }

WingDesignRead readDesignWithWing(const std::string& path) { return withItsWing(readRibDesignFile(path)); }

RibDesign withWing(RibDesign design, const std::optional<WingDesign>& wing, std::string& error) {
    error.clear();
    design.wing.clear();
    if (wing) design.wing = wingText(*wing, error);
    return design;
}

} // namespace parvelin::wing
