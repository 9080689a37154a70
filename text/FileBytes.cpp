// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace parvelin {

FileBytes readFileBytes(const std::string& path, std::size_t maxBytes) {
    FileBytes result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.status = FileBytesStatus::NotAFile;
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        result.status = FileBytesStatus::TooLarge;
        return result;
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = errno;
            ::close(fd);
            result.status = FileBytesStatus::ReadFailed;
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buffer.data(), static_cast<std::size_t>(n));
        if (result.bytes.size() > maxBytes) {  // grew while being read
            ::close(fd);
            result.status = FileBytesStatus::TooLarge;
            result.bytes.clear();
            return result;
        }
    }
    ::close(fd);
    result.status = FileBytesStatus::Read;
    return result;
}

} // namespace parvelin
