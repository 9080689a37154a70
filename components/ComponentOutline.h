#pragma once
// The outline a component draws, prints and exports: corner points held in
// model coordinates (fractions of the chord) and device coordinates, each
// with a pen flag saying whether a line is drawn to it from the point before.
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "document/AirfoilPoint.h"
#include "document/RibProperties.h"
#include "platform/DeviceContext.h"
#include "platform/Window.h"

namespace parvelin {

class DxfWriter;

// Rounds a model coordinate formed in double precision to the single
// precision it is stored in. Beyond the float range the result is an
// infinity of the same sign (as IEEE rounding gives), made explicit because
// an out-of-range conversion is not defined by the language.
inline float modelFloat(double value) {
    // The halfway point between the largest float and the next power of two:
    // from there on, rounding to nearest gives infinity.
    constexpr double overflow = 0x1.ffffffp127;
    if (value >= overflow) return std::numeric_limits<float>::infinity();
    if (value <= -overflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

struct OutlineSegment {
    std::int32_t screenX = 0;
    std::int32_t screenY = 0;
    float modelX = 0.0f;
    float modelY = 0.0f;
    std::int32_t penDown = 1;  // 1: draw a line from the previous point; 0: move only
};

class ComponentOutline {
public:
    void append(std::int32_t screenX, std::int32_t screenY, float modelX, float modelY,
                std::int32_t penDown);
    // Model-coordinate shorthand used by the compute steps (device 0, 0).
    void append(double modelX, double modelY, std::int32_t penDown) {
        append(0, 0, modelFloat(modelX), modelFloat(modelY), penDown);
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

// The walks every component shares.

// Maps the outline into the window by the window's mapping (the fit, with
// 25-pixel margins and the chord line at mid-height, or the user's zoom) and
// invalidates the window. Returns false, changing nothing, for an empty
// outline, no window, or a fit into a client narrower than 50 pixels.
bool rescaleOutline(ComponentOutline& outline, platform::Window* window);

// Moves to the first node, then draws to (pen down) or moves to (pen up)
// every following node, with the pen currently selected.
void walkOutline(const ComponentOutline& outline, platform::DeviceContext& dc);

// Draw walk: the grey component pen around walkOutline when `drawable`.
void drawOutline(const ComponentOutline& outline, platform::DeviceContext& dc, bool drawable);

// Print walk: overwrites the device coordinates with printer pixels from the
// device's pixels per inch, the chord and the unit; draws with a black pen
// through `drawShape` when `drawShape` is given; then restores the window
// coordinates with rescaleOutline. Returns false (nothing printed, nothing
// changed) for an empty outline or a device with non-square pixels.
template <typename DrawShape>
bool printOutline(ComponentOutline& outline, platform::DeviceContext& dc,
                  const RibProperties& properties, platform::Window* window, DrawShape&& drawShape);

// Printer-pixel coordinates of the outline; the part of the print walk that
// does not draw. Returns false for an empty outline or non-square pixels.
bool mapOutlineToPrinter(ComponentOutline& outline, const platform::DeviceContext& dc,
                         const RibProperties& properties);

// DXF walk: one LINE entity per node with its pen down, from the node before,
// scaled by the chord. Returns false when there is no writer.
bool writeOutlineDxf(const ComponentOutline& outline, DxfWriter* writer, const RibProperties& properties);

template <typename DrawShape>
bool printOutline(ComponentOutline& outline, platform::DeviceContext& dc,
                  const RibProperties& properties, platform::Window* window, DrawShape&& drawShape) {
    // The window coordinates come back from a fresh fit; when the window is
    // too narrow to fit into, the ones it had before printing are put back.
    const ComponentOutline windowCoordinates = outline;
    if (!mapOutlineToPrinter(outline, dc, properties)) return false;
    {
        platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kBlack});
        drawShape();
    }
    if (!rescaleOutline(outline, window)) outline = windowCoordinates;
    return true;
}

// The fields and operations the leading edge, trailing edge and spars share.
class OutlineComponent {
public:
    bool isBuilt() const { return built_ != 0; }
    int style() const { return style_; }
    platform::Window* window() const { return window_; }
    const ComponentOutline& outline() const { return outline_; }

    void clear() {
        built_ = 0;
        outline_.clear();
        window_ = nullptr;
    }
    bool rescale() { return rescaleOutline(outline_, window_); }
    bool writeDxf(DxfWriter* writer, const RibProperties& properties) const {
        return writeOutlineDxf(outline_, writer, properties);
    }

protected:
    std::int32_t built_ = 0;
    std::int32_t style_ = 0;
    platform::Window* window_ = nullptr;
    ComponentOutline outline_;
};

} // namespace parvelin
