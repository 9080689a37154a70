// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ComponentOutline.h"

namespace parvelin {

void ComponentOutline::insertAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(index) + 1, node);
}

void ComponentOutline::insertAsTailAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.resize(index + 1);
    nodes_.push_back(node);
}

} // namespace parvelin
