// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outline of a built component: corner points in model coordinates
// (fractions of the chord), each with a pen flag saying whether a line is
// drawn to it from the point before (view/ComponentPainting.h draws and
// prints it, dxf/RibDxf.h writes it).
#include <cstdint>
#include <vector>

#include "clip/CutOutline.h"
#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"
#include "geom/Point.h"

namespace parvelin {

using geom::modelFloat;

struct OutlineSegment {
    float modelX = 0.0f;
    float modelY = 0.0f;
    std::int32_t penDown = 1;  // 1: draw a line from the previous point; 0: move only

    geom::Point point() const { return {modelX, modelY}; }
};

class ComponentOutline {
public:
    // A corner formed in double precision, stored in single precision.
    void append(double modelX, double modelY, std::int32_t penDown) {
        nodes_.push_back(OutlineSegment{modelFloat(modelX), modelFloat(modelY), penDown});
    }
    void clear() { nodes_.clear(); }

    // Inserts a node after position `index` and discards everything after it.
    void insertAsTailAfter(std::size_t index, const OutlineSegment& node);
    void insertAfter(std::size_t index, const OutlineSegment& node);

    bool empty() const { return nodes_.empty(); }
    std::size_t size() const { return nodes_.size(); }
    OutlineSegment& operator[](std::size_t i) { return nodes_[i]; }
    const OutlineSegment& operator[](std::size_t i) const { return nodes_[i]; }
    const OutlineSegment* head() const { return nodes_.empty() ? nullptr : &nodes_.front(); }
    const OutlineSegment* tail() const { return nodes_.empty() ? nullptr : &nodes_.back(); }
    std::vector<OutlineSegment>::iterator begin() { return nodes_.begin(); }
    std::vector<OutlineSegment>::iterator end() { return nodes_.end(); }
    std::vector<OutlineSegment>::const_iterator begin() const { return nodes_.begin(); }
    std::vector<OutlineSegment>::const_iterator end() const { return nodes_.end(); }

private:
    std::vector<OutlineSegment> nodes_;
};

// The fields and operations the leading edge, trailing edge and spars share.
class OutlineComponent {
public:
    bool isBuilt() const { return built_ != 0; }
    const ComponentOutline& outline() const { return outline_; }
    // What the component takes out of the rib, worked out from its own
    // shape when it was computed: closed polygons in model coordinates that
    // reach round the outside of the airfoil (outerBoxFor), none when the
    // component is not built or removes nothing.
    const std::vector<ModelPolygon>& removedRegions() const { return removed_; }

    void clear() {
        built_ = 0;
        outline_.clear();
        removed_.clear();
    }

protected:
    std::int32_t built_ = 0;
    ComponentOutline outline_;
    std::vector<ModelPolygon> removed_;
};

// A component built in one of the styles of `Style`: the style it was last
// computed for (None before that).
template <typename Style>
class StyledComponent : public OutlineComponent {
public:
    Style style() const { return style_; }

protected:
    Style style_ = Style::None;
};

} // namespace parvelin
