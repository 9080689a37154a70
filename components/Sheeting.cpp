#include "components/Sheeting.h"

namespace parvelin {

// TODO(components): compute is not written yet; the sheeting builds nothing.
bool Sheeting::compute(AirfoilPoints, const RibProperties&, platform::Window*) { return true; }

bool Sheeting::draw(platform::DeviceContext& dc) const {
    drawOutline(outline_, dc, style_ >= 1 && style_ <= 4);
    return true;
}

} // namespace parvelin
