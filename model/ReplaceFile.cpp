// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace parvelin {
namespace {

ReplaceResult failure(const char* step, int error) {
    return ReplaceResult{false, std::string(std::strerror(error)) + " (" + step + ")"};
}

// The permissions a new file gets from open(): 0666 less the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReplaceResult replaceFile(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    if (path.empty()) return failure("no file name", ENOENT);
    // A link is followed: the file it points to is the one replaced, and the
    // link stays a link.
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return failure("the name belongs to a folder or a device", EISDIR);

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return failure("creating a temporary file in the folder", errno);
    const std::string temporary(name.data());

    auto abandon = [&](const char* step, int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return failure(step, error);
    };

    // The new file keeps the old one's permissions, or gets those of any new file.
    if (::fchmod(fd, exists ? (old.st_mode & 07777) : newFileMode()) != 0)
        return abandon("setting the permissions", errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return abandon("writing", errno);
        if (n == 0) return abandon("writing", EIO);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) return abandon("flushing to the disk", errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failure("closing", error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failure("replacing the old file", error);
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return ReplaceResult{true, {}};
}

} // namespace parvelin
