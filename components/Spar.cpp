#include "components/Spar.h"

namespace parvelin {

// TODO(components): compute is not written yet; the component builds nothing.
bool Spar::compute(AirfoilPoints, const RibProperties&, platform::Window*) { return true; }

bool Spar::draw(platform::DeviceContext& dc) const {
    drawOutline(outline_, dc, false);
    return true;
}

bool Spar::print(platform::DeviceContext& dc, const RibProperties& properties) {
    return printOutline(outline_, dc, properties, window_, [] {});
}

} // namespace parvelin
