// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading an outside file whole, within a size limit: the coordinate file,
// Import's file and the rib design all come through here, so that each one
// refuses a name that is not a regular file, and a file too large, before
// reading it, and notices a file that grows while it is read.
#include <cstddef>
#include <string>

namespace parvelin {

enum class FileBytesStatus {
    Read,
    NotOpened,   // no such file, no permission, ...
    NotAFile,    // a folder, a device, a pipe
    TooLarge,    // over the limit when opened, or grown past it while read
    ReadFailed,  // an error while reading
};

struct FileBytes {
    FileBytesStatus status = FileBytesStatus::NotOpened;
    std::string bytes;  // the whole file when Read
    int error = 0;      // errno for NotOpened and ReadFailed
};

FileBytes readFileBytes(const std::string& path, std::size_t maxBytes);

} // namespace parvelin
