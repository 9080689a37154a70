// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rib as File > Export and `parvelin-cli export` write it: one LINE
// entity per drawn segment, in the chord's unit. Written from a built rib,
// whether a document's or a wing's.
#include <string>

#include "components/ComponentOutline.h"
#include "dxf/DxfWriter.h"
#include "rib/Rib.h"

namespace parvelin {

// One LINE entity per node of `outline` with its pen down, from the node
// before, scaled by the chord. Returns false when there is no writer.
bool writeOutlineDxf(const ComponentOutline& outline, DxfWriter* writer, const RibProperties& properties);

// A component's lines: its outline through writeOutlineDxf.
inline bool writeComponentDxf(const OutlineComponent& component, DxfWriter* writer, const RibProperties& properties) {
    return writeOutlineDxf(component.outline(), writer, properties);
}

// The airfoil's lines from point to point, then each built component's in
// the order leading edge, trailing edge, spars, sheeting (no header, no
// trailer, no holes).
void writeRibLines(DxfWriter& writer, const Rib& rib);

// The whole drawing: header, the rib's lines (writeRibLines), the holes'
// edges each closed, trailer.
DxfWriter ribDxfDrawing(const Rib& rib);

// Writes the drawing to a new file; never touches an existing one.
// `replace`: an existing file is replaced whole (or left as it was when the
// write fails) instead of refused.
FileWriteResult writeRibDxfFile(const std::string& path, const Rib& rib, bool replace = false);

} // namespace parvelin
