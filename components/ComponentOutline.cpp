#include "components/ComponentOutline.h"

#include "dxf/DxfWriter.h"
#include "view/DeviceCoord.h"
#include "view/ViewMapping.h"

namespace parvelin {

void ComponentOutline::append(std::int32_t screenX, std::int32_t screenY, float modelX, float modelY,
                              std::int32_t penDown) {
    nodes_.push_back(OutlineSegment{screenX, screenY, modelX, modelY, penDown});
}

void ComponentOutline::insertAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(index) + 1, node);
}

void ComponentOutline::insertAsTailAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.resize(index + 1);
    nodes_.push_back(node);
}

bool rescaleOutline(ComponentOutline& outline, platform::Window* window) {
    if (outline.empty() || window == nullptr) return false;
    const std::optional<ViewMapping> view = windowMapping(*window);
    if (!view) return false;
    for (OutlineSegment& node : outline) {
        node.screenX = view->deviceX(node.modelX);
        node.screenY = view->deviceY(node.modelY);
    }
    window->invalidate(true);
    return true;
}

void walkOutline(const ComponentOutline& outline, platform::DeviceContext& dc) {
    if (outline.empty()) return;
    dc.moveTo(outline[0].screenX, outline[0].screenY);
    for (std::size_t i = 1; i < outline.size(); ++i) {
        if (outline[i].penDown == 1)
            dc.lineTo(outline[i].screenX, outline[i].screenY);
        else
            dc.moveTo(outline[i].screenX, outline[i].screenY);
    }
}

void drawOutline(const ComponentOutline& outline, platform::DeviceContext& dc, bool drawable) {
    platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kComponentGrey});
    if (drawable) walkOutline(outline, dc);
}

bool mapOutlineToPrinter(ComponentOutline& outline, const platform::DeviceContext& dc,
                         const RibProperties& properties) {
    if (outline.empty()) return false;
    const int ppiX = dc.pixelsPerInchX();
    const int ppiY = dc.pixelsPerInchY();
    if (ppiX != ppiY) return false;
    double e = static_cast<double>(static_cast<float>(ppiX)) * static_cast<double>(properties.chord);
    if (properties.metric == 1) e *= static_cast<double>(0.03937008f);
    const double v = dc.pageHeight();
    for (OutlineSegment& node : outline) {
        node.screenX = deviceCoord(e * node.modelX + 25.0);
        node.screenY = deviceCoord(0.5 * v - e * node.modelY);
    }
    return true;
}

bool writeOutlineDxf(const ComponentOutline& outline, DxfWriter* writer, const RibProperties& properties) {
    if (writer == nullptr) return false;
    const double k = properties.chord;
    for (std::size_t i = 1; i < outline.size(); ++i) {
        const OutlineSegment& a = outline[i - 1];
        const OutlineSegment& b = outline[i];
        if (b.penDown == 1) writer->line(k * a.modelX, k * a.modelY, k * b.modelX, k * b.modelY);
    }
    return true;
}

} // namespace parvelin
