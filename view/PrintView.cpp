// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the document's rib at true scale, with its view flags.
#include "document/AirfoilDocument.h"

namespace parvelin {

bool AirfoilDocument::printRib(platform::DeviceContext& dc, DevicePoint sheetOrigin) const {
    return parvelin::printRib(dc, picture(), sheetOrigin);
}

} // namespace parvelin
