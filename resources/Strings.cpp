#include "resources/Strings.h"

namespace parvelin::resources {

std::string loadString(int id) {
    switch (id) {
    case kStringUntitled: return "Untitled";
    case kStringAppTitle: return "Parvelin";
    case kStringAbout: return "This messagebox will display information for the About Dialog";
    default: return {};
    }
}

} // namespace parvelin::resources
