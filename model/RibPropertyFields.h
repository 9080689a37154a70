// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record's fields by name, for the command-line tool and the tests.
#include <string>
#include <string_view>
#include <vector>

#include "model/RibProperties.h"

namespace parvelin {

struct RibPropertyField {
    const char* name;
    bool isInteger;
    std::int32_t RibProperties::*integer;
    float RibProperties::*real;
};

// The 28 fields in the record's order.
const std::vector<RibPropertyField>& ribPropertyFields();

// A code a style field takes, with the label the property pages show for it.
struct StyleChoice {
    std::int32_t code;
    const char* label;
};
// The codes of the named style field in the style table's order; empty for
// a field that is not a style.
std::vector<StyleChoice> styleChoices(std::string_view name);

// Sets the named field from text: a whole integer for integer fields, a whole
// number for float fields. Returns false and fills `error` otherwise.
bool setRibPropertyField(RibProperties& properties, std::string_view name, std::string_view value,
                         std::string& error);

} // namespace parvelin
