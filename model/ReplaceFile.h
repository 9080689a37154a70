// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a file so that it is either entirely the new bytes or entirely
// what it was: the bytes go into a temporary file in the same folder, are
// flushed to the disk, and the temporary file is then renamed over the old
// one. A failure at any step removes the temporary file and leaves the old
// file byte for byte.
#include <string>
#include <string_view>

namespace parvelin {

struct ReplaceResult {
    bool written = false;
    // Why nothing was written, in words for the user ("No space left on
    // device while writing"); empty when written.
    std::string error;
};

ReplaceResult replaceFile(const std::string& path, std::string_view bytes);

} // namespace parvelin
