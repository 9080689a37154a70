// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rib as the window, the printer and the clipboard show it: the built rib,
// the view flags and the name a page is labelled with. Painting and printing
// are free functions over it and a transform.
#include <optional>
#include <string>

#include "geom/ViewTransform.h"
#include "platform/DeviceContext.h"
#include "platform/Window.h"
#include "rib/Rib.h"

namespace parvelin {

struct RibViewFlags {
    bool edgeLines = true;    // upright dash-dot lines at the nose and the trailing edge
    bool chordLine = true;    // the dash-dot chord line
    bool camberLine = false;  // the mean camber line, in the components' grey
    bool cutOutline = false;  // View > Cut outline: the rib's cut outline over it
};

struct RibPicture {
    const Rib& rib;
    RibViewFlags flags;
    std::string name;
    // False for a window that has no airfoil yet: only the guides show.
    bool loaded = true;
};

// The window's picture on a client area: the guides, then (once `screen`
// holds the window's fit) the airfoil, the holes, the built components, the
// camber line and the cut outline when shown.
void paintRib(platform::DeviceContext& dc, const RibPicture& picture, const std::optional<ViewTransform>& screen,
              const platform::Rect& client);

// The rib at true scale on one page of the device's size. `sheetOrigin` is
// where the device's page lies on that one-page drawing (the sheet): a page
// of a tiled print shows the sheet's pixels moved by -sheetOrigin. False,
// drawing nothing, for a picture without an airfoil or a device whose
// pixels are not square.
bool printRib(platform::DeviceContext& dc, const RibPicture& picture, DevicePoint sheetOrigin = {});

// The rib's points through a transform, in drawing order.
std::vector<DevicePoint> mappedPoints(const Rib& rib, const ViewTransform& view);

} // namespace parvelin
