#include "components/TrailingEdge.h"

namespace parvelin {

// TODO(components): compute is not written yet; the component builds nothing.
bool TrailingEdge::compute(AirfoilPoints, const RibProperties&, platform::Window*) { return true; }

bool TrailingEdge::draw(platform::DeviceContext& dc) const {
    drawOutline(outline_, dc, false);
    return true;
}

bool TrailingEdge::print(platform::DeviceContext& dc, const RibProperties& properties) {
    return printOutline(outline_, dc, properties, window_, [] {});
}

} // namespace parvelin
