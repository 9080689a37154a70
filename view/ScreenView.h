// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's view of the rib it shows: the fit to its client area (or the
// window's own zoom once the user zoomed or panned), kept while the window
// is too narrow to fit into. The window holds one; the rib knows nothing of it.
#include <optional>
#include <vector>

#include "geom/ViewTransform.h"
#include "platform/Window.h"
#include "rib/Rib.h"

namespace parvelin {

class ScreenView {
public:
    // Fits `rib` to the window's client area, or takes the window's own zoom.
    // Returns false, keeping the view it had, for a rib without points or a
    // client narrower than 50 pixels (or of negative height).
    bool fit(const Rib& rib, const platform::Window& window, float viewAngle = 0.0f);
    // Forgets the view: nothing is fitted until the next fit.
    void clear() { transform_.reset(); }

    // The current view; none before the first fit.
    const std::optional<ViewTransform>& transform() const { return transform_; }
    // The rib's points in client pixels (empty before the first fit).
    std::vector<DevicePoint> points(const Rib& rib) const;
    // The bounds of those points within the client area.
    platform::Rect pointBounds(const Rib& rib, const platform::Rect& client) const;
    // The model point under a client pixel; nothing before the first fit.
    std::optional<ModelPosition> modelAt(double x, double y) const;

private:
    std::optional<ViewTransform> transform_;
};

} // namespace parvelin
