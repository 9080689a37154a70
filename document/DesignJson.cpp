// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/DesignJson.h"

#include <cmath>

namespace parvelin {

bool jsonFloat(const nlohmann::json& value, float& out) {
    if (!value.is_number()) return false;
    const double d = value.get<double>();
    constexpr double kBeyondFloat = 0x1.ffffffp127;
    if (!std::isfinite(d) || std::fabs(d) >= kBeyondFloat) return false;
    out = static_cast<float>(d);
    return true;
}

std::size_t readJsonPoints(const nlohmann::json& list, std::vector<CoordinatePair>& points) {
    points.reserve(points.size() + list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const nlohmann::json& point = list[i];
        CoordinatePair pair;
        if (!point.is_array() || point.size() != 2 || !jsonFloat(point[0], pair.modelX) ||
            !jsonFloat(point[1], pair.modelY))
            return i + 1;
        points.push_back(pair);
    }
    return 0;
}

} // namespace parvelin
