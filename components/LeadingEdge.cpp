#include "components/LeadingEdge.h"

namespace parvelin {

// TODO(components): compute is not written yet; the component builds nothing.
bool LeadingEdge::compute(AirfoilPoints, const RibProperties&, platform::Window*) { return true; }

bool LeadingEdge::draw(platform::DeviceContext& dc) const {
    drawOutline(outline_, dc, false);
    return true;
}

bool LeadingEdge::print(platform::DeviceContext& dc, const RibProperties& properties) {
    return printOutline(outline_, dc, properties, window_, [] {});
}

} // namespace parvelin
