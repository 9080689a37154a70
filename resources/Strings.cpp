// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Strings.h"

namespace parvelin::resources {

std::string loadString(int id) {
    switch (id) {
    case kStringUntitled: return "Untitled";
    case kStringAppTitle: return "Parvelin";
    case kStringAbout:
        return "Designs the ribs of model-aircraft wings: draws each rib over its airfoil, prints it at true scale "
               "and exports it as a DXF drawing for cutting.";
    default: return {};
    }
}

} // namespace parvelin::resources
